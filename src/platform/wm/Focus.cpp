// Activation of top-level windows and the keyboard focus.
#include "platform/wm/Backend.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

bool IsActivatable(const TWindow& w)
{
    if (w.Parent || w.Destroying || w.Destroyed)
        return false;
    if (w.ExStyle & WS_EX_NOACTIVATE)
        return false;
    const bool captioned = (w.Style & WS_CAPTION) == WS_CAPTION;
    if ((w.Style & WS_POPUP) && (w.ExStyle & WS_EX_TOOLWINDOW) && !captioned)
        return false;
    return (w.Style & WS_DISABLED) == 0;
}

namespace {

HWND RootOf(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    auto top = TopLevelOf(*w);
    return top ? top->Handle : nullptr;
}

void SendActivateApp(bool active, HWND other)
{
    const auto tops = WindowSystem().TopLevels;
    for (HWND top : tops)
        if (top != other || active)
            SendMessage(top, WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

WPARAM ActivateWParam(HWND hwnd, WORD state)
{
    return MAKEWPARAM(state, IsIconic(hwnd) ? 1 : 0);
}

// First among the windows of its kind (topmost or not).
bool IsFrontmost(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    for (HWND top : WindowSystem().TopLevels) {
        auto t = LookupWindow(top);
        if (t && ((t->ExStyle ^ w->ExStyle) & WS_EX_TOPMOST) == 0)
            return top == hwnd;
    }
    return false;
}

// Moves activation to `next` (a top-level window or null).
void ActivateTopLevel(HWND next, WORD how)
{
    auto& sys = WindowSystem();
    const HWND old = sys.Active;
    if (old == next)
        return;
    if (next) {
        auto w = LookupWindow(next);
        if (!w || !IsActivatable(*w))
            return;
    }
    if (old && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, 0, 0);
        SendMessage(old, WM_ACTIVATE, ActivateWParam(old, WA_INACTIVE), LPARAM(next));
    }
    sys.Active = next && IsWindow(next) ? next : nullptr;
    if (!old && sys.Active)
        SendActivateApp(true, nullptr);
    if (old && !sys.Active)
        SendActivateApp(false, nullptr);
    if (!sys.Active) {
        SetFocus(nullptr);
        return;
    }
    if (!IsFrontmost(next))
        SetWindowPos(next, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Backend().WindowRaised(next);
    SendMessage(next, WM_NCACTIVATE, 1, 0);
    SendMessage(next, WM_ACTIVATE, ActivateWParam(next, how), LPARAM(old));
    // The focus never stays in a window that is no longer active.
    if (sys.Focus && RootOf(sys.Focus) != sys.Active)
        SetFocus(nullptr);
}

} // namespace

void ActivateFromClick(HWND top)
{
    ActivateTopLevel(top, WA_CLICKACTIVE);
}

HWND SetActiveWindow(HWND hwnd)
{
    const HWND old = WindowSystem().Active;
    if (hwnd && !IsWindow(hwnd))
        return nullptr;
    ActivateTopLevel(hwnd ? RootOf(hwnd) : nullptr, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow()
{
    return WindowSystem().Active;
}
BOOL SetForegroundWindow(HWND hwnd)
{
    SetActiveWindow(hwnd);
    return hwnd && GetActiveWindow() == RootOf(hwnd) ? 1 : 0;
}
HWND GetForegroundWindow()
{
    return GetActiveWindow();
}

HWND SetFocus(HWND hwnd)
{
    auto& sys = WindowSystem();
    const HWND old = sys.Focus;
    if (!hwnd) {
        sys.Focus = nullptr;
        if (old)
            SendMessage(old, WM_KILLFOCUS, 0, 0);
        return old;
    }
    auto w = LookupWindow(hwnd);
    if (!w || w->Destroying || !IsEnabledChain(*w))
        return nullptr;
    auto top = TopLevelOf(*w);
    if (!top || !IsActivatable(*top))
        return nullptr; // popups and hints never take the focus
    if (hwnd == old)
        return old;
    if (sys.Active != top->Handle) {
        ActivateTopLevel(top->Handle, WA_ACTIVE);
        if (sys.Active != top->Handle || !IsWindow(hwnd))
            return nullptr;
        if (sys.Focus == hwnd)
            return old;
    }
    const HWND previous = sys.Focus;
    if (previous)
        SendMessage(previous, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (!IsWindow(hwnd))
        return nullptr;
    sys.Focus = hwnd;
    SendMessage(hwnd, WM_SETFOCUS, WPARAM(previous), 0);
    return old;
}

HWND GetFocus()
{
    return WindowSystem().Focus;
}

HWND SetCapture(HWND hwnd)
{
    auto& sys = WindowSystem();
    const HWND old = sys.Capture;
    if (!IsWindow(hwnd))
        return nullptr;
    sys.Capture = hwnd;
    if (old && old != hwnd)
        SendMessage(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    return old;
}

BOOL ReleaseCapture()
{
    auto& sys = WindowSystem();
    const HWND old = sys.Capture;
    sys.Capture = nullptr;
    if (old)
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return 1;
}

HWND GetCapture()
{
    return WindowSystem().Capture;
}

namespace {

bool Contains(const TWindow& ancestor, HWND hwnd)
{
    return hwnd == ancestor.Handle || IsChild(ancestor.Handle, hwnd);
}

// A minimized window takes its owned windows off the screen with it: activating
// one of them would make a window manager bring the whole group back.
bool CanTakeActivation(const TWindow& w)
{
    return IsActivatable(w) && IsVisibleChain(w) && !HasMinimizedOwner(w.Handle);
}

HWND NextActivatable(const TWindow& leaving)
{
    auto owner = LookupWindow(leaving.Owner);
    if (owner && CanTakeActivation(*owner))
        return owner->Handle;
    for (HWND top : WindowSystem().TopLevels) {
        auto w = LookupWindow(top);
        if (w && w.get() != &leaving && CanTakeActivation(*w))
            return top;
    }
    return nullptr;
}

} // namespace

void ForgetWindowInput(TWindow& w)
{
    auto& sys = WindowSystem();
    if (sys.Capture && Contains(w, sys.Capture))
        ReleaseCapture();
    if (sys.Focus && Contains(w, sys.Focus))
        SetFocus(nullptr);
    if (sys.Active == w.Handle)
        ActivateTopLevel(NextActivatable(w), WA_ACTIVE);
}

void RefreshActivationAfterHide(TWindow& w)
{
    auto& sys = WindowSystem();
    if (sys.Capture && Contains(w, sys.Capture))
        ReleaseCapture();
    if (!w.Parent && sys.Active == w.Handle)
        ActivateTopLevel(NextActivatable(w), WA_ACTIVE);
}

} // namespace tovrel
