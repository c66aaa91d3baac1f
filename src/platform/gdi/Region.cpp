#include "platform/gdi/Region.h"

#include "platform/gdi/RegionBuilder.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace tovrel {

namespace {

using TSpan = TRegion::TSpan;

bool Apply(TRegionOp op, bool inA, bool inB)
{
    switch (op) {
    case TRegionOp::And: return inA && inB;
    case TRegionOp::Or: return inA || inB;
    case TRegionOp::Xor: return inA != inB;
    case TRegionOp::Diff: return inA && !inB;
    }
    return false;
}

// One pass over the interval boundaries of both rows.
void CombineSpans(const TSpan* a, int na, const TSpan* b, int nb, TRegionOp op, std::vector<TSpan>& out)
{
    out.clear();
    int ia = 0, ib = 0;
    bool inA = false, inB = false, in = false;
    int start = 0;
    while (ia < na || ib < nb) {
        const int xa = ia < na ? (inA ? a[ia].Right : a[ia].Left) : INT_MAX;
        const int xb = ib < nb ? (inB ? b[ib].Right : b[ib].Left) : INT_MAX;
        const int x = std::min(xa, xb);
        if (xa == x) {
            if (inA)
                ++ia;
            inA = !inA;
        }
        if (xb == x) {
            if (inB)
                ++ib;
            inB = !inB;
        }
        const bool now = Apply(op, inA, inB);
        if (now && !in)
            start = x;
        else if (!now && in)
            out.push_back({start, x});
        in = now;
    }
}

int Saturate(std::int64_t v)
{
    constexpr std::int64_t limit = 1 << 30;
    return int(std::clamp(v, -limit, limit));
}

} // namespace

TRegion::TRegion(const TRect& r)
{
    if (r.IsEmpty())
        return;
    bands_.push_back({r.Top, r.Bottom, 0, 1});
    spans_.push_back({r.Left, r.Right});
}

TRegion TRegion::FromRects(const std::vector<TRect>& rects)
{
    std::vector<TRect> sorted;
    sorted.reserve(rects.size());
    std::vector<int> breaks;
    for (const TRect& r : rects) {
        if (r.IsEmpty())
            continue;
        sorted.push_back(r);
        breaks.push_back(r.Top);
        breaks.push_back(r.Bottom);
    }
    std::sort(sorted.begin(), sorted.end(), [](const TRect& a, const TRect& b) { return a.Top < b.Top; });
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());

    // Sweep the bands between consecutive breaks, keeping the rectangles that cover them.
    TRegionBuilder builder;
    std::vector<const TRect*> active;
    std::vector<TSpan> spans;
    std::size_t next = 0;
    for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
        const int top = breaks[i], bottom = breaks[i + 1];
        std::erase_if(active, [top](const TRect* r) { return r->Bottom <= top; });
        while (next < sorted.size() && sorted[next].Top == top)
            active.push_back(&sorted[next++]);
        spans.clear();
        for (const TRect* r : active)
            spans.push_back({r->Left, r->Right});
        NormalizeSpans(spans);
        builder.AddBand(top, bottom, spans.data(), int(spans.size()));
    }
    return builder.Take();
}

TRegion TRegion::Combined(const TRegion& other, TRegionOp op) const
{
    const auto& A = bands_;
    const auto& B = other.bands_;
    TRegionBuilder builder;
    std::vector<TSpan> row;
    std::size_t ia = 0, ib = 0;
    int y = INT_MIN;
    while (true) {
        while (ia < A.size() && A[ia].Bottom <= y)
            ++ia;
        while (ib < B.size() && B[ib].Bottom <= y)
            ++ib;
        if (ia == A.size() && ib == B.size())
            break;
        const bool aActive = ia < A.size() && A[ia].Top <= y;
        const bool bActive = ib < B.size() && B[ib].Top <= y;
        int yNext = INT_MAX;
        if (ia < A.size())
            yNext = std::min(yNext, aActive ? A[ia].Bottom : A[ia].Top);
        if (ib < B.size())
            yNext = std::min(yNext, bActive ? B[ib].Bottom : B[ib].Top);
        if (aActive || bActive) {
            const TSpan* sa = aActive ? spans_.data() + A[ia].FirstSpan : nullptr;
            const TSpan* sb = bActive ? other.spans_.data() + B[ib].FirstSpan : nullptr;
            CombineSpans(sa, aActive ? A[ia].SpanCount : 0, sb, bActive ? B[ib].SpanCount : 0, op, row);
            builder.AddBand(y, yNext, row.data(), int(row.size()));
        }
        y = yNext;
    }
    return builder.Take();
}

