#pragma once
// Worker threads as the engine and the player were written against them:
// created suspended and started later, Terminate as a request the body polls,
// free-on-terminate, priorities, and an end handler run on the main thread.
//
// A C++ base class cannot start the thread in its constructor (the derived part
// does not exist yet), so a thread made with createSuspended == false starts in
// AfterConstruction(); TThread::Create<T>(...) constructs and calls it.
//
// Lifetime: a thread that is not free-on-terminate is joined by WaitFor or by the
// destructor (which terminates and waits). Derived classes whose Execute uses
// their own members must wait in their destructor (TerminateAndWait) before
// those members go. A free-on-terminate thread deletes itself after Execute and
// OnTerminate; nothing may touch it after Start. WaitForAll() waits until every
// started thread has ended and joins the free-on-terminate ones, so none
// outlives an orderly shutdown.
#include "platform/rtl/Sync.h"

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <sys/types.h>
#include <thread>
#include <utility>

namespace tovrel {

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The per-thread nice value a priority maps to.
int NiceValueOf(TThreadPriority priority);

class TThread {
public:
    explicit TThread(bool createSuspended);
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    template <class T, class... Args> static T* Create(Args&&... args)
    {
        T* thread = new T(std::forward<Args>(args)...);
        thread->AfterConstruction();
        return thread;
    }
    // Starts the thread when it was not created suspended.
    void AfterConstruction();

    // Starts a suspended thread; a second Start is a std::logic_error. Returns
    // once the thread runs with its priority applied.
    void Start();
    void Terminate() { terminated_.store(true); }
    bool Terminated() const { return terminated_.load(); }
    bool Finished() const { return finished_.load(); }
    // Joins the thread and returns ReturnValue. On the main thread it keeps
    // running main-thread calls while it waits. A std::logic_error for a thread
    // never started, a free-on-terminate thread, or the thread itself.
    int WaitFor();
    void TerminateAndWait();

    std::atomic<bool> FreeOnTerminate{false};
    // Run on the main thread after Execute (through TMainThread::Call); skipped
    // when the main thread has shut down.
    std::function<void(TThread* sender)> OnTerminate;

    TThreadPriority Priority() const { return priority_.load(); }
    // Applied now when running, else at start. Raising above normal needs a
    // privilege; without it the thread stays where it is.
    void SetPriority(TThreadPriority priority);

    // The kernel's id of the thread (0 until started).
    pid_t ThreadID() const { return threadId_.load(); }
    static pid_t CurrentThreadID();
    // What Execute threw, if it threw.
    std::exception_ptr FatalException() const;

    static void Synchronize(std::function<void()> fn);
    // Runs fn on the main thread later, without waiting (= TMainThread::Post).
    static void Queue(std::function<void()> fn);

    // Waits (pumping on the main thread) until every thread started through
    // TThread has ended, then joins the free-on-terminate ones.
    static void WaitForAll();

protected:
    virtual void Execute() = 0;
    std::atomic<int> ReturnValue{0};

private:
    static void Run(TThread* self);
    void ApplyPriority();

    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<TThreadPriority> priority_{TThreadPriority::tpNormal};
    std::atomic<pid_t> threadId_{0};
    bool startOnConstruction_;

    mutable std::mutex mutex_; // guards what follows
    std::condition_variable runningChanged_;
    bool started_ = false;
    bool running_ = false;
    std::thread thread_;
    std::exception_ptr fatalException_;

    std::mutex joinMutex_;
    TEvent ended_{true, false};
};

} // namespace tovrel
