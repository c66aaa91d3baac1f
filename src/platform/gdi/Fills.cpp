// Rectangle and region fills with a given brush, inversions and PatBlt.
#include "platform/gdi/DcAccess.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>
#include <cstdint>

namespace tovrel {

namespace {

// Besides real handles, the platform accepts a system colour index + 1 as a brush.
std::shared_ptr<TGdiBrush> ResolveBrush(HBRUSH brush)
{
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= std::uintptr_t(COLOR_MENUBAR) + 1)
        brush = GetSysColorBrush(int(value) - 1);
    return FindGdiObjectAs<TGdiBrush>(ToGdiObj(brush));
}

// A logical region moved to surface coordinates.
TRegion ToSurface(const TDeviceContext& dc, TRegion region)
{
    const TPoint shift = dc.LogicalToSurface(TPoint{0, 0});
    region.Offset(shift.X, shift.Y);
    return region;
}

BOOL PaintWithBrush(HDC dc, HBRUSH brush, const std::function<void(TDeviceContext&, const TFill&)>& paint)
{
    auto b = ResolveBrush(brush);
    if (!b)
        return false;
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        if (!b->IsNull())
            paint(c, BrushFill(c, *b, b->Log.lbColor));
        return true;
    });
}

TRegion FrameOf(const TRegion& area, int width, int height)
{
    TRegion inner = area;
    for (int i = 1; i <= width; ++i)
        for (int sign : {-1, 1}) {
            TRegion moved = area;
            moved.Offset(sign * i, 0);
            inner = inner.Combined(moved, TRegionOp::And);
        }
    for (int i = 1; i <= height; ++i)
        for (int sign : {-1, 1}) {
            TRegion moved = area;
            moved.Offset(0, sign * i);
            inner = inner.Combined(moved, TRegionOp::And);
        }
    return area.Combined(inner, TRegionOp::Diff);
}

} // namespace

int FillRect(HDC dc, const RECT* r, HBRUSH brush)
{
    if (!r)
        return false;
    return PaintWithBrush(dc, brush, [r](TDeviceContext& c, const TFill& fill) {
        PaintRect(c, c.LogicalToSurface(*r), fill, kRopPatCopy);
    });
}

int FrameRect(HDC dc, const RECT* r, HBRUSH brush)
{
    if (!r)
        return false;
    return PaintWithBrush(dc, brush, [r](TDeviceContext& c, const TFill& fill) {
        const TRect s = c.LogicalToSurface(*r);
        if (!s.IsEmpty())
            PaintRegion(c, FrameOf(TRegion(s), 1, 1), fill, kRopPatCopy);
    });
}

BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush)
{
    const auto region = RegionOf(rgn);
    if (!region)
        return false;
    return PaintWithBrush(dc, brush, [&](TDeviceContext& c, const TFill& fill) {
        PaintRegion(c, ToSurface(c, *region), fill, kRopPatCopy);
    });
}

BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int width, int height)
{
    const auto region = RegionOf(rgn);
    if (!region || width < 1 || height < 1)
        return false;
    width = std::min(width, 256);
    height = std::min(height, 256);
    return PaintWithBrush(dc, brush, [&](TDeviceContext& c, const TFill& fill) {
        PaintRegion(c, ToSurface(c, FrameOf(*region, width, height)), fill, kRopPatCopy);
    });
}

BOOL PaintRgn(HDC dc, HRGN rgn)
{
    const auto region = RegionOf(rgn);
    if (!region)
        return false;
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        if (!c.Brush().IsNull())
            PaintRegion(c, ToSurface(c, *region), BrushFill(c, c.Brush(), c.BrushColor()), kRopPatCopy);
        return true;
    });
}

BOOL InvertRgn(HDC dc, HRGN rgn)
{
    const auto region = RegionOf(rgn);
    if (!region)
        return false;
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        PaintRegion(c, ToSurface(c, *region), TFill{}, Rop3Code(DSTINVERT));
        return true;
    });
}

BOOL InvertRect(HDC dc, const RECT* r)
{
    if (!r)
        return false;
    return WithDC(dc, BOOL(false), [r](TDeviceContext& c) {
        PaintRect(c, c.LogicalToSurface(*r), TFill{}, Rop3Code(DSTINVERT));
        return true;
    });
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop)
{
    const BYTE code = Rop3Code(rop);
    if (RopUsesSource(code))
        return false;
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        const TRect area = c.LogicalToSurface(ExtentRect(x, y, width, height));
        const bool brushless = c.Brush().IsNull();
        if (brushless && RopUsesPattern(code))
            return true; // nothing to paint with
        PaintRect(c, area, brushless ? TFill{} : BrushFill(c, c.Brush(), c.BrushColor()), code);
        return true;
    });
}

} // namespace tovrel
