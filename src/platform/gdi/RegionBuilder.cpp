#include "platform/gdi/RegionBuilder.h"

#include <algorithm>

namespace tovrel {

void TRegionBuilder::AddBand(int top, int bottom, const TRegion::TSpan* spans, int count)
{
    if (count <= 0 || bottom <= top)
        return;
    auto& bands = region_.bands_;
    auto& all = region_.spans_;
    if (!bands.empty()) {
        TRegion::TBand& last = bands.back();
        if (last.Bottom == top && last.SpanCount == count &&
            std::equal(spans, spans + count, all.begin() + last.FirstSpan)) {
            last.Bottom = bottom;
            return;
        }
    }
    bands.push_back({top, bottom, int(all.size()), count});
    all.insert(all.end(), spans, spans + count);
}

TRegion TRegionBuilder::Take()
{
    TRegion out = std::move(region_);
    region_ = TRegion();
    return out;
}

void NormalizeSpans(std::vector<TRegion::TSpan>& spans)
{
    std::erase_if(spans, [](const TRegion::TSpan& s) { return s.Right <= s.Left; });
    std::sort(spans.begin(), spans.end(), [](const auto& a, const auto& b) { return a.Left < b.Left; });
    std::size_t out = 0;
    for (const auto& s : spans) {
        if (out > 0 && s.Left <= spans[out - 1].Right)
            spans[out - 1].Right = std::max(spans[out - 1].Right, s.Right);
        else
            spans[out++] = s;
    }
    spans.resize(out);
}

} // namespace tovrel
