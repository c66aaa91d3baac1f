#include "platform/wm/Monitors.h"

#include "platform/wm/Backend.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <atomic>
#include <climits>

namespace tovrel {

namespace {

HMONITOR MonitorHandle(std::size_t index)
{
    return reinterpret_cast<HMONITOR>(index + 1);
}

long long DistanceSquared(const TRect& r, TPoint p)
{
    const long long dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
    const long long dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
    return dx * dx + dy * dy;
}

HMONITOR Fallback(const std::vector<TMonitor>& monitors, TPoint p, DWORD flags)
{
    if (monitors.empty() || flags == MONITOR_DEFAULTTONULL)
        return nullptr;
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return MonitorHandle(0);
    std::size_t best = 0;
    long long bestDistance = LLONG_MAX;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const long long d = DistanceSquared(monitors[i].Bounds, p);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return MonitorHandle(best);
}

} // namespace

HMONITOR MonitorFromPoint(POINT p, DWORD flags)
{
    const auto monitors = Backend().Monitors();
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].Bounds.Contains(p))
            return MonitorHandle(i);
    return Fallback(monitors, p, flags);
}

HMONITOR MonitorFromRect(const RECT* r, DWORD flags)
{
    if (!r)
        return nullptr;
    const auto monitors = Backend().Monitors();
    long long bestArea = 0;
    HMONITOR best = nullptr;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const TRect overlap = Intersect(monitors[i].Bounds, *r);
        const long long area = (long long)overlap.Width() * overlap.Height();
        if (area > bestArea) {
            bestArea = area;
            best = MonitorHandle(i);
        }
    }
    return best ? best : Fallback(monitors, {r->Left + r->Width() / 2, r->Top + r->Height() / 2}, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    const auto monitors = Backend().Monitors();
    const std::size_t index = reinterpret_cast<std::size_t>(monitor);
    if (!info || index == 0 || index > monitors.size() || info->cbSize < sizeof(MONITORINFO))
        return 0;
    info->rcMonitor = monitors[index - 1].Bounds;
    info->rcWork = monitors[index - 1].WorkArea;
    info->dwFlags = index == 1 ? MONITORINFOF_PRIMARY : 0;
    return 1;
}

void NotifyDisplayChange()
{
    const auto monitors = Backend().Monitors();
    const TRect primary = monitors.empty() ? TRect{} : monitors.front().Bounds;
    const LPARAM size = MAKELPARAM(primary.Width(), primary.Height());
    // A copy: a handler may create or destroy windows.
    const std::vector<HWND> topLevels = WindowSystem().TopLevels;
    for (HWND hwnd : topLevels)
        SendMessage(hwnd, WM_DISPLAYCHANGE, 32, size);
}

BOOL SystemParametersInfo(UINT action, UINT, void* value, UINT)
{
    if (!value)
        return 0;
    switch (action) {
    case SPI_GETWORKAREA: {
        const auto monitors = Backend().Monitors();
        if (monitors.empty())
            return 0;
        *static_cast<RECT*>(value) = monitors.front().WorkArea;
        return 1;
    }
    case SPI_GETDRAGFULLWINDOWS: *static_cast<BOOL*>(value) = 1; return 1;
    case SPI_GETWHEELSCROLLLINES: *static_cast<UINT*>(value) = 3; return 1;
    default: return 0;
    }
}

BOOL SetClipboardText(std::string_view text)
{
    Backend().SetClipboardText(std::string(text));
    return 1;
}

std::string GetClipboardText()
{
    return Backend().ClipboardText();
}
namespace {
std::atomic<int> beeps{0};
} // namespace

BOOL MessageBeep(UINT)
{
    ++beeps;
    return 1;
}

int BeepCount()
{
    return beeps;
}

BOOL IsClipboardTextAvailable()
{
    return Backend().ClipboardText().empty() ? 0 : 1;
}

} // namespace tovrel
