#include "platform/rtl/Sync.h"

#include "platform/rtl/MainThread.h"

#include <chrono>
#include <stdexcept>

namespace tovrel {

TEvent::TEvent(bool manualReset, bool initialState) : manualReset_(manualReset), state_(initialState) {}

void TEvent::SetEvent()
{
    {
        std::lock_guard lock(mutex_);
        state_ = true;
    }
    if (manualReset_)
        signalled_.notify_all();
    else
        signalled_.notify_one();
    // The main thread may be waiting for this event while it pumps calls.
    TMainThread::WakeWaiters();
}

void TEvent::ResetEvent()
{
    std::lock_guard lock(mutex_);
    state_ = false;
}

TWaitResult TEvent::WaitFor(int ms)
{
    std::unique_lock lock(mutex_);
    auto isSet = [this] { return state_; };
    if (ms < 0)
        signalled_.wait(lock, isSet);
    else if (!signalled_.wait_for(lock, std::chrono::milliseconds(ms), isSet))
        return TWaitResult::wrTimeout;
    if (!manualReset_)
        state_ = false;
    return TWaitResult::wrSignaled;
}

bool TCriticalSection::TryEnterLocked(std::thread::id self)
{
    if (depth_ > 0 && owner_ != self)
        return false;
    owner_ = self;
    ++depth_;
    return true;
}

void TCriticalSection::Enter()
{
    const auto self = std::this_thread::get_id();
    std::unique_lock lock(mutex_);
    released_.wait(lock, [&] { return TryEnterLocked(self); });
}

bool TCriticalSection::TryEnter()
{
    std::lock_guard lock(mutex_);
    return TryEnterLocked(std::this_thread::get_id());
}

void TCriticalSection::Leave()
{
    bool wakeMainThread = false;
    {
        std::lock_guard lock(mutex_);
        if (depth_ == 0 || owner_ != std::this_thread::get_id())
            throw std::logic_error("Critical section left by a thread that does not hold it");
        if (--depth_ > 0)
            return;
        owner_ = std::thread::id();
        wakeMainThread = pumpingWaiters_ > 0;
    }
    released_.notify_one();
    if (wakeMainThread)
        TMainThread::WakeWaiters();
}

void TCriticalSection::EnterPumping()
{
    if (!TMainThread::IsCurrent()) {
        Enter();
        return;
    }
    const auto self = std::this_thread::get_id();
    bool registered = false;
    // The waiter registers in the same step as the failed attempt, so the
    // holder's Leave cannot slip between them unseen.
    auto tryEnterOrRegister = [&] {
        std::lock_guard lock(mutex_);
        if (TryEnterLocked(self)) {
            if (registered)
                --pumpingWaiters_;
            return true;
        }
        if (!registered) {
            ++pumpingWaiters_;
            registered = true;
        }
        return false;
    };
    try {
        TMainThread::WaitPumping(tryEnterOrRegister);
    } catch (...) {
        // A posted call threw out of the pump: stop waiting, leave no registration.
        std::lock_guard lock(mutex_);
        if (registered)
            --pumpingWaiters_;
        throw;
    }
}

} // namespace tovrel
