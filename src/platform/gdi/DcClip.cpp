// Clip calls: rectangles arrive in logical coordinates, regions in device ones.
#include "platform/gdi/DcAccess.h"
#include "platform/gdi/Regions.h"

namespace tovrel {

namespace {

TRect LogicalToDevice(const TDeviceContext& c, int left, int top, int right, int bottom)
{
    const TPoint base = c.BaseOrigin();
    TRect r = c.LogicalToSurface(TRect{left, top, right, bottom});
    return {r.Left - base.X, r.Top - base.Y, r.Right - base.X, r.Bottom - base.Y};
}

// The whole drawable area in device coordinates, standing in for "no clip region".
TRegion DeviceArea(const TDeviceContext& c)
{
    const TPoint base = c.BaseOrigin();
    TRegion all(c.Pixels().Bounds());
    all.Offset(-base.X, -base.Y);
    return all;
}

TRegion CurrentClip(const TDeviceContext& c)
{
    return c.ClipRegion() ? *c.ClipRegion() : DeviceArea(c);
}

int CombineClip(HDC dc, const TRegion& with, TRegionOp op)
{
    return WithDC(dc, ERROR, [&](TDeviceContext& c) {
        c.SetClipRegion(CurrentClip(c).Combined(with, op));
        return RegionKind(c.SurfaceClip());
    });
}

} // namespace

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    auto c = FindDeviceContext(dc);
    if (!c)
        return ERROR;
    return CombineClip(dc, TRegion(LogicalToDevice(*c, left, top, right, bottom)), TRegionOp::And);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    auto c = FindDeviceContext(dc);
    if (!c)
        return ERROR;
    return CombineClip(dc, TRegion(LogicalToDevice(*c, left, top, right, bottom)), TRegionOp::Diff);
}

int SelectClipRgn(HDC dc, HRGN rgn)
{
    return ExtSelectClipRgn(dc, rgn, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode)
{
    const std::optional<TRegion> region = RegionOf(rgn);
    if (mode == RGN_COPY) {
        if (rgn && !region)
            return ERROR;
        return WithDC(dc, ERROR, [&](TDeviceContext& c) {
            c.SetClipRegion(region);
            return RegionKind(c.SurfaceClip());
        });
    }
    if (!region)
        return ERROR;
    switch (mode) {
    case RGN_AND: return CombineClip(dc, *region, TRegionOp::And);
    case RGN_OR: return CombineClip(dc, *region, TRegionOp::Or);
    case RGN_XOR: return CombineClip(dc, *region, TRegionOp::Xor);
    case RGN_DIFF: return CombineClip(dc, *region, TRegionOp::Diff);
    default: return ERROR;
    }
}

int OffsetClipRgn(HDC dc, int dx, int dy)
{
    return WithDC(dc, ERROR, [&](TDeviceContext& c) {
        if (c.ClipRegion()) {
            TRegion moved = *c.ClipRegion();
            moved.Offset(dx, dy);
            c.SetClipRegion(std::move(moved));
        }
        return RegionKind(c.SurfaceClip());
    });
}

int GetClipBox(HDC dc, RECT* r)
{
    return WithDC(dc, ERROR, [&](TDeviceContext& c) {
        const TRegion& clip = c.SurfaceClip();
        if (r) {
            const TRect box = clip.Bounds();
            const TPoint topLeft = c.SurfaceToLogical({box.Left, box.Top});
            *r = clip.IsEmpty() ? TRect{} : Bounds(topLeft.X, topLeft.Y, box.Width(), box.Height());
        }
        return RegionKind(clip);
    });
}

int GetClipRgn(HDC dc, HRGN rgn)
{
    auto target = FindGdiObjectAs<TGdiRegion>(ToGdiObj(rgn));
    if (!target)
        return -1;
    return WithDC(dc, -1, [&](TDeviceContext& c) {
        if (!c.ClipRegion())
            return 0;
        target->Region = *c.ClipRegion();
        return 1;
    });
}

BOOL PtVisible(HDC dc, int x, int y)
{
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        const TPoint p = c.LogicalToSurface(TPoint{x, y});
        return c.SurfaceClip().Contains(p.X, p.Y);
    });
}

BOOL RectVisible(HDC dc, const RECT* r)
{
    if (!r)
        return false;
    return WithDC(dc, BOOL(false),
                  [&](TDeviceContext& c) { return c.SurfaceClip().Intersects(c.LogicalToSurface(*r)); });
}

} // namespace tovrel
