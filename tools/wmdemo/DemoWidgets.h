#pragma once
// The demo's three kinds of window: coloured panels with a caption, a
// drop-down list that never takes the focus, and a one-line text field that
// takes typed and input-method text.
#include "platform/wm/Wm.h"

#include <string>
#include <vector>

namespace tovrel::demo {

void RegisterDemoClasses();

// A panel painted in `colour` with its text at the top-left.
HWND CreatePanel(HWND parent, TRect bounds, COLORREF colour, const std::string& text);
// A button-like panel that opens `list` below itself when pressed.
HWND CreateDropButton(HWND parent, TRect bounds, const std::string& text, HWND list);
// A no-activate popup listing `items`; a click on one sets `target`'s text and hides the list.
HWND CreateDropList(HWND owner, const std::vector<std::string>& items, HWND target);
HWND CreateTextField(HWND parent, TRect bounds);

} // namespace tovrel::demo
