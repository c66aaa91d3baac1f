#include "media/engine/FFmpegPauseGate.h"

#include "platform/rtl/MainThread.h"

namespace tovrel {

void TPauseGate::Close()
{
    std::lock_guard lock(mutex_);
    open_ = false;
}

void TPauseGate::Open()
{
    {
        std::lock_guard lock(mutex_);
        open_ = true;
    }
    changed_.notify_all();
}

bool TPauseGate::IsOpen() const
{
    std::lock_guard lock(mutex_);
    return open_;
}

void TPauseGate::Wake()
{
    // Taking the lock orders the caller's stop request before the waiter's re-check.
    {
        std::lock_guard lock(mutex_);
    }
    changed_.notify_all();
}

void TPauseGate::Pass(const std::atomic<bool>& broken, std::atomic<bool>* waiting)
{
    std::unique_lock lock(mutex_);
    auto through = [&] { return open_ || broken.load(); };
    if (through())
        return;
    if (waiting) {
        waiting->store(true);
        TMainThread::WakeWaiters();
    }
    changed_.wait(lock, through);
    if (waiting)
        waiting->store(false);
}

} // namespace tovrel
