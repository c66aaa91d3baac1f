#include "platform/gdi/Painter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tovrel {

namespace {

int Wrap(int v, int n)
{
    const int m = v % n;
    return m < 0 ? m + n : m;
}

void PaintVisible(const TPixelView& view, const TRect& r, const TFill& fill, BYTE rop)
{
    if (rop == kRopNop)
        return;
    if (rop == kRopPatCopy && !fill.Pattern && view.BytesPerPixel == 4) {
        const std::vector<TPixel> line(std::size_t(r.Width()), fill.Solid);
        for (int y = r.Top; y < r.Bottom; ++y)
            std::memcpy(view.At(r.Left, y), line.data(), line.size() * 4);
        return;
    }
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x)
            view.Write(x, y, ApplyRop(rop, fill.At(x, y), 0, view.Read(x, y)));
    }
}

} // namespace

TPixel TFill::At(int x, int y) const
{
    if (!Pattern)
        return Solid;
    const TPixelView tile = TPixelView::Of(const_cast<TSurface&>(*Pattern));
    return tile.Read(Wrap(x - PatternOrigin.X, tile.Width), Wrap(y - PatternOrigin.Y, tile.Height));
}

TFill BrushFill(const TDeviceContext& dc, const TGdiBrush& brush, COLORREF solid)
{
    TFill fill = TFill::Colour(solid);
    if (brush.Pattern && !brush.Pattern->Empty()) {
        fill.Pattern = brush.Pattern.get();
        const TPoint base = dc.BaseOrigin();
        fill.PatternOrigin = {base.X + dc.Modes().BrushOrigin.X, base.Y + dc.Modes().BrushOrigin.Y};
    }
    return fill;
}

void PaintRect(TDeviceContext& dc, const TRect& area, const TFill& fill, BYTE rop)
{
    const TPixelView view = dc.Pixels();
    dc.ForEachVisibleRect(area, [&](const TRect& r) { PaintVisible(view, r, fill, rop); });
}

void PaintRegion(TDeviceContext& dc, const TRegion& area, const TFill& fill, BYTE rop)
{
    const TPixelView view = dc.Pixels();
    area.Combined(dc.SurfaceClip(), TRegionOp::And).ForEachRect([&](const TRect& r) {
        PaintVisible(view, r, fill, rop);
    });
}

void AddLinePixels(TPoint a, TPoint b, int width, const TRect& limit, std::vector<TRect>& out)
{
    const int before = width / 2, after = width - before;
    // Stamps are cut to the limit: only what can be visible is kept.
    auto add = [&](const TRect& r) {
        const TRect cut{std::max(r.Left, limit.Left), std::max(r.Top, limit.Top), std::min(r.Right, limit.Right),
                        std::min(r.Bottom, limit.Bottom)};
        if (!cut.IsEmpty())
            out.push_back(cut);
    };
    const long long adx = std::llabs((long long)b.X - a.X), ady = std::llabs((long long)b.Y - a.Y);
    if (adx == 0 && ady == 0)
        return;
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    if (adx == 0 || ady == 0) { // straight lines as one rectangle
        const TPoint last{adx == 0 ? a.X : b.X - sx, ady == 0 ? a.Y : b.Y - sy};
        add({std::min(a.X, last.X) - before, std::min(a.Y, last.Y) - before, std::max(a.X, last.X) + after,
             std::max(a.Y, last.Y) + after});
        return;
    }
    // Step k along the major axis; the minor coordinate is rounded from the
    // exact line. Only the steps whose major coordinate can reach `limit` run,
    // so lines with far-off ends cost what their visible part costs.
    const bool xMajor = adx >= ady;
    const long long major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    const int majorStart = xMajor ? a.X : a.Y, majorSign = xMajor ? sx : sy;
    const int minorStart = xMajor ? a.Y : a.X, minorSign = xMajor ? sy : sx;
    const long long lo = (long long)(xMajor ? limit.Left : limit.Top) - width;
    const long long hi = (long long)(xMajor ? limit.Right : limit.Bottom) + width;
    long long kFrom = majorSign > 0 ? lo - majorStart : majorStart - hi;
    long long kTo = majorSign > 0 ? hi - majorStart : majorStart - lo;
    kFrom = std::max(0LL, kFrom);
    kTo = std::min(major, kTo);
    for (long long k = kFrom; k < kTo; ++k) {
        const int m = int(majorStart + majorSign * k);
        // 128-bit: far-off ends make 2*k*minor exceed 64 bits.
        const auto step =
            (long long)((2 * (__int128)k * minor + major - 1) / (2 * (__int128)major)); // ties toward the start
        const int n = int(minorStart + minorSign * step);
        const int x = xMajor ? m : n, y = xMajor ? n : m;
        add({x - before, y - before, x + after, y + after});
    }
}

} // namespace tovrel
