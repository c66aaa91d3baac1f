#pragma once
// The arithmetic of the push button's hover effects.
#include "platform/gdi/GdiTypes.h"

namespace tovrel {

// Frame n (from 1) of an animation strip: side by side when the strip is wider
// than the skin rectangle, else one below the other. The caller makes sure
// frameCount is at least 1.
TRect AnimationFrameRect(const TRect& strip, const TRect& skinRect, int frameCount, int n);

} // namespace tovrel
