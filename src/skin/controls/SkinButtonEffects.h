#pragma once
// The arithmetic of the push button's hover effects.
#include "platform/gdi/GdiTypes.h"

namespace tovrel {

// Frame n (from 1) of an animation strip: side by side when the strip is wider
// than the skin rectangle, else one below the other. The caller makes sure
// frameCount is at least 1.
TRect AnimationFrameRect(const TRect& strip, const TRect& skinRect, int frameCount, int n);

// The frames of a hover animation: forward from frame 1 until past the last,
// backward from the last until 0. Every tick moves one frame and repaints.
struct TskFrameAnimation {
    int CurrentFrame = 0;
    bool Inc = false;
    void Start(bool inc, int frameCount)
    {
        Inc = inc;
        CurrentFrame = inc ? 1 : frameCount;
    }
    // One frame on; true when the animation has ended.
    bool Tick(int frameCount)
    {
        CurrentFrame += Inc ? 1 : -1;
        return Inc ? CurrentFrame > frameCount : CurrentFrame <= 0;
    }
    // While it runs, the current frame replaces the hot picture (forward) or
    // the normal one (backward).
    void ApplyFrame(TRect& hot, TRect& normal, const TRect& strip, const TRect& skinRect, int frameCount) const
    {
        if (frameCount < 1 || CurrentFrame < 1 || CurrentFrame > frameCount)
            return;
        (Inc ? hot : normal) = AnimationFrameRect(strip, skinRect, frameCount, CurrentFrame);
    }
};

} // namespace tovrel
