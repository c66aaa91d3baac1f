#pragma once
// Repeating an action while a button or arrow stays pressed: once at the
// press, again after a first delay, then at a steady interval, on a window
// timer of the layer's clock.
#include "platform/wm/WinTypes.h"

#include <functional>

namespace tovrel {

class TPressRepeat {
public:
    TPressRepeat(UINT firstDelayMs, UINT intervalMs) : firstDelay_(firstDelayMs), interval_(intervalMs) {}
    ~TPressRepeat() { Stop(); }
    // Runs `step` now and then on the timer until Stop.
    void Start(HWND hwnd, std::function<void()> step);
    void Stop();
    bool Running() const { return hwnd_ != nullptr; }
    // A WM_TIMER of the window: true when it was this repeat's.
    bool Timer(WPARAM id);

    static constexpr ULONG_PTR kTimerId = 1;

private:
    UINT firstDelay_, interval_;
    HWND hwnd_ = nullptr;
    bool first_ = true;
    std::function<void()> step_;
};

} // namespace tovrel
