// Showing and hiding windows, and their minimized and maximized states.
#include "platform/wm/Backend.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

namespace {

void Restore(TWindow& w)
{
    if (!(w.Style & (WS_MINIMIZE | WS_MAXIMIZE)))
        return;
    const bool wasMinimized = (w.Style & WS_MINIMIZE) != 0;
    w.Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    const HWND hwnd = w.Handle;
    const TRect r = w.RestoreRect;
    SetWindowPos(hwnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // A minimized window kept WS_VISIBLE but left the screen.
    if (auto alive = LookupWindow(hwnd); alive && wasMinimized && !alive->Parent && IsVisibleChain(*alive))
        Backend().WindowShown(hwnd, true, IsActivatable(*alive));
}

void Maximize(TWindow& w)
{
    if (w.Style & WS_MAXIMIZE)
        return;
    if (!(w.Style & WS_MINIMIZE))
        w.RestoreRect = w.Rect;
    w.Style = (w.Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    TRect area = {0, 0, w.Rect.Width(), w.Rect.Height()};
    if (w.Parent) {
        if (auto p = LookupWindow(w.Parent))
            area = {0, 0, p->Client.Width(), p->Client.Height()};
    } else {
        MONITORINFO info;
        if (GetMonitorInfo(MonitorFromWindow(w.Handle, MONITOR_DEFAULTTONEAREST), &info))
            area = info.rcWork;
    }
    SetWindowPos(w.Handle, nullptr, area.Left, area.Top, area.Width(), area.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
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
        Backend().WindowShown(hwnd, false, false);
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

} // namespace tovrel
