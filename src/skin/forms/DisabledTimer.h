#pragma once
// The frame's and the menu bar's timers: created off, switched on when needed.
#include "platform/vcl/Timer.h"

#include <functional>

namespace tovrel {

inline TTimer* DisabledTimer(TComponent* owner, unsigned interval, std::function<void()> tick)
{
    auto* timer = new TTimer(owner);
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->SetOnTimer([tick = std::move(tick)](TObject*) { tick(); });
    return timer;
}

} // namespace tovrel
