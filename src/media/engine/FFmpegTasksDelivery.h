#pragma once
// Terminate records of a batch reach their handler through one queue: one at a
// time, in the order the tasks ended, never re-entrantly, and the ending worker
// never waits for the handler. Records go to the main thread, or to one
// delivery thread of the queue's own when events are not main-thread events.
// While held (a stop walks the task list), records wait in the queue.
#include "media/engine/FFmpegTasksEvents.h"

#include <functional>
#include <memory>

namespace tovrel {

class TTerminateDelivery {
public:
    using THandler = std::function<void(const TTerminateInfo&)>;
    // Who hands a record to its handler.
    enum class TDeliverer { MainThread, DeliveryThread };

    TTerminateDelivery();
    // Joins the delivery thread; records still queued are dropped.
    ~TTerminateDelivery();
    TTerminateDelivery(const TTerminateDelivery&) = delete;
    TTerminateDelivery& operator=(const TTerminateDelivery&) = delete;

    // Any thread: queues the record with the handler it goes to.
    void Push(TTerminateInfo record, THandler handler, TDeliverer deliverer);
    // Main thread: hold deliveries; Release delivers what waits (on the main
    // thread for main-thread records) once the last hold is gone.
    void Hold();
    void Release();

private:
    struct TState;
    class TDeliveryThread;
    void EnsureThread();

    std::shared_ptr<TState> state_;
    std::unique_ptr<TDeliveryThread> thread_;
};

} // namespace tovrel
