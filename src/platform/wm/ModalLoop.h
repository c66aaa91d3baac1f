#pragma once
// Nested message loops for modal windows.
#include "platform/wm/Messages.h"

namespace tovrel {

// Shows `hwnd` and runs a message loop until EndModalLoop(hwnd, result), the
// window's destruction (result 0 unless ended before) or WM_QUIT (posted
// again for the outer loop, result 0). Meanwhile every other enabled
// top-level window is disabled; they are enabled again before this returns.
// Loops nest: an inner loop's end leaves the outer one running.
LRESULT RunModalLoop(HWND hwnd);
BOOL EndModalLoop(HWND hwnd, LRESULT result); // false when no loop runs for hwnd

} // namespace tovrel
