#pragma once
// The alpha of a menu popup where the desktop has layered windows, and its
// fade-in from clear: one step per tick of the shortest timer, so the fade
// runs from the message loop and the layer's clock instead of holding the
// thread in a waiting loop. Without layered windows the popup stays opaque.
#include "platform/wm/Messages.h"

#include <cstdint>
#include <memory>

namespace tovrel {

class TTimer;

constexpr unsigned kPopupFadeStepMs = 10;

class TskPopupFade {
public:
    TskPopupFade();
    ~TskPopupFade();

    // Before the window shows: layered at `alpha`, or clear when it fades in
    // by `step` per tick. Nothing when `translucent` is off or the desktop
    // has no layered windows.
    void Prepare(HWND wnd, bool translucent, bool fadeIn, std::uint8_t alpha, int step);
    // Once the window shows: a prepared fade-in starts.
    void Start();
    void Stop();

private:
    void Tick();

    std::unique_ptr<TTimer> timer_;
    HWND wnd_ = nullptr;
    bool fadeIn_ = false;
    int alpha_ = 0, target_ = 0, step_ = 1;
};

} // namespace tovrel
