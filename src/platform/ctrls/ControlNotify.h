#pragma once
// How the standard controls tell their framework side about changes they
// made themselves.
#include "platform/ctrls/CommonControls.h"
#include "platform/vcl/WinControl.h"

#include <string>
#include <string_view>

namespace tovrel {

// Sends a WM_COMMAND notification the way the framework delivers it:
// reflected to the control itself as CN_COMMAND (control id and code in
// WParam, the window in LParam). Nothing is sent while the control is being
// created or destroyed.
void NotifyCommand(TWinControl& control, WORD code);

// Sends a WM_NOTIFY notification the same way, as CN_NOTIFY: the header of
// `notice` (its first member) gets the control's window, id and `code`.
// Nothing is sent, and 0 returned, while the control is being destroyed.
LRESULT SendReflectedNotify(TWinControl& control, int code, NMHDR& notice);

// Keeps Text() and the window text in step with text the control changed
// itself (typing, a chosen item): hooks on WindowProc see no WM_SETTEXT or
// CM_TEXTCHANGED nobody sent. Meanwhile SettingTextQuietly(control) is true,
// so the control's own handlers can let both pass.
void SetTextQuietly(TControl& control, const std::string& text);
bool SettingTextQuietly(const TControl& control);

// Whether a typed character (CM_DIALOGCHAR's WParam, either case) is the
// "&" accelerator of a caption.
bool IsAccelChar(WPARAM ch, std::string_view caption);

} // namespace tovrel
