#pragma once
// Window and thread timers on the layer's clock (see Clock.h).
//
// A due timer is retrieved as WM_TIMER only when nothing else waits (after
// posted messages, input and paints), and at most once per retrieval: a timer
// that fell behind fires once, then runs again `elapse` ms after it was
// retrieved, as the platform's timers do. Intervals below 10 ms count as 10.
#include "platform/wm/Messages.h"

namespace tovrel {

constexpr UINT USER_TIMER_MINIMUM = 10;

// With a window: (hwnd, id) names the timer and setting it again restarts it;
// returns id (1 when id is 0). Without: a new id is chosen unless id names a
// timer of the thread. `proc` is called by DispatchMessage instead of the
// window procedure. Returns 0 for unknown windows.
ULONG_PTR SetTimer(HWND hwnd, ULONG_PTR id, UINT elapse, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, ULONG_PTR id);

} // namespace tovrel
