#pragma once
// The push button's window timers: each runs only while its transition or
// repeat does.
#include "platform/wm/WinTypes.h"

namespace tovrel {

constexpr ULONG_PTR kRepeatTimerId = 1, kMorphTimerId = 2, kAnimateTimerId = 3;

} // namespace tovrel
