#pragma once
// Events and locks with the semantics the conversion engine and the player were
// written against: manual- and auto-reset events with timed waits, and a
// re-entrant critical section.
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tovrel {

enum class TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

constexpr int INFINITE = -1;

class TEvent {
public:
    // A manual-reset event stays signalled until ResetEvent; an auto-reset event
    // releases one waiter and clears itself.
    explicit TEvent(bool manualReset = true, bool initialState = false);
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void SetEvent();
    void ResetEvent();
    // ms < 0 waits without limit; 0 only tests (and, for auto-reset, consumes).
    TWaitResult WaitFor(int ms = INFINITE);

private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    const bool manualReset_;
    bool state_;
};

class TCriticalSection {
public:
    TCriticalSection() = default;
    TCriticalSection(const TCriticalSection&) = delete;
    TCriticalSection& operator=(const TCriticalSection&) = delete;

    // Re-entrant: the owner may enter again and must leave as often.
    void Enter();
    bool TryEnter();
    // Leaving a section this thread does not hold is a programming error (std::logic_error).
    void Leave();
    // Enter that, on the main thread, keeps running main-thread calls while it
    // waits, so a holder that calls into the main thread cannot deadlock it.
    // Elsewhere it is a plain Enter.
    void EnterPumping();

    // So std::lock_guard / std::unique_lock work.
    void lock() { Enter(); }
    void unlock() { Leave(); }
    bool try_lock() { return TryEnter(); }

private:
    bool TryEnterLocked(std::thread::id self);

    std::mutex mutex_;
    std::condition_variable released_;
    std::thread::id owner_;
    int depth_ = 0;
    int pumpingWaiters_ = 0;
};

// Holds a section for a scope, entered with EnterPumping: for locks that a
// worker may hold while it waits for the main thread. (std::lock_guard holds
// one with a plain Enter.)
class TPumpingLock {
public:
    explicit TPumpingLock(TCriticalSection& section) : section_(section) { section_.EnterPumping(); }
    ~TPumpingLock() { section_.Leave(); }
    TPumpingLock(const TPumpingLock&) = delete;
    TPumpingLock& operator=(const TPumpingLock&) = delete;

private:
    TCriticalSection& section_;
};

} // namespace tovrel
