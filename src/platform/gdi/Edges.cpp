// Three-dimensional edges and the focus rectangle.
#include "platform/gdi/DcAccess.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/SysColors.h"

namespace tovrel {

namespace {

struct TEdgeColours {
    int TopLeft;
    int BottomRight;
};

// Colours of one border line of an edge: outer or inner, raised or sunken.
TEdgeColours BorderColours(bool outer, bool raised, UINT flags)
{
    if (flags & BF_MONO)
        return outer ? TEdgeColours{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME} : TEdgeColours{COLOR_WINDOW, COLOR_WINDOW};
    if (flags & BF_FLAT)
        return outer ? TEdgeColours{COLOR_BTNSHADOW, COLOR_BTNSHADOW} : TEdgeColours{COLOR_BTNFACE, COLOR_BTNFACE};
    const bool soft = (flags & BF_SOFT) != 0;
    if (raised)
        return outer ? TEdgeColours{soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW}
                     : TEdgeColours{soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    return outer ? TEdgeColours{soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}
                 : TEdgeColours{soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// One ring of lines on the sides named by flags; the bottom and right lines are
// drawn last and so own the corners they share with the top and left ones.
void DrawBorder(TDeviceContext& dc, const TRect& r, TEdgeColours colours, UINT flags)
{
    const TFill topLeft = TFill::Colour(GetSysColor(colours.TopLeft));
    const TFill bottomRight = TFill::Colour(GetSysColor(colours.BottomRight));
    if (flags & BF_TOP)
        PaintRect(dc, {r.Left, r.Top, r.Right, r.Top + 1}, topLeft, kRopPatCopy);
    if (flags & BF_LEFT)
        PaintRect(dc, {r.Left, r.Top, r.Left + 1, r.Bottom}, topLeft, kRopPatCopy);
    if (flags & BF_BOTTOM)
        PaintRect(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottomRight, kRopPatCopy);
    if (flags & BF_RIGHT)
        PaintRect(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, bottomRight, kRopPatCopy);
}

TRect Shrunk(const TRect& r, UINT flags)
{
    return {r.Left + ((flags & BF_LEFT) ? 1 : 0), r.Top + ((flags & BF_TOP) ? 1 : 0),
            r.Right - ((flags & BF_RIGHT) ? 1 : 0), r.Bottom - ((flags & BF_BOTTOM) ? 1 : 0)};
}

} // namespace

BOOL DrawEdge(HDC dc, RECT* r, UINT edge, UINT flags)
{
    if (!r)
        return false;
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        TRect area = c.LogicalToSurface(*r);
        const UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
        if (outer && !area.IsEmpty()) {
            DrawBorder(c, area, BorderColours(true, outer & BDR_RAISEDOUTER, flags), flags);
            area = Shrunk(area, flags);
        }
        if (inner && !area.IsEmpty()) {
            DrawBorder(c, area, BorderColours(false, inner & BDR_RAISEDINNER, flags), flags);
            area = Shrunk(area, flags);
        }
        if (flags & BF_MIDDLE)
            PaintRect(c, area, TFill::Colour(GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE)),
                      kRopPatCopy);
        if (flags & BF_ADJUST) {
            const TPoint topLeft = c.SurfaceToLogical(TPoint{area.Left, area.Top});
            const TPoint bottomRight = c.SurfaceToLogical(TPoint{area.Right, area.Bottom});
            *r = TRect{topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
        }
        return true;
    });
}

BOOL DrawFocusRect(HDC dc, const RECT* r)
{
    if (!r)
        return false;
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        const TRect s = c.LogicalToSurface(*r);
        if (s.IsEmpty())
            return true;
        // Every other pixel of the one-pixel frame, checkered from the DC's origin.
        const TRegion frame =
            TRegion(s).Combined(TRegion({s.Left + 1, s.Top + 1, s.Right - 1, s.Bottom - 1}), TRegionOp::Diff);
        const TPixelView view = c.Pixels();
        const TPoint base = c.BaseOrigin();
        frame.Combined(c.SurfaceClip(), TRegionOp::And).ForEachRect([&](const TRect& part) {
            for (int y = part.Top; y < part.Bottom; ++y)
                for (int x = part.Left; x < part.Right; ++x)
                    if (((x - base.X + y - base.Y) & 1) == 0)
                        view.Write(x, y, view.Read(x, y) ^ 0x00FFFFFFu);
        });
        return true;
    });
}

} // namespace tovrel
