#include "platform/wm/Clock.h"

#include <chrono>
#include <mutex>

namespace tovrel {

std::uint64_t TSteadyClock::NowMs()
{
    using namespace std::chrono;
    return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int TSteadyClock::SleepMsUntil(std::uint64_t dueMs)
{
    const std::uint64_t now = NowMs();
    if (dueMs <= now)
        return 0;
    const std::uint64_t wait = dueMs - now;
    return wait > 0x7FFFFFFF ? 0x7FFFFFFF : int(wait);
}

namespace {
std::mutex clockMutex;
std::shared_ptr<TClock>& CurrentClock()
{
    static std::shared_ptr<TClock> clock = std::make_shared<TSteadyClock>();
    return clock;
}
} // namespace

std::shared_ptr<TClock> SetClock(std::shared_ptr<TClock> clock)
{
    std::lock_guard lock(clockMutex);
    auto old = CurrentClock();
    CurrentClock() = clock ? std::move(clock) : std::make_shared<TSteadyClock>();
    return old;
}

std::shared_ptr<TClock> Clock()
{
    std::lock_guard lock(clockMutex);
    return CurrentClock();
}

std::uint32_t GetTickCount()
{
    return std::uint32_t(Clock()->NowMs());
}

} // namespace tovrel
