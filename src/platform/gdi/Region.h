#pragma once
// A set of pixels stored as horizontal bands: each band covers rows [Top, Bottom)
// and holds sorted, disjoint, non-touching x intervals; vertically adjacent bands
// never hold equal intervals. This canonical form keeps masks of thousands of
// one-row runs cheap to build, combine and compare (every operation is one merge
// pass over both band lists).
#include "platform/rtl/Types.h"

#include <functional>
#include <vector>

namespace tovrel {

enum class TRegionOp { And, Or, Xor, Diff };

class TRegion {
public:
    struct TSpan {
        int Left;
        int Right;
        friend bool operator==(const TSpan&, const TSpan&) = default;
    };
    struct TBand {
        int Top;
        int Bottom;
        int FirstSpan;
        int SpanCount;
    };

    TRegion() = default;
    explicit TRegion(const TRect& r);

    static TRegion FromRects(const std::vector<TRect>& rects); // union of the rectangles
    // Filled shapes (bounding boxes with right and bottom excluded), built only
    // for the rows inside `rows`, so absurd sizes cost no more than the rows kept.
    static TRegion Ellipse(const TRect& box, const TRect& rows);
    static TRegion RoundRect(const TRect& box, int cornerWidth, int cornerHeight, const TRect& rows);
    static TRegion Polygon(const std::vector<TPoint>& points, bool winding, const TRect& rows);

    TRegion Combined(const TRegion& other, TRegionOp op) const;
    void Offset(int dx, int dy);

    bool IsEmpty() const { return bands_.empty(); }
    bool IsRect() const { return bands_.size() == 1 && bands_[0].SpanCount == 1; }
    TRect Bounds() const;
    bool Contains(int x, int y) const;
    bool Intersects(const TRect& r) const;
    std::vector<TRect> Rects() const; // one rectangle per span per band, top to bottom, left to right
    int RectCount() const { return int(spans_.size()); }
    void ForEachRect(const std::function<void(const TRect&)>& fn) const;
    // Rectangles of the region inside clip.
    void ForEachRectIn(const TRect& clip, const std::function<void(const TRect&)>& fn) const;

    const std::vector<TBand>& Bands() const { return bands_; }
    const std::vector<TSpan>& Spans() const { return spans_; }

    friend bool operator==(const TRegion& a, const TRegion& b);

private:
    friend class TRegionBuilder;
    std::vector<TBand> bands_;
    std::vector<TSpan> spans_;
};

} // namespace tovrel
