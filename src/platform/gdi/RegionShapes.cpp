// Scan conversion of the filled shapes into regions, one row at a time, sampling
// at pixel centres so that shapes are symmetric and stay inside their boxes.
#include "platform/gdi/Region.h"

#include "platform/gdi/RegionBuilder.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

using TSpan = TRegion::TSpan;

TRect Normalized(const TRect& r)
{
    return TRect{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                 std::max(r.Top, r.Bottom)};
}

// Extents in double: boxes may span the whole int range.
double Extent(int from, int to)
{
    return double(to) - double(from);
}

// Horizontal inset of a row of a box whose corners are quarter ellipses of radii rx, ry.
double CornerInset(const TRect& box, int y, double rx, double ry)
{
    const double py = y + 0.5;
    double dy = 0;
    if (py < box.Top + ry)
        dy = (box.Top + ry - py) / ry;
    else if (py > box.Bottom - ry)
        dy = (py - (box.Bottom - ry)) / ry;
    else
        return 0;
    return rx - rx * std::sqrt(std::max(0.0, 1 - dy * dy));
}

TRegion RoundedBox(const TRect& box, double rx, double ry, const TRect& rows)
{
    TRegionBuilder builder;
    const int top = std::max(box.Top, rows.Top), bottom = std::min(box.Bottom, rows.Bottom);
    for (int y = top; y < bottom; ++y) {
        const int inset = ry > 0 ? int(std::lround(CornerInset(box, y, rx, ry))) : 0;
        const TSpan span{box.Left + inset, box.Right - inset};
        if (span.Left < span.Right)
            builder.AddBand(y, y + 1, &span, 1);
    }
    return builder.Take();
}

} // namespace

TRegion TRegion::Ellipse(const TRect& box, const TRect& rows)
{
    const TRect b = Normalized(box);
    return RoundedBox(b, Extent(b.Left, b.Right) / 2, Extent(b.Top, b.Bottom) / 2, rows);
}

TRegion TRegion::RoundRect(const TRect& box, int cornerWidth, int cornerHeight, const TRect& rows)
{
    const TRect b = Normalized(box);
    const double rx = std::min(std::abs(double(cornerWidth)), Extent(b.Left, b.Right)) / 2;
    const double ry = std::min(std::abs(double(cornerHeight)), Extent(b.Top, b.Bottom)) / 2;
    return RoundedBox(b, rx, rx > 0 ? ry : 0, rows);
}

TRegion TRegion::Polygon(const std::vector<TPoint>& points, bool winding, const TRect& rows)
{
    if (points.size() < 3)
        return {};
    int minY = points[0].Y, maxY = points[0].Y;
    for (const TPoint& p : points) {
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    struct TCrossing {
        double X;
        int Direction;
    };
    std::vector<TCrossing> crossings;
    std::vector<TSpan> spans;
    TRegionBuilder builder;
    const int top = std::max(minY, rows.Top), bottom = std::min(maxY, rows.Bottom);
    for (int y = top; y < bottom; ++y) {
        const double py = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % points.size()];
            if ((a.Y <= py) == (b.Y <= py))
                continue;
            const double x = a.X + (py - a.Y) * (double(b.X) - a.X) / (double(b.Y) - a.Y);
            crossings.push_back({x, b.Y > a.Y ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(), [](const auto& l, const auto& r) { return l.X < r.X; });
        spans.clear();
        int count = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            count = winding ? count + crossings[i].Direction : count + 1;
            const bool inside = winding ? count != 0 : (count & 1) != 0;
            if (inside) // pixels whose centres lie between the crossings
                spans.push_back({int(std::ceil(crossings[i].X - 0.5)), int(std::ceil(crossings[i + 1].X - 0.5))});
        }
        NormalizeSpans(spans);
        builder.AddBand(y, y + 1, spans.data(), int(spans.size()));
    }
    return builder.Take();
}

} // namespace tovrel
