// Filled shapes: the interior with the brush, then the outline with the pen,
// both through the DC's mix mode. A pen of width w is centred on the figure's
// edge (PS_INSIDEFRAME keeps it inside); with the null pen the figure shrinks
// by one pixel at the right and bottom.
#include "platform/gdi/DcAccess.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/ShapeOutline.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace tovrel {

namespace {

using TShape = std::function<TRegion(const TRect& box, int inset, const TRect& rows)>;

TRect Inset(const TRect& r, int by)
{
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

void FillAndOutline(TDeviceContext& dc, const TRect& logicalBox, const TShape& shape)
{
    const TRect s = dc.LogicalToSurface(logicalBox);
    const TRect box{std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
                    std::max(s.Top, s.Bottom)};
    const TRect rows = dc.SurfaceClip().Bounds();
    const BYTE rop = PenRop(dc);
    const TGdiPen& pen = dc.Pen();
    TRegion interior;
    TRegion outline;
    if (pen.IsNull()) {
        interior = shape({box.Left, box.Top, box.Right - 1, box.Bottom - 1}, 0, rows);
    } else {
        const int w = std::min(pen.Width(), 1 << 16);
        const int before = w / 2;
        const TRect outer =
            pen.Log.lopnStyle == PS_INSIDEFRAME
                ? box
                : TRect{box.Left - before, box.Top - before, box.Right - 1 - before + w, box.Bottom - 1 - before + w};
        interior = shape(Inset(outer, w), w, rows);
        outline = shape(outer, 0, rows).Combined(interior, TRegionOp::Diff);
    }
    if (!dc.Brush().IsNull())
        PaintRegion(dc, interior, BrushFill(dc, dc.Brush(), dc.BrushColor()), rop);
    if (!outline.IsEmpty())
        PaintRegion(dc, outline, TFill::Colour(dc.PenColor()), rop);
}

BOOL DrawShape(HDC dc, const TRect& box, const TShape& shape)
{
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        FillAndOutline(c, box, shape);
        return true;
    });
}

} // namespace

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom)
{
    return DrawShape(dc, {left, top, right, bottom}, [](const TRect& box, int, const TRect&) { return TRegion(box); });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    return DrawShape(dc, {left, top, right, bottom},
                     [](const TRect& box, int, const TRect& rows) { return TRegion::Ellipse(box, rows); });
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    return DrawShape(dc, {left, top, right, bottom}, [=](const TRect& box, int inset, const TRect& rows) {
        // The inner edge of the outline follows the outer one, pen width further in.
        const auto inner = [inset](int corner) {
            return int(std::max(0LL, std::llabs((long long)corner) - 2LL * inset));
        };
        return TRegion::RoundRect(box, inner(cornerWidth), inner(cornerHeight), rows);
    });
}

BOOL Polygon(HDC dc, const POINT* points, int count)
{
    if (!points || count < 2)
        return false;
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        if (!c.Brush().IsNull()) {
            std::vector<TPoint> surface(points, points + count);
            for (TPoint& p : surface)
                p = c.LogicalToSurface(p);
            PaintRegion(c, TRegion::Polygon(surface, false, c.SurfaceClip().Bounds()),
                        BrushFill(c, c.Brush(), c.BrushColor()), PenRop(c));
        }
        StrokePath(c, points, count, true);
        return true;
    });
}

} // namespace tovrel
