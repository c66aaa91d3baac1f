#pragma once
// The control under the mouse, told CM_MOUSEENTER and CM_MOUSELEAVE, and
// reported to the application for its hints.
//
// - A windowed control counts with its whole window, frame included; a
//   graphic control by its bounds in its parent's client area. The mouse
//   control is the topmost enabled one at the pointer.
// - When it changes, the old control gets CM_MOUSELEAVE, then the new one
//   CM_MOUSEENTER.
// - While a control holds the mouse capture, only it takes part: it gets
//   CM_MOUSELEAVE once when the pointer leaves it and CM_MOUSEENTER when the
//   pointer comes back. The other controls hear nothing; once the capture
//   ends, the next move makes the control under the pointer the mouse control.
#include "platform/vcl/Control.h"

#include <functional>

namespace tovrel {

class TWinControl;

// A mouse move reached `window`: WM_MOUSEMOVE (captured or not) or WM_NCMOUSEMOVE.
void MouseMovedIn(TWinControl& window, TPoint screen, bool nonClient);
// The pointer left the part of `window` that was tracked (WM_MOUSELEAVE or WM_NCMOUSELEAVE).
void MouseLeftPart(TWinControl& window);
TControl* MouseControl();
// Told whenever the mouse control changes (null: none), for the application's hints.
void SetMouseControlHook(std::function<void(TControl*)> hook);
// A control going away stops being the mouse control, without a message.
void ForgetMouseControl(TControl* control);

} // namespace tovrel
