#pragma once
// The main-thread call queue. Every window and every event handler lives on one
// thread; workers reach it only through Call (blocking) and Post (queued). Any
// wait on the main thread must keep running queued calls (the WaitPumping
// helpers), or a worker that calls in while it is being waited for deadlocks.
//
// Rules:
// - Calls run on the main thread in the order they were queued; none is lost or
//   run twice. Pump runs only what was queued when it started, so a call that
//   queues another does not keep one Pump going forever.
// - Pump may be re-entered from inside a call (a handler that waits pumping):
//   the inner Pump runs the calls queued after the current one.
// - Shutdown: the main thread calls Shutdown() when it stops pumping for good.
//   It runs everything still queued; afterwards a Call from another thread throws
//   EMainThreadStopped in that thread (the call is not run) and Post drops the
//   call and returns false. SetCurrent() opens the queue again.
#include "platform/rtl/Sync.h"

#include <functional>
#include <stdexcept>

namespace tovrel {

class TThread;

class EMainThreadStopped : public std::runtime_error {
public:
    EMainThreadStopped() : std::runtime_error("The main thread no longer runs calls") {}
};

class TMainThread {
public:
    // Marks the calling thread as the main thread and (re)opens the queue. Until
    // it is called, the first thread that pumps becomes the main thread.
    static void SetCurrent();
    static bool IsCurrent();

    // Runs fn on the main thread and blocks until it has run; on the main thread
    // it runs at once. An exception thrown by fn is rethrown here.
    static void Call(std::function<void()> fn);
    // Queues fn without waiting. An exception thrown by a posted call leaves the
    // Pump (or pumping wait) that ran it; the calls after it stay queued.
    // Returns false (fn dropped) after Shutdown.
    static bool Post(std::function<void()> fn);
    // Main thread only (std::logic_error elsewhere): runs the queued calls,
    // returns how many ran.
    static int Pump();
    // Called from the queuing thread whenever something is queued, so a GUI loop
    // that sleeps in its own wait can wake and Pump. An empty function clears it.
    static void SetWakeUp(std::function<void()> wakeUp);

    // Waits that run queued calls meanwhile when made on the main thread, and
    // are plain waits elsewhere. ms < 0 waits without limit.
    static TWaitResult WaitPumping(TEvent& event, int ms = INFINITE);
    // Waits until ready() is true. ready is checked after each batch of calls
    // and whenever WakeWaiters() is called (SetEvent and TCriticalSection::Leave
    // call it), so whoever makes it true from another thread must call
    // WakeWaiters() afterwards. Returns false on timeout.
    static bool WaitPumping(const std::function<bool()>& ready, int ms = INFINITE);
    // Waits for thread to end (TThread::WaitFor, which pumps on the main thread).
    static void WaitPumping(TThread& thread);
    // Re-checks the conditions of every WaitPumping in progress.
    static void WakeWaiters();

    // See the shutdown rule above. Main thread only.
    static void Shutdown();
};

} // namespace tovrel
