#include "media/engine/FFmpegTasksDelivery.h"

#include "platform/rtl/MainThread.h"
#include "platform/rtl/Thread.h"

#include <deque>
#include <mutex>
#include <utility>

namespace tovrel {

struct TTerminateDelivery::TState : std::enable_shared_from_this<TState> {
    struct TItem {
        TTerminateInfo Record;
        THandler Handler;
        TDeliverer Deliverer;
    };

    std::mutex Mutex;
    std::deque<TItem> Queue;
    int Holds = 0;
    bool Draining = false;
    bool Closed = false;
    std::function<void()> WakeThread; // set with the delivery thread

    // Hands the records of one kind to whoever delivers that kind.
    void Schedule(TDeliverer deliverer)
    {
        if (deliverer == TDeliverer::MainThread) {
            TMainThread::Post([state = shared_from_this()] { state->Drain(TDeliverer::MainThread); });
            return;
        }
        std::function<void()> wake;
        {
            std::lock_guard lock(Mutex);
            wake = WakeThread;
        }
        if (wake)
            wake();
    }

    // Delivers queued records of one kind in order until none is left. Returns
    // at once while held, closed, or already delivering further up the stack or
    // in another thread: that delivery picks the new records up.
    void Drain(TDeliverer deliverer)
    {
        std::unique_lock lock(Mutex);
        if (Draining || Holds > 0 || Closed)
            return;
        Draining = true;
        try {
            while (!Queue.empty() && Holds == 0 && !Closed && Queue.front().Deliverer == deliverer) {
                TItem item = std::move(Queue.front());
                Queue.pop_front();
                lock.unlock();
                if (item.Handler)
                    item.Handler(item.Record);
                lock.lock();
            }
        } catch (...) {
            if (!lock.owns_lock())
                lock.lock();
            Draining = false;
            const bool more = !Queue.empty() && !Closed;
            lock.unlock();
            if (more)
                Schedule(deliverer);
            throw;
        }
        Draining = false;
        // A record of the other kind may now lead the queue: pass it on.
        const bool passOn = !Queue.empty() && Holds == 0 && !Closed;
        const bool otherKind = passOn && Queue.front().Deliverer != deliverer;
        lock.unlock();
        if (otherKind)
            Schedule(deliverer == TDeliverer::MainThread ? TDeliverer::DeliveryThread : TDeliverer::MainThread);
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
                state_->Drain(TDeliverer::DeliveryThread);
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
        std::lock_guard lock(state_->Mutex);
        state_->Closed = true;
        state_->Queue.clear();
        state_->WakeThread = nullptr;
    }
    thread_.reset();
}

void TTerminateDelivery::EnsureThread()
{
    if (thread_)
        return;
    thread_ = std::make_unique<TDeliveryThread>(state_);
    thread_->Start();
    state_->WakeThread = [thread = thread_.get()] { thread->Wake(); };
}

void TTerminateDelivery::Push(TTerminateInfo record, THandler handler, TDeliverer deliverer)
{
    {
        std::lock_guard lock(state_->Mutex);
        state_->Queue.push_back({std::move(record), std::move(handler), deliverer});
        if (deliverer == TDeliverer::DeliveryThread)
            EnsureThread();
    }
    // A posted call keeps the queue alive; a component gone by then closed it.
    state_->Schedule(deliverer);
}

void TTerminateDelivery::Hold()
{
    std::lock_guard lock(state_->Mutex);
    ++state_->Holds;
}

void TTerminateDelivery::Release()
{
    {
        std::lock_guard lock(state_->Mutex);
        if (state_->Holds > 0)
            --state_->Holds;
    }
    state_->Drain(TDeliverer::MainThread);
    state_->Schedule(TDeliverer::DeliveryThread);
}

} // namespace tovrel
