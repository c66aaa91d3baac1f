#pragma once
// A size grip in a child control sizes the form it sits in, the way the
// platform's status bar does: only where the control's bottom-right corner
// is the top-level window's client corner, and only while that window is
// sizable and neither maximized nor minimized. The press runs the layer's
// size loop on the top-level window from its bottom-right edge.
#include "platform/wm/WinTypes.h"

namespace tovrel {

bool GripCanSizeForm(HWND control);
// Sizes the top-level window of `control` by the pointer's movement from
// `screenPoint` (the press); false when the grip cannot size it.
bool SizeFormFromGrip(HWND control, TPoint screenPoint);

} // namespace tovrel
