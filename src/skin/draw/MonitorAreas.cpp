#include "skin/draw/MonitorAreas.h"

#include "platform/gdi/Gdi.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Wm.h"

namespace tovrel {

// The monitors come from the window layer's backend, which knows the real
// desktop; the drawing layer's fixed metrics do not.
bool IsMultiMonitor()
{
    const TskPlatformEntries& e = SkinPlatformEntries();
    return Backend().Monitors().size() > 1 && e.MonitorFromWindow != nullptr && e.GetMonitorInfoA != nullptr;
}

void GetScreenWorkArea(bool workArea, RECT& r)
{
    if (workArea) {
        SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
        return;
    }
    const std::vector<TMonitor> monitors = Backend().Monitors();
    if (monitors.empty())
        r = Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    else
        r = Rect(0, 0, monitors.front().Bounds.Width(), monitors.front().Bounds.Height());
}

void GetMonitorWorkArea(HWND wnd, bool workArea, RECT& r)
{
    if (!IsMultiMonitor()) {
        GetScreenWorkArea(workArea, r);
        return;
    }
    const TskPlatformEntries& e = SkinPlatformEntries();
    TskMonitorInfo info;
    if (!e.GetMonitorInfoA(e.MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info))
        return;
    r = workArea ? info.rcWork : info.rcMonitor;
}

namespace {

TskMonitorHandle MonitorOfWindow(TskWindowHandle wnd, std::uint32_t flags)
{
    return reinterpret_cast<TskMonitorHandle>(MonitorFromWindow(static_cast<HWND>(wnd), flags));
}

bool MonitorInfoOf(TskMonitorHandle monitor, TskMonitorInfo* info)
{
    MONITORINFO m;
    m.cbSize = sizeof(m);
    if (!GetMonitorInfo(reinterpret_cast<HMONITOR>(monitor), &m))
        return false;
    info->rcMonitor = m.rcMonitor;
    info->rcWork = m.rcWork;
    info->dwFlags = m.dwFlags;
    return true;
}

bool LayeredAttributes(TskWindowHandle wnd, COLORREF key, std::uint8_t alpha, std::uint32_t flags)
{
    return SetLayeredWindowAttributes(static_cast<HWND>(wnd), key, alpha, flags) != 0;
}

bool UpdateLayered(TskWindowHandle wnd, TskDeviceContext dst, const TPoint* dstPos, const TSize* size,
                   TskDeviceContext src, const TPoint* srcPos, COLORREF key, const TskBlendFunction* blend,
                   std::uint32_t flags)
{
    BLENDFUNCTION b;
    if (blend != nullptr) {
        b.BlendOp = blend->BlendOp;
        b.BlendFlags = blend->BlendFlags;
        b.SourceConstantAlpha = blend->SourceConstantAlpha;
        b.AlphaFormat = blend->AlphaFormat;
    }
    return UpdateLayeredWindow(static_cast<HWND>(wnd), static_cast<HDC>(dst), dstPos, size, static_cast<HDC>(src),
                               srcPos, key, blend != nullptr ? &b : nullptr, flags) != 0;
}

} // namespace

TskPlatformEntries WindowLayerPlatformEntries()
{
    TskPlatformEntries e;
    e.MonitorFromWindow = MonitorOfWindow;
    e.GetMonitorInfoA = MonitorInfoOf;
    e.SetLayeredWindowAttributes = LayeredAttributes;
    e.UpdateLayeredWindow = UpdateLayered;
    return e;
}

} // namespace tovrel