void TRegion::Offset(int dx, int dy)
{
    for (TBand& b : bands_) {
        b.Top = Saturate(std::int64_t(b.Top) + dy);
        b.Bottom = Saturate(std::int64_t(b.Bottom) + dy);
    }
    for (TSpan& s : spans_) {
        s.Left = Saturate(std::int64_t(s.Left) + dx);
        s.Right = Saturate(std::int64_t(s.Right) + dx);
    }
}

TRect TRegion::Bounds() const
{
    if (bands_.empty())
        return {};
    TRect r{INT_MAX, bands_.front().Top, INT_MIN, bands_.back().Bottom};
    for (const TBand& b : bands_) {
        r.Left = std::min(r.Left, spans_[b.FirstSpan].Left);
        r.Right = std::max(r.Right, spans_[b.FirstSpan + b.SpanCount - 1].Right);
    }
    return r;
}

bool TRegion::Contains(int x, int y) const
{
    auto band = std::upper_bound(bands_.begin(), bands_.end(), y, [](int v, const TBand& b) { return v < b.Bottom; });
    if (band == bands_.end() || band->Top > y)
        return false;
    const TSpan* first = spans_.data() + band->FirstSpan;
    const TSpan* last = first + band->SpanCount;
    auto span = std::upper_bound(first, last, x, [](int v, const TSpan& s) { return v < s.Right; });
    return span != last && span->Left <= x;
}

bool TRegion::Intersects(const TRect& r) const
{
    bool found = false;
    ForEachRectIn(r, [&found](const TRect&) { found = true; });
    return found;
}

std::vector<TRect> TRegion::Rects() const
{
    std::vector<TRect> out;
    out.reserve(spans_.size());
    ForEachRect([&out](const TRect& r) { out.push_back(r); });
    return out;
}

void TRegion::ForEachRect(const std::function<void(const TRect&)>& fn) const
{
    for (const TBand& b : bands_)
        for (int i = 0; i < b.SpanCount; ++i) {
            const TSpan& s = spans_[b.FirstSpan + i];
            fn(TRect{s.Left, b.Top, s.Right, b.Bottom});
        }
}

void TRegion::ForEachRectIn(const TRect& clip, const std::function<void(const TRect&)>& fn) const
{
    if (clip.IsEmpty())
        return;
    auto band =
        std::upper_bound(bands_.begin(), bands_.end(), clip.Top, [](int v, const TBand& b) { return v < b.Bottom; });
    for (; band != bands_.end() && band->Top < clip.Bottom; ++band) {
        const int top = std::max(band->Top, clip.Top), bottom = std::min(band->Bottom, clip.Bottom);
        for (int i = 0; i < band->SpanCount; ++i) {
            const TSpan& s = spans_[band->FirstSpan + i];
            if (s.Left >= clip.Right)
                break;
            const int left = std::max(s.Left, clip.Left), right = std::min(s.Right, clip.Right);
            if (left < right)
                fn(TRect{left, top, right, bottom});
        }
    }
}

bool operator==(const TRegion& a, const TRegion& b)
{
    if (a.bands_.size() != b.bands_.size() || a.spans_ != b.spans_)
        return false;
    for (std::size_t i = 0; i < a.bands_.size(); ++i)
        if (a.bands_[i].Top != b.bands_[i].Top || a.bands_[i].Bottom != b.bands_[i].Bottom ||
            a.bands_[i].SpanCount != b.bands_[i].SpanCount)
            return false;
    return true;
}

} // namespace tovrel
