#pragma once
// Appends bands top to bottom and keeps a region canonical: empty bands are
// dropped and a band equal to the one just above it extends that one.
#include "platform/gdi/Region.h"

namespace tovrel {

class TRegionBuilder {
public:
    // Bands come in increasing order and never overlap; spans are sorted,
    // disjoint and non-touching.
    void AddBand(int top, int bottom, const TRegion::TSpan* spans, int count);
    TRegion Take();

private:
    TRegion region_;
};

// Sorts and joins overlapping or touching intervals in place.
void NormalizeSpans(std::vector<TRegion::TSpan>& spans);

} // namespace tovrel
