// Mouse input: the window under the pointer, hit tests, activation on click,
// cursors, capture routing and double clicks.
#include "platform/gdi/SysColors.h"
#include "platform/wm/Clock.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Layered.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <cstdlib>
#include <set>

namespace tovrel {

namespace {

std::mutex cursorMutex;
TPoint cursorPos;

struct TClickMemory {
    HWND Hwnd = nullptr;
    int Button = -1;
    std::uint64_t Time = 0;
    TPoint Pt;
    bool WasDouble = false;
};
TClickMemory lastClick;

constexpr UINT kButtonVk[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
constexpr UINT kClientDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};

enum class TButtonEdge { Down, Up, DoubleClick };

// The message of a button event over the hit-test area `hit`: the client
// message over the client area, the non-client one elsewhere.
UINT ButtonMessage(int button, TButtonEdge edge, LRESULT hit = HTCLIENT)
{
    const UINT down =
        hit == HTCLIENT ? kClientDown[button] : UINT(WM_NCLBUTTONDOWN + (kClientDown[button] - WM_LBUTTONDOWN));
    // Each button's messages run down, up, double click.
    switch (edge) {
    case TButtonEdge::Down: return down;
    case TButtonEdge::Up: return down + 1;
    case TButtonEdge::DoubleClick: return down + 2;
    }
    return down;
}

// Layered windows are seen but not hit where they let the mouse through, so
// glow and border layers never take it from the window below.
bool Hittable(const std::shared_ptr<TWindow>& w, TPoint screen, const std::set<HWND>& skip)
{
    if (!w || skip.count(w->Handle) || !(w->Style & WS_VISIBLE) || !InWindowShape(*w, screen))
        return false;
    const TPoint origin = ScreenOrigin(*w);
    return !LayeredPassesMouseAt(w->Handle, {screen.X - origin.X, screen.Y - origin.Y});
}

HWND DeepestChildAt(const TWindow& parent, TPoint screen, const std::set<HWND>& skip)
{
    const TPoint clientOrigin = ClientScreenOrigin(parent);
    const TRect client = Offset(parent.Client, -parent.Client.Left, -parent.Client.Top);
    if (!client.Contains({screen.X - clientOrigin.X, screen.Y - clientOrigin.Y}))
        return parent.Handle;
    for (HWND h : parent.Children) {
        auto child = LookupWindow(h);
        if (!Hittable(child, screen, skip))
            continue;
        if (child->Style & WS_DISABLED)
            return parent.Handle; // a disabled child passes the mouse to its parent
        return DeepestChildAt(*child, screen, skip);
    }
    return parent.Handle;
}

HWND DeepestAt(TPoint screen, const std::set<HWND>& skip)
{
    for (HWND top : WindowSystem().TopLevels) {
        auto w = LookupWindow(top);
        if (!Hittable(w, screen, skip))
            continue;
        return DeepestChildAt(*w, screen, skip);
    }
    return nullptr;
}

bool IsDoubleClick(HWND hwnd, int button, TPoint pt, bool allowed)
{
    const std::uint64_t now = Clock()->NowMs();
    const int cx = GetSystemMetrics(SM_CXDOUBLECLK) / 2, cy = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const bool dbl = allowed && lastClick.Hwnd == hwnd && lastClick.Button == button && !lastClick.WasDouble &&
                     now - lastClick.Time <= GetDoubleClickTime() && std::abs(pt.X - lastClick.Pt.X) <= cx &&
                     std::abs(pt.Y - lastClick.Pt.Y) <= cy;
    lastClick = {hwnd, button, now, pt, dbl};
    return dbl;
}

bool ClassWantsDoubleClicks(HWND hwnd)
{
    return (GetClassLongPtr(hwnd, GCL_STYLE) & CS_DBLCLKS) != 0;
}

TPoint ToClient(HWND hwnd, TPoint screen)
{
    ScreenToClient(hwnd, &screen);
    return screen;
}

void CookMouseToCapture(const TRawInput& raw, HWND capture)
{
    auto w = LookupWindow(capture);
    UpdateMouseTracking(w && InWindowShape(*w, raw.Pt) ? capture : nullptr, false, raw.Pt);
    const LPARAM at = LParamFromPoint(ToClient(capture, raw.Pt));
    switch (raw.Kind) {
    case TRawKind::MouseMove: QueueCooked(capture, WM_MOUSEMOVE, MouseKeyFlags(), at, &raw.Pt); break;
    case TRawKind::MouseDown: {
        NotifyParentsOfPress(capture, kClientDown[raw.Button], raw.Pt);
        if (!IsWindow(capture))
            return;
        const bool dbl = IsDoubleClick(capture, raw.Button, raw.Pt, ClassWantsDoubleClicks(capture));
        QueueCooked(capture, ButtonMessage(raw.Button, dbl ? TButtonEdge::DoubleClick : TButtonEdge::Down),
                    MouseKeyFlags(), at, &raw.Pt);
        break;
    }
    case TRawKind::MouseUp:
        QueueCooked(capture, ButtonMessage(raw.Button, TButtonEdge::Up), MouseKeyFlags(), at, &raw.Pt);
        break;
    default: break;
    }
}

// Activation on a press into an inactive window; false when the press is eaten.
bool ActivateOnPress(HWND target, LRESULT hit, UINT message)
{
    auto w = LookupWindow(target);
    auto top = w ? TopLevelOf(*w) : nullptr;
    if (!top || top->Handle == GetActiveWindow())
        return true;
    const LRESULT answer =
        SendMessage(target, WM_MOUSEACTIVATE, WPARAM(top->Handle), MAKELPARAM(int(hit), int(message)));
    if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT || answer == 0) && IsActivatable(*top))
        ActivateFromClick(top->Handle);
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

void CookMouse(const TRawInput& raw)
{
    const bool button = raw.Kind == TRawKind::MouseDown || raw.Kind == TRawKind::MouseUp;
    if (button)
        SetSyncKeyState(kButtonVk[raw.Button], raw.Kind == TRawKind::MouseDown);
    if (HWND capture = GetCapture(); capture && IsWindow(capture)) {
        CookMouseToCapture(raw, capture);
        return;
    }
    LRESULT hit = HTNOWHERE;
    const HWND target = HitTarget(raw.Pt, &hit);
    UpdateMouseTracking(target, hit != HTCLIENT, raw.Pt);
    if (!target)
        return;
    const bool nonClient = hit != HTCLIENT;
    const bool down = raw.Kind == TRawKind::MouseDown;
    UINT message = raw.Kind == TRawKind::MouseMove
                       ? (nonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE)
                       : ButtonMessage(raw.Button, down ? TButtonEdge::Down : TButtonEdge::Up, hit);
    auto w = LookupWindow(target);
    if (!IsEnabledChain(*w)) {
        SendMessage(target, WM_SETCURSOR, WPARAM(target), MAKELPARAM(int(HTERROR), int(message)));
        return;
    }
    if (down) {
        // The parents hear of the press before anything else happens to it.
        NotifyParentsOfPress(target, kClientDown[raw.Button], raw.Pt);
        if (!IsWindow(target) || !ActivateOnPress(target, hit, message))
            return;
    }
    if (!IsWindow(target))
        return;
    SendMessage(target, WM_SETCURSOR, WPARAM(target), MAKELPARAM(int(hit), int(message)));
    if (!IsWindow(target))
        return;
    if (down && IsDoubleClick(target, raw.Button, raw.Pt, nonClient || ClassWantsDoubleClicks(target)))
        message = ButtonMessage(raw.Button, TButtonEdge::DoubleClick, hit);
    if (nonClient)
        QueueCooked(target, message, WPARAM(hit), LParamFromPoint(raw.Pt), &raw.Pt);
    else
        QueueCooked(target, message, MouseKeyFlags(), LParamFromPoint(ToClient(target, raw.Pt)), &raw.Pt);
}

void CookWheel(const TRawInput& raw)
{
    auto& sys = WindowSystem();
    HWND target = sys.Focus && IsWindow(sys.Focus) ? sys.Focus : sys.Active;
    if (!target || !IsWindow(target))
        return;
    QueueCooked(target, raw.Kind == TRawKind::HWheel ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
                MAKEWPARAM(int(MouseKeyFlags()), raw.Delta), LParamFromPoint(raw.Pt));
}

void PostMouse(TRawKind kind, TPoint screen, int button, int delta)
{
    {
        std::lock_guard lock(cursorMutex);
        cursorPos = screen;
    }
    TRawInput input;
    input.Kind = kind;
    input.Pt = screen;
    input.Button = button < 0 || button > 2 ? 0 : button;
    input.Delta = delta;
    MessageQueue().PostRaw(std::move(input));
}

} // namespace

