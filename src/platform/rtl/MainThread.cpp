#include "platform/rtl/MainThread.h"

#include "platform/rtl/Thread.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>

namespace tovrel {
namespace {

// What a blocked caller waits on: done is set once the call has run.
struct CallCompletion {
    std::mutex mutex;
    std::condition_variable doneChanged;
    bool done = false;
    std::exception_ptr error;
};

struct QueuedCall {
    std::uint64_t sequence = 0;
    std::function<void()> fn;
    std::shared_ptr<CallCompletion> completion; // null for Post
};

struct Dispatcher {
    std::mutex mutex;
    std::condition_variable changed; // something queued, or WakeWaiters
    std::deque<QueuedCall> queue;
    std::uint64_t nextSequence = 0;
    std::uint64_t wakeGeneration = 0;
    bool stopped = false;
    std::shared_ptr<const std::function<void()>> wakeUp;
    std::atomic<std::thread::id> mainThread{};
};

// Never destroyed: worker threads may still post while static objects go away.
Dispatcher& TheDispatcher()
{
    static Dispatcher* dispatcher = new Dispatcher;
    return *dispatcher;
}

void ClaimMainThread()
{
    auto& d = TheDispatcher();
    const auto self = std::this_thread::get_id();
    std::thread::id none;
    if (d.mainThread.compare_exchange_strong(none, self) || none == self)
        return;
    throw std::logic_error("Main-thread calls pumped outside the main thread");
}

// Queues a call unless the queue is closed; wakes the pumping side.
bool Enqueue(QueuedCall call)
{
    auto& d = TheDispatcher();
    std::shared_ptr<const std::function<void()>> wakeUp;
    {
        std::lock_guard lock(d.mutex);
        if (d.stopped)
            return false;
        call.sequence = d.nextSequence++;
        d.queue.push_back(std::move(call));
        wakeUp = d.wakeUp;
    }
    d.changed.notify_all();
    if (wakeUp && *wakeUp)
        (*wakeUp)();
    return true;
}

std::optional<QueuedCall> TakeNext(std::uint64_t sequenceLimit)
{
    auto& d = TheDispatcher();
    std::lock_guard lock(d.mutex);
    if (d.queue.empty() || d.queue.front().sequence >= sequenceLimit)
        return std::nullopt;
    QueuedCall call = std::move(d.queue.front());
    d.queue.pop_front();
    return call;
}

void Run(QueuedCall& call)
{
    if (!call.completion) {
        auto fn = std::move(call.fn);
        fn(); // a posted call's exception leaves the pump
        return;
    }
    std::exception_ptr error;
    try {
        auto fn = std::move(call.fn);
        fn();
    } catch (...) {
        error = std::current_exception();
    }
    auto& c = *call.completion;
    {
        std::lock_guard lock(c.mutex);
        c.done = true;
        c.error = std::move(error); // the caller takes the only reference
    }
    c.doneChanged.notify_all();
}

std::uint64_t WakeGeneration()
{
    auto& d = TheDispatcher();
    std::lock_guard lock(d.mutex);
    return d.wakeGeneration;
}

} // namespace

void TMainThread::SetCurrent()
{
    auto& d = TheDispatcher();
    d.mainThread.store(std::this_thread::get_id());
    std::lock_guard lock(d.mutex);
    d.stopped = false;
}

bool TMainThread::IsCurrent()
{
    return TheDispatcher().mainThread.load() == std::this_thread::get_id();
}

void TMainThread::Call(std::function<void()> fn)
{
    if (IsCurrent()) {
        fn();
        return;
    }
    auto completion = std::make_shared<CallCompletion>();
    if (!Enqueue(QueuedCall{0, std::move(fn), completion}))
        throw EMainThreadStopped();
    std::exception_ptr error;
    {
        std::unique_lock lock(completion->mutex);
        completion->doneChanged.wait(lock, [&] { return completion->done; });
        error = std::move(completion->error);
    }
    if (error)
        std::rethrow_exception(error);
}

bool TMainThread::Post(std::function<void()> fn)
{
    return Enqueue(QueuedCall{0, std::move(fn), nullptr});
}

int TMainThread::Pump()
{
    ClaimMainThread();
    std::uint64_t limit;
    {
        auto& d = TheDispatcher();
        std::lock_guard lock(d.mutex);
        limit = d.nextSequence;
    }
    int count = 0;
    while (auto call = TakeNext(limit)) {
        ++count;
        Run(*call);
    }
    return count;
}

void TMainThread::SetWakeUp(std::function<void()> wakeUp)
{
    auto& d = TheDispatcher();
    auto shared = wakeUp ? std::make_shared<const std::function<void()>>(std::move(wakeUp)) : nullptr;
    std::lock_guard lock(d.mutex);
    d.wakeUp = std::move(shared);
}

void TMainThread::WakeWaiters()
{
    auto& d = TheDispatcher();
    {
        std::lock_guard lock(d.mutex);
        ++d.wakeGeneration;
    }
    d.changed.notify_all();
}

bool TMainThread::WaitPumping(const std::function<bool()>& ready, int ms)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms < 0 ? 0 : ms);
    const bool pumping = IsCurrent();
    auto& d = TheDispatcher();
    for (;;) {
        // Taken before the checks: a wake between check and sleep is not lost.
        const auto generation = WakeGeneration();
        if (pumping)
            Pump();
        if (ready())
            return true;
        std::unique_lock lock(d.mutex);
        auto somethingChanged = [&] { return d.wakeGeneration != generation || (pumping && !d.queue.empty()); };
        if (ms < 0)
            d.changed.wait(lock, somethingChanged);
        else if (!d.changed.wait_until(lock, deadline, somethingChanged)) {
            lock.unlock();
            return ready();
        }
    }
}

TWaitResult TMainThread::WaitPumping(TEvent& event, int ms)
{
    const bool signalled = WaitPumping([&] { return event.WaitFor(0) == TWaitResult::wrSignaled; }, ms);
    return signalled ? TWaitResult::wrSignaled : TWaitResult::wrTimeout;
}

void TMainThread::WaitPumping(TThread& thread)
{
    thread.WaitFor();
}

void TMainThread::Shutdown()
{
    ClaimMainThread();
    auto& d = TheDispatcher();
    {
        std::lock_guard lock(d.mutex);
        d.stopped = true;
    }
    // Whatever was queued before the queue closed still runs; callers blocked in
    // Call are released. A posted call that throws is reported after the rest ran.
    std::exception_ptr firstError;
    while (auto call = TakeNext(UINT64_MAX)) {
        try {
            Run(*call);
        } catch (...) {
            if (!firstError)
                firstError = std::current_exception();
        }
    }
    if (firstError)
        std::rethrow_exception(firstError);
}

} // namespace tovrel
