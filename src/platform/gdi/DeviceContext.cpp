#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Regions.h"

#include <algorithm>

namespace tovrel {

TDeviceContext::TDeviceContext()
{
    SelectDefaults();
}

TDeviceContext::TDeviceContext(std::shared_ptr<TSurface> surface, TPoint baseOrigin, const TRegion& baseClip)
    : memory_(false), baseOrigin_(baseOrigin), baseClip_(baseClip)
{
    SelectDefaults();
    state_.Bitmap = std::make_shared<TGdiBitmap>(std::move(surface));
    state_.BitmapHandle = nullptr;
}

void TDeviceContext::SelectDefaults()
{
    Select(GetStockObject(BLACK_PEN));
    Select(GetStockObject(WHITE_BRUSH));
    Select(GetStockObject(SYSTEM_FONT));
    Select(ToGdiObj(StockBitmap()));
}

void TDeviceContext::SetBase(TPoint baseOrigin, const TRegion& baseClip)
{
    baseOrigin_ = baseOrigin;
    baseClip_ = baseClip;
    ClipChanged();
}

TPixelView TDeviceContext::Pixels() const
{
    return state_.Bitmap->Pixels();
}

namespace {

// Coordinates are kept within +-2^30 so that later arithmetic cannot overflow.
int Saturated(long long v)
{
    return int(std::clamp(v, -(1LL << 30), 1LL << 30));
}

} // namespace

TPoint TDeviceContext::LogicalToSurface(TPoint p) const
{
    return {Saturated((long long)p.X - state_.WindowOrg.X + state_.ViewportOrg.X + baseOrigin_.X),
            Saturated((long long)p.Y - state_.WindowOrg.Y + state_.ViewportOrg.Y + baseOrigin_.Y)};
}

TRect TDeviceContext::LogicalToSurface(const TRect& r) const
{
    const TPoint a = LogicalToSurface(TPoint{r.Left, r.Top});
    const TPoint b = LogicalToSurface(TPoint{r.Right, r.Bottom});
    return {a.X, a.Y, b.X, b.Y};
}

TPoint TDeviceContext::SurfaceToLogical(TPoint p) const
{
    return {Saturated((long long)p.X + state_.WindowOrg.X - state_.ViewportOrg.X - baseOrigin_.X),
            Saturated((long long)p.Y + state_.WindowOrg.Y - state_.ViewportOrg.Y - baseOrigin_.Y)};
}

const TRegion& TDeviceContext::SurfaceClip() const
{
    // The target may have been resized behind the DC's back (a bitmap's owner,
    // a window's backing surface): the clip never outlives the bounds it was cut to.
    const TRect bounds = Pixels().Bounds();
    if (!clipValid_ || bounds != clipBounds_) {
        clipBounds_ = bounds;
        clip_ = TRegion(bounds);
        if (baseClip_)
            clip_ = clip_.Combined(*baseClip_, TRegionOp::And);
        if (state_.Clip) {
            TRegion selected = *state_.Clip;
            selected.Offset(baseOrigin_.X, baseOrigin_.Y);
            clip_ = clip_.Combined(selected, TRegionOp::And);
        }
        clipValid_ = true;
    }
    return clip_;
}

HGDIOBJ TDeviceContext::Select(HGDIOBJ object)
{
    auto found = FindGdiObject(object);
    if (!found)
        return nullptr;
    auto swap = [object](auto& current, HGDIOBJ& handle, auto replacement) {
        const HGDIOBJ previous = handle;
        current = std::move(replacement);
        handle = object;
        return previous;
    };
    switch (found->ObjectType()) {
    case OBJ_PEN: return swap(state_.Pen, state_.PenHandle, std::static_pointer_cast<TGdiPen>(found));
    case OBJ_BRUSH: return swap(state_.Brush, state_.BrushHandle, std::static_pointer_cast<TGdiBrush>(found));
    case OBJ_FONT: return swap(state_.Font, state_.FontHandle, std::static_pointer_cast<TGdiFont>(found));
    case OBJ_BITMAP: {
        if (!memory_)
            return nullptr;
        ClipChanged();
        return swap(state_.Bitmap, state_.BitmapHandle, std::static_pointer_cast<TGdiBitmap>(found));
    }
    case OBJ_REGION: {
        SetClipRegion(std::static_pointer_cast<TGdiRegion>(found)->Region);
        return reinterpret_cast<HGDIOBJ>(std::uintptr_t(RegionKind(SurfaceClip())));
    }
    default: return nullptr;
    }
}

HGDIOBJ TDeviceContext::CurrentHandle(UINT objectType) const
{
    switch (objectType) {
    case OBJ_PEN: return state_.PenHandle;
    case OBJ_BRUSH: return state_.BrushHandle;
    case OBJ_FONT: return state_.FontHandle;
    case OBJ_BITMAP: return state_.BitmapHandle;
    default: return nullptr;
    }
}

COLORREF TDeviceContext::PenColor() const
{
    return state_.PenHandle == GetStockObject(DC_PEN) ? state_.Modes.DcPenColor : state_.Pen->Log.lopnColor;
}

COLORREF TDeviceContext::BrushColor() const
{
    return state_.BrushHandle == GetStockObject(DC_BRUSH) ? state_.Modes.DcBrushColor : state_.Brush->Log.lbColor;
}

void TDeviceContext::SetClipRegion(std::optional<TRegion> clip)
{
    state_.Clip = std::move(clip);
    ClipChanged();
}

int TDeviceContext::Save()
{
    saved_.push_back(state_);
    return int(saved_.size());
}

bool TDeviceContext::Restore(int level)
{
    const long long target = level < 0 ? (long long)saved_.size() + level + 1 : level;
    if (level == 0 || target < 1 || target > (long long)saved_.size())
        return false;
    state_ = saved_[std::size_t(target - 1)];
    saved_.resize(std::size_t(target - 1));
    ClipChanged();
    return true;
}

void TDeviceContext::ForEachVisibleRect(const TRect& area, const std::function<void(const TRect&)>& fn) const
{
    SurfaceClip().ForEachRectIn(area, fn);
}

void TDeviceContext::FillSurfaceRegion(const TRegion& area, TPixel value)
{
    const TPixelView view = Pixels();
    const TRegion visible = area.Combined(SurfaceClip(), TRegionOp::And);
    visible.ForEachRect([&view, value](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                view.Write(x, y, value);
    });
}

void TDeviceContext::BlendCoverage(int left, int top, const std::uint8_t* coverage, int width, int height, int stride,
                                   COLORREF colour)
{
    if (!coverage || width <= 0 || height <= 0)
        return;
    const TPixelView view = Pixels();
    const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    auto mix = [](int from, int to, int k) { return (from * (255 - k) + to * k + 127) / 255; };
    ForEachVisibleRect(Bounds(left, top, width, height), [&](const TRect& area) {
        for (int y = area.Top; y < area.Bottom; ++y) {
            const std::uint8_t* row = coverage + std::ptrdiff_t(y - top) * stride;
            for (int x = area.Left; x < area.Right; ++x) {
                const int k = row[x - left];
                if (k == 0)
                    continue;
                const TPixel d = view.Read(x, y);
                const TPixel out = (TPixel(mix((d >> 16) & 0xFF, r, k)) << 16) |
                                   (TPixel(mix((d >> 8) & 0xFF, g, k)) << 8) | TPixel(mix(d & 0xFF, b, k));
                view.Write(x, y, out);
            }
        }
    });
}

std::shared_ptr<TDeviceContext> FindDeviceContext(HDC dc)
{
    return FindGdiObjectAs<TDeviceContext>(ToGdiObj(dc));
}

HDC CreateSurfaceDC(std::shared_ptr<TSurface> surface, TPoint baseOrigin, const TRegion& baseClip)
{
    return HandleCast<HDC>(
        RegisterGdiObject(std::make_shared<TDeviceContext>(std::move(surface), baseOrigin, baseClip)));
}

HDC CreateCompatibleDC(HDC)
{
    return HandleCast<HDC>(RegisterGdiObject(std::make_shared<TDeviceContext>()));
}

BOOL DeleteDC(HDC dc)
{
    return FindDeviceContext(dc) && UnregisterGdiObject(ToGdiObj(dc));
}

} // namespace tovrel
