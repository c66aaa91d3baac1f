// Showing and hiding windows, and their minimized and maximized states.
#include "platform/gdi/SysColors.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>

namespace tovrel {

namespace {

// A state change that kept the size still tells the window (SetWindowPos sent
// WM_SIZE only for a new size).
void SendSizeIfUnchanged(const TWindow& w, const TRect& before, WPARAM kind)
{
    if (w.Rect.Width() == before.Width() && w.Rect.Height() == before.Height())
        SendMessage(w.Handle, WM_SIZE, kind, MAKELPARAM(w.Client.Width(), w.Client.Height()));
}

void Restore(TWindow& w)
{
    if (!(w.Style & (WS_MINIMIZE | WS_MAXIMIZE)))
        return;
    const bool wasMinimized = (w.Style & WS_MINIMIZE) != 0;
    w.Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    const HWND hwnd = w.Handle;
    const TRect before = w.Rect;
    const TRect r = w.RestoreRect;
    SetWindowPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    auto alive = LookupWindow(hwnd);
    if (!alive || !wasMinimized)
        return;
    // A minimized window kept WS_VISIBLE and its size but left the screen.
    if (!alive->Parent && IsVisibleChain(*alive))
        Backend().WindowMinimized(hwnd, false);
    // The frame change above repainted it whole.
    SendSizeIfUnchanged(*alive, before, SIZE_RESTORED);
}

// The maximized rectangle: the work area (the parent's client area for a child),
// as WM_GETMINMAXINFO may change it, within its track sizes.
TRect MaximizedRect(const TWindow& w)
{
    TRect area = {0, 0, w.Rect.Width(), w.Rect.Height()};
    if (w.Parent) {
        if (auto p = LookupWindow(w.Parent))
            area = {0, 0, p->Client.Width(), p->Client.Height()};
    } else {
        MONITORINFO info;
        if (GetMonitorInfo(MonitorFromWindow(w.Handle, MONITOR_DEFAULTTONEAREST), &info))
            area = info.rcWork;
    }
    MINMAXINFO info;
    info.ptMaxSize = {area.Width(), area.Height()};
    info.ptMaxPosition = {area.Left, area.Top};
    info.ptMinTrackSize = {GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN)};
    info.ptMaxTrackSize = {kMaxWindowExtent, kMaxWindowExtent};
    SendMessage(w.Handle, WM_GETMINMAXINFO, 0, ToLParam(&info));
    const int maxX = std::max(info.ptMinTrackSize.X, info.ptMaxTrackSize.X);
    const int maxY = std::max(info.ptMinTrackSize.Y, info.ptMaxTrackSize.Y);
    return Bounds(info.ptMaxPosition.X, info.ptMaxPosition.Y, std::clamp(info.ptMaxSize.X, info.ptMinTrackSize.X, maxX),
                  std::clamp(info.ptMaxSize.Y, info.ptMinTrackSize.Y, maxY));
}

void Maximize(TWindow& w)
{
    if (w.Style & WS_MAXIMIZE)
        return;
    if (!(w.Style & WS_MINIMIZE))
        w.RestoreRect = w.Rect;
    const HWND hwnd = w.Handle;
    const TRect area = MaximizedRect(w);
    auto alive = LookupWindow(hwnd);
    if (!alive)
        return;
    alive->Style = (alive->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    const TRect before = alive->Rect;
    SetWindowPos(hwnd, nullptr, area.Left, area.Top, area.Width(), area.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (auto maximized = LookupWindow(hwnd))
        SendSizeIfUnchanged(*maximized, before, SIZE_MAXIMIZED);
}

void Minimize(TWindow& w)
{
    if (w.Style & WS_MINIMIZE)
        return;
    if (!(w.Style & WS_MAXIMIZE))
        w.RestoreRect = w.Rect;
    w.Style |= WS_MINIMIZE;
    w.Style &= ~WS_MAXIMIZE;
    const HWND hwnd = w.Handle;
    if (!w.Parent)
        Backend().WindowMinimized(hwnd, true);
    SendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
    if (auto alive = LookupWindow(hwnd))
        RefreshActivationAfterHide(*alive);
}

} // namespace

BOOL ShowWindow(HWND hwnd, int command)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    const BOOL wasVisible = (w->Style & WS_VISIBLE) ? 1 : 0;
    if (command == SW_HIDE) {
        if (!wasVisible)
            return 0;
        SendMessage(hwnd, WM_SHOWWINDOW, 0, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return wasVisible;
    }
    bool activate = true;
    switch (command) {
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA: activate = false; break;
    case SW_SHOWNORMAL:
    case SW_RESTORE: Restore(*w); break;
    case SW_SHOWMAXIMIZED: Maximize(*w); break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: activate = false; break;
    default: break;
    }
    if (!(w = LookupWindow(hwnd)))
        return wasVisible;
    if (!wasVisible) {
        SendMessage(hwnd, WM_SHOWWINDOW, 1, 0);
        if (!(w = LookupWindow(hwnd)))
            return wasVisible;
    }
    UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
    if (!activate || w->Parent)
        flags |= SWP_NOACTIVATE | (wasVisible ? SWP_NOZORDER : 0);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, flags);
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE)
        if (auto alive = LookupWindow(hwnd))
            Minimize(*alive);
    return wasVisible;
}

void InjectWindowMinimized(HWND hwnd, bool minimized)
{
    if (auto w = LookupWindow(hwnd);
        w && !w->Parent && (w->Style & WS_VISIBLE) && ((w->Style & WS_MINIMIZE) != 0) != minimized)
        SendMessage(hwnd, WM_SYSCOMMAND, minimized ? SC_MINIMIZE : SC_RESTORE, 0);
}

} // namespace tovrel
