#include "platform/ctrls/PressRepeat.h"

#include "platform/wm/Timers.h"
#include "platform/wm/Window.h"

namespace tovrel {

void TPressRepeat::Start(HWND hwnd, std::function<void()> step)
{
    Stop();
    hwnd_ = hwnd;
    step_ = std::move(step);
    first_ = true;
    SetTimer(hwnd_, kTimerId, firstDelay_, nullptr);
    step_();
}

void TPressRepeat::Stop()
{
    if (hwnd_ && IsWindow(hwnd_))
        KillTimer(hwnd_, kTimerId);
    hwnd_ = nullptr;
    step_ = nullptr;
}

bool TPressRepeat::Timer(WPARAM id)
{
    if (!hwnd_ || id != kTimerId)
        return false;
    if (first_) {
        first_ = false;
        SetTimer(hwnd_, kTimerId, interval_, nullptr);
    }
    // The step may stop the repeat (the thumb reached the pointer).
    if (auto step = step_)
        step();
    return true;
}

} // namespace tovrel
