#pragma once
// A gate a conversion worker passes between packets. Pausing closes it; the
// worker then waits at the gate holding no lock, so nothing else can block on
// it. A stop request always lets the worker through.
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace tovrel {

class TPauseGate {
public:
    void Close();
    void Open();
    bool IsOpen() const;
    // Re-checks waiters after a stop request was raised.
    void Wake();
    // Returns when the gate is open or broken is set. While it holds the caller,
    // *waiting is True (and main-thread waits re-check their conditions).
    void Pass(const std::atomic<bool>& broken, std::atomic<bool>* waiting = nullptr);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = true;
};

} // namespace tovrel
