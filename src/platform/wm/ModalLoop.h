#pragma once
// Nested message loops for modal windows.
#include "platform/wm/Messages.h"

#include <functional>

namespace tovrel {

// Every nested loop (modal windows, menus, move and size) hands each message
// it retrieves to the message filter first, as the platform's WH_MSGFILTER
// hook; a filter that answers true has handled the message and the loop skips
// it. The application installs one, so its own handling runs in those loops too.
constexpr int MSGF_DIALOGBOX = 0, MSGF_MESSAGEBOX = 1, MSGF_MENU = 2, MSGF_MOVE = 3, MSGF_SIZE = 4;
using TMsgFilter = std::function<bool(MSG& msg, int code)>;
TMsgFilter SetMsgFilter(TMsgFilter filter); // returns the one it replaces
BOOL CallMsgFilter(MSG* msg, int code);

// Shows `hwnd` and runs a message loop until EndModalLoop(hwnd, result), the
// window's destruction (result 0 unless ended before) or WM_QUIT (posted
// again for the outer loop, result 0). Meanwhile every other enabled
// top-level window is disabled; they are enabled again before this returns.
// Loops nest: an inner loop's end leaves the outer one running. Messages pass
// the filter (MSGF_DIALOGBOX) before they are translated and dispatched.
LRESULT RunModalLoop(HWND hwnd);
BOOL EndModalLoop(HWND hwnd, LRESULT result); // false when no loop runs for hwnd

} // namespace tovrel
