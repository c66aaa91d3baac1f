#include "platform/rtl/Sync.h"

#include "platform/rtl/LambdaThread.h"
#include "platform/rtl/MainThread.h"

#include <gtest/gtest.h>

#include <mutex>
#include <stdexcept>

namespace tovrel::test {
namespace {

using test::LambdaThread;
using test::StartWorker;

TEST(EventTest, ManualAndAutoResetTable)
{
    struct Case {
        bool manualReset;
        bool initialState;
        TWaitResult first;
        TWaitResult second;
    };
    const Case cases[] = {
        {true, true, TWaitResult::wrSignaled, TWaitResult::wrSignaled}, // stays set
        {false, true, TWaitResult::wrSignaled, TWaitResult::wrTimeout}, // one waiter clears it
        {true, false, TWaitResult::wrTimeout, TWaitResult::wrTimeout},
        {false, false, TWaitResult::wrTimeout, TWaitResult::wrTimeout},
    };
    for (const auto& c : cases) {
        TEvent event(c.manualReset, c.initialState);
        EXPECT_EQ(event.WaitFor(0), c.first) << c.manualReset << c.initialState;
        EXPECT_EQ(event.WaitFor(1), c.second) << c.manualReset << c.initialState;
    }
}

TEST(EventTest, ResetClearsAndSetReleasesAWaiterOnAnotherThread)
{
    TEvent event(true, true);
    event.ResetEvent();
    EXPECT_EQ(event.WaitFor(0), TWaitResult::wrTimeout);
    TWaitResult seen = TWaitResult::wrError;
    auto waiter = StartWorker([&](LambdaThread&) { seen = event.WaitFor(INFINITE); });
    event.SetEvent();
    waiter->WaitFor();
    EXPECT_EQ(seen, TWaitResult::wrSignaled);
}

TEST(CriticalSectionTest, ReentrantForTheOwnerExclusiveForOthers)
{
    TCriticalSection section;
    section.Enter();
    {
        std::lock_guard again(section);
    }
    bool otherGotIt = true;
    auto other = StartWorker([&](LambdaThread&) { otherGotIt = section.TryEnter(); });
    other->WaitFor();
    EXPECT_FALSE(otherGotIt);
    section.Leave();
    other = StartWorker([&](LambdaThread&) {
        otherGotIt = section.TryEnter();
        if (otherGotIt)
            section.Leave();
    });
    other->WaitFor();
    EXPECT_TRUE(otherGotIt);
}

TEST(CriticalSectionTest, LeavingWithoutHoldingIsAnError)
{
    TCriticalSection section;
    EXPECT_THROW(section.Leave(), std::logic_error);
}

// The worker holds the lock while it calls into the main thread, which is
// itself trying to take the lock: a plain Enter would deadlock.
TEST(CriticalSectionTest, EnterPumpingRunsCallsOfTheHolder)
{
    TMainThread::SetCurrent();
    TCriticalSection section;
    TEvent holding(true, false);
    bool paintedWhileHeld = false;
    auto worker = StartWorker([&](LambdaThread&) {
        std::lock_guard hold(section);
        holding.SetEvent();
        TMainThread::Call([&] { paintedWhileHeld = true; });
    });
    holding.WaitFor();
    section.EnterPumping();
    EXPECT_TRUE(paintedWhileHeld);
    section.Leave();
    worker->WaitFor();
}

} // namespace
} // namespace tovrel::test