bool InWindowShape(const TWindow& w, TPoint screen)
{
    const TPoint o = ScreenOrigin(w);
    const TPoint local{screen.X - o.X, screen.Y - o.Y};
    if (!TRect{0, 0, w.Rect.Width(), w.Rect.Height()}.Contains(local))
        return false;
    return !w.Region || w.Region->Contains(local.X, local.Y);
}

void CookKey(const TRawInput& raw);
void CookText(const TRawInput& raw);

WPARAM MouseKeyFlags()
{
    WPARAM f = 0;
    if (GetKeyState(VK_LBUTTON) < 0)
        f |= MK_LBUTTON;
    if (GetKeyState(VK_RBUTTON) < 0)
        f |= MK_RBUTTON;
    if (GetKeyState(VK_MBUTTON) < 0)
        f |= MK_MBUTTON;
    if (GetKeyState(VK_SHIFT) < 0)
        f |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        f |= MK_CONTROL;
    return f;
}

bool CookNextInput()
{
    auto raw = MessageQueue().TakeRaw();
    if (!raw)
        return false;
    if (raw->Kind != TRawKind::Text)
        ForgetUntranslatedKeyDown();
    switch (raw->Kind) {
    case TRawKind::MouseMove:
    case TRawKind::MouseDown:
    case TRawKind::MouseUp: CookMouse(*raw); break;
    case TRawKind::Wheel:
    case TRawKind::HWheel: CookWheel(*raw); break;
    case TRawKind::KeyDown:
    case TRawKind::KeyUp: CookKey(*raw); break;
    case TRawKind::Text: CookText(*raw); break;
    case TRawKind::AppDeactivated: SetActiveWindow(nullptr); break;
    }
    return true;
}

