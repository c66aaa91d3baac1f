// Pixels, lines and polylines drawn with the selected pen and mix mode.
#include "platform/gdi/DcAccess.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/ShapeOutline.h"

#include <algorithm>

namespace tovrel {

BYTE PenRop(const TDeviceContext& dc)
{
    return Rop3FromRop2(dc.Modes().Rop2);
}

void StrokePath(TDeviceContext& dc, const POINT* points, int count, bool closed)
{
    if (dc.Pen().IsNull() || !points || count < 2)
        return;
    const TRect limit = dc.SurfaceClip().Bounds();
    std::vector<TRect> pixels;
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i)
        AddLinePixels(dc.LogicalToSurface(points[i]), dc.LogicalToSurface(points[(i + 1) % count]),
                      std::min(dc.Pen().Width(), 1 << 16), limit, pixels);
    PaintRegion(dc, TRegion::FromRects(pixels), TFill::Colour(dc.PenColor()), PenRop(dc));
}

COLORREF GetPixel(HDC dc, int x, int y)
{
    return WithDC(dc, CLR_INVALID, [&](TDeviceContext& c) {
        const TPoint p = c.LogicalToSurface(TPoint{x, y});
        return c.SurfaceClip().Contains(p.X, p.Y) ? ColorFromPixel(c.Pixels().Read(p.X, p.Y)) : CLR_INVALID;
    });
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour)
{
    return WithDC(dc, CLR_INVALID, [&](TDeviceContext& c) {
        const TPoint p = c.LogicalToSurface(TPoint{x, y});
        if (!c.SurfaceClip().Contains(p.X, p.Y))
            return CLR_INVALID;
        c.Pixels().Write(p.X, p.Y, PixelFromColor(colour));
        return colour & 0x00FFFFFF;
    });
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF colour)
{
    return SetPixel(dc, x, y, colour) != CLR_INVALID;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* old)
{
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        if (old)
            *old = c.PenPosition();
        c.SetPenPosition({x, y});
        return true;
    });
}

BOOL LineTo(HDC dc, int x, int y)
{
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        const POINT path[2] = {c.PenPosition(), {x, y}};
        StrokePath(c, path, 2, false);
        c.SetPenPosition({x, y});
        return true;
    });
}

BOOL Polyline(HDC dc, const POINT* points, int count)
{
    if (!points || count < 2)
        return false;
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        StrokePath(c, points, count, false);
        return true;
    });
}

} // namespace tovrel
