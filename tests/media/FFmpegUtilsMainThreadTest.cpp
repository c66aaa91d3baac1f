#include "media/loader/FFmpegUtilsMainThread.h"

#include "platform/rtl/MainThread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace tovrel::test {
namespace {

// A worker's call runs in the main thread while the main thread pumps, and its
// exception comes back to the worker; with the switch off it runs in place.
TEST(FFmpegCallInMainThread, RunsInTheMainThreadUnlessSwitchedOff)
{
    TMainThread::SetCurrent();
    bool ranInMain = false, ranInWorker = false, caught = false;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        CallInMainThread([&] { ranInMain = TMainThread::IsCurrent(); });
        try {
            CallInMainThread([] { throw std::runtime_error("handler failed"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
        SyncToMainThread = false;
        CallInMainThread([&] { ranInWorker = !TMainThread::IsCurrent(); });
        SyncToMainThread = true;
        done = true;
        TMainThread::WakeWaiters();
    });
    TMainThread::WaitPumping([&] { return done.load(); });
    worker.join();
    EXPECT_TRUE(ranInMain);
    EXPECT_TRUE(caught);
    EXPECT_TRUE(ranInWorker);

    bool ranAtOnce = false;
    CallInMainThread([&] { ranAtOnce = true; });
    EXPECT_TRUE(ranAtOnce);
}

TEST(FFmpegCallInMainThread, ProcessPendingMessagesRunsQueuedCalls)
{
    TMainThread::SetCurrent();
    int ran = 0;
    std::thread poster([&] { TMainThread::Post([&] { ++ran; }); });
    poster.join();
    ProcessPendingMessages();
    EXPECT_EQ(ran, 1);
}

} // namespace
} // namespace tovrel::test