HWND DeepestWindowAt(TPoint screen, HWND skip)
{
    std::set<HWND> skipped;
    if (skip)
        skipped.insert(skip);
    return DeepestAt(screen, skipped);
}

HWND HitTarget(TPoint screen, LRESULT* hit)
{
    std::set<HWND> skipped;
    for (;;) {
        const HWND hwnd = DeepestAt(screen, skipped);
        if (!hwnd) {
            *hit = HTNOWHERE;
            return nullptr;
        }
        *hit = SendMessage(hwnd, WM_NCHITTEST, 0, LParamFromPoint(screen));
        if (*hit != HTTRANSPARENT && IsWindow(hwnd))
            return hwnd;
        skipped.insert(hwnd);
    }
}

HWND WindowFromPoint(POINT p)
{
    LRESULT hit = HTNOWHERE;
    return HitTarget(p, &hit);
}

void InjectMouseMove(TPoint screen)
{
    PostMouse(TRawKind::MouseMove, screen, 0, 0);
}
void InjectMouseButton(int button, bool down, TPoint screen)
{
    if (button >= 0 && button <= 2)
        SetAsyncKeyState(kButtonVk[button], down);
    PostMouse(down ? TRawKind::MouseDown : TRawKind::MouseUp, screen, button, 0);
}
void InjectMouseWheel(int delta, TPoint screen, bool horizontal)
{
    PostMouse(horizontal ? TRawKind::HWheel : TRawKind::Wheel, screen, 0, delta);
}

BOOL GetCursorPos(POINT* p)
{
    if (!p)
        return 0;
    std::lock_guard lock(cursorMutex);
    *p = cursorPos;
    return 1;
}

BOOL SetCursorPos(int x, int y)
{
    InjectMouseMove({x, y});
    return 1;
}

UINT GetDoubleClickTime()
{
    return 500;
}

} // namespace tovrel
