#include "platform/vcl/MouseControl.h"

#include "platform/vcl/WinControl.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/WindowPos.h"

namespace tovrel {

namespace {

TControl* mouseControl = nullptr;

std::function<void(TControl*)>& Hook()
{
    static std::function<void(TControl*)> hook;
    return hook;
}

void Changed(TControl* control)
{
    if (Hook())
        Hook()(control);
}

// The window itself, or one of the graphic controls it paints.
bool IsPartOf(const TControl* control, const TWinControl& window)
{
    return control == &window ||
           (control && control->Parent() == &window && !dynamic_cast<const TWinControl*>(control));
}

// The control at a screen point over `window`: the window on its frame, else
// its topmost enabled graphic child there.
TControl* ControlInWindow(TWinControl& window, TPoint screen)
{
    const TPoint p = window.ScreenToClient(screen);
    if (!window.ClientRect().Contains(p))
        return &window;
    TControl* child = window.ControlAtPos(p, false);
    return child ? child : &window;
}

// While `window` holds the capture: the control holding it (the window or a
// graphic child) when the pointer is over that control, else none.
TControl* CaptureHolderAt(TWinControl& window, TPoint screen)
{
    TControl* holder = GetCaptureControl();
    if (!IsPartOf(holder, window))
        holder = &window;
    if (WindowFromPoint(screen) != window.Handle())
        return nullptr;
    return ControlInWindow(window, screen) == holder ? holder : nullptr;
}

void SetMouseControl(TControl* control)
{
    if (control == mouseControl)
        return;
    TControl* old = mouseControl;
    mouseControl = control;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    // The handlers may have moved it on already.
    if (control && mouseControl == control)
        control->Perform(CM_MOUSEENTER, 0, 0);
    if (mouseControl == control)
        Changed(control);
}

} // namespace

void MouseMovedIn(TWinControl& window, TPoint screen, bool nonClient)
{
    if (!window.HandleAllocated())
        return;
    const HWND hwnd = window.Handle();
    const bool captured = GetCapture() == hwnd;
    TControl* under = captured    ? CaptureHolderAt(window, screen)
                      : nonClient ? &window
                                  : ControlInWindow(window, screen);
    SetMouseControl(under);
    if (!under)
        return;
    // Captured moves are tracked as the client's wherever they are.
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE | (nonClient && !captured ? TME_NONCLIENT : 0);
    track.hwndTrack = hwnd;
    TrackMouseEvent(&track);
}

void MouseLeftPart(TWinControl& window)
{
    if (!IsPartOf(mouseControl, window) || !window.HandleAllocated())
        return;
    // Gone from the client area to the frame, or back: still over the window.
    const DWORD at = GetMessagePos();
    if (!GetCapture() && WindowFromPoint(Point(SHORT(LOWORD(at)), SHORT(HIWORD(at)))) == window.Handle())
        return;
    SetMouseControl(nullptr);
}

TControl* MouseControl()
{
    return mouseControl;
}

void SetMouseControlHook(std::function<void(TControl*)> hook)
{
    Hook() = std::move(hook);
}

void ForgetMouseControl(TControl* control)
{
    if (control && mouseControl == control) {
        mouseControl = nullptr;
        Changed(nullptr);
    }
}

} // namespace tovrel
