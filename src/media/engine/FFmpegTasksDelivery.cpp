#include "media/engine/FFmpegTasksDelivery.h"

#include "platform/rtl/MainThread.h"
#include "platform/rtl/Thread.h"

#include <deque>
#include <mutex>
#include <utility>

namespace tovrel {

struct TTerminateDelivery::TState : std::enable_shared_from_this<TState> {
    struct TItem {
        TTerminateInfo record;
        THandler handler;
        bool inMainThread;
    };

    std::mutex mutex;
    std::deque<TItem> queue;
    int holds = 0;
    bool draining = false;
    bool closed = false;
    std::function<void()> wakeThread; // set with the delivery thread

    // Hands the records of one kind to whoever delivers that kind.
    void Schedule(bool mainThreadRecords)
    {
        if (mainThreadRecords) {
            TMainThread::Post([state = shared_from_this()] { state->Drain(true); });
            return;
        }
        std::function<void()> wake;
        {
            std::lock_guard lock(mutex);
            wake = wakeThread;
        }
        if (wake)
            wake();
    }

    // Delivers queued records of one kind in order until none is left. Returns
    // at once while held, closed, or already delivering further up the stack or
    // in another thread: that delivery picks the new records up.
    void Drain(bool mainThreadRecords)
    {
        std::unique_lock lock(mutex);
        if (draining || holds > 0 || closed)
            return;
        draining = true;
        try {
            while (!queue.empty() && holds == 0 && !closed && queue.front().inMainThread == mainThreadRecords) {
                TItem item = std::move(queue.front());
                queue.pop_front();
                lock.unlock();
                if (item.handler)
                    item.handler(item.record);
                lock.lock();
            }
        } catch (...) {
            if (!lock.owns_lock())
                lock.lock();
            draining = false;
            const bool more = !queue.empty() && !closed;
            lock.unlock();
            if (more)
                Schedule(mainThreadRecords);
            throw;
        }
        draining = false;
        // A record of the other kind may now lead the queue: pass it on.
        const bool passOn = !queue.empty() && holds == 0 && !closed;
        const bool otherKind = passOn && queue.front().inMainThread != mainThreadRecords;
        lock.unlock();
        if (otherKind)
            Schedule(!mainThreadRecords);
    }
};

class TTerminateDelivery::TDeliveryThread : public TThread {
public:
    explicit TDeliveryThread(std::shared_ptr<TState> state) : TThread(true), state_(std::move(state)) {}
    ~TDeliveryThread() override
    {
        Terminate();
        wake_.SetEvent();
        TerminateAndWait();
    }
    void Wake() { wake_.SetEvent(); }

protected:
    void Execute() override
    {
        while (!Terminated()) {
            wake_.WaitFor(INFINITE);
            if (!Terminated())
                state_->Drain(false);
        }
    }

private:
    std::shared_ptr<TState> state_;
    TEvent wake_{false, false};
};

TTerminateDelivery::TTerminateDelivery() : state_(std::make_shared<TState>()) {}

TTerminateDelivery::~TTerminateDelivery()
{
    {
        std::lock_guard lock(state_->mutex);
        state_->closed = true;
        state_->queue.clear();
        state_->wakeThread = nullptr;
    }
    thread_.reset();
}

void TTerminateDelivery::EnsureThread()
{
    if (thread_)
        return;
    thread_ = std::make_unique<TDeliveryThread>(state_);
    thread_->Start();
    state_->wakeThread = [thread = thread_.get()] { thread->Wake(); };
}

void TTerminateDelivery::Push(TTerminateInfo record, THandler handler, bool inMainThread)
{
    {
        std::lock_guard lock(state_->mutex);
        state_->queue.push_back({std::move(record), std::move(handler), inMainThread});
        if (!inMainThread)
            EnsureThread();
    }
    // A posted call keeps the queue alive; a component gone by then closed it.
    state_->Schedule(inMainThread);
}

void TTerminateDelivery::Hold()
{
    std::lock_guard lock(state_->mutex);
    ++state_->holds;
}

void TTerminateDelivery::Release()
{
    {
        std::lock_guard lock(state_->mutex);
        if (state_->holds > 0)
            --state_->holds;
    }
    state_->Drain(true);
    state_->Schedule(false);
}

} // namespace tovrel
