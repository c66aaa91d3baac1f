#pragma once
// The one clock behind timers, double clicks, GetTickCount and every timed
// rule above the layer. Tests install a TFakeClock and move time by hand.
#include <atomic>
#include <cstdint>
#include <memory>

namespace tovrel {

class TClock {
public:
    virtual ~TClock() = default;
    virtual std::uint64_t NowMs() = 0;
    // How long a loop should really sleep to reach `dueMs`: -1 = until woken
    // (time only moves by hand), 0 = it is due.
    virtual int SleepMsUntil(std::uint64_t dueMs) = 0;
};

class TSteadyClock : public TClock {
public:
    std::uint64_t NowMs() override;
    int SleepMsUntil(std::uint64_t dueMs) override;
};

// Starts at `startMs`; moves only by Advance, or by `autoAdvanceMs` on each read
// (for loops that spin on GetTickCount, such as fades).
class TFakeClock : public TClock {
public:
    explicit TFakeClock(std::uint64_t startMs = 1000) : now_(startMs) {}
    std::uint64_t NowMs() override { return now_.fetch_add(autoAdvance_.load()); }
    int SleepMsUntil(std::uint64_t dueMs) override { return dueMs <= now_.load() ? 0 : -1; }
    void Advance(std::uint64_t ms) { now_ += ms; }
    void SetAutoAdvance(std::uint64_t ms) { autoAdvance_ = ms; }

private:
    std::atomic<std::uint64_t> now_;
    std::atomic<std::uint64_t> autoAdvance_{0};
};

// Installs the layer's clock (null: the steady clock again); returns the old one.
std::shared_ptr<TClock> SetClock(std::shared_ptr<TClock> clock);
std::shared_ptr<TClock> Clock();
// Milliseconds since an arbitrary start, wrapping at 2^32 as the platform's does.
std::uint32_t GetTickCount();

} // namespace tovrel
