#include "platform/rtl/MainThread.h"

#include "platform/rtl/LambdaThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tovrel::test {
namespace {

using test::LambdaThread;
using test::StartWorker;

class MainThreadTest : public ::testing::Test {
protected:
    void SetUp() override { TMainThread::SetCurrent(); }
    void TearDown() override
    {
        TMainThread::SetWakeUp({});
        TMainThread::Pump();
    }
};

TEST_F(MainThreadTest, CallFromWorkerRunsOnMainThreadWhileItWaitsForThatWorker)
{
    std::thread::id ranOn;
    auto worker = StartWorker([&](LambdaThread&) { TMainThread::Call([&] { ranOn = std::this_thread::get_id(); }); });
    TMainThread::WaitPumping(*worker);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(MainThreadTest, CallOnMainThreadRunsAtOnceAndThrowsDirectly)
{
    bool ran = false;
    TMainThread::Call([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_THROW(TMainThread::Call([] { throw std::runtime_error("x"); }), std::runtime_error);
    EXPECT_EQ(TMainThread::Pump(), 0);
}

TEST_F(MainThreadTest, ExceptionOfACallIsRethrownInTheCallingWorker)
{
    std::string caught;
    auto worker = StartWorker([&](LambdaThread&) {
        try {
            TMainThread::Call([] { throw std::runtime_error("handler failed"); });
        } catch (const std::runtime_error& e) {
            caught = e.what();
        }
    });
    worker->WaitFor();
    EXPECT_EQ(caught, "handler failed");
}

TEST_F(MainThreadTest, PostsRunInOrderOnlyWhenPumped)
{
    std::vector<int> order;
    for (int i = 0; i < 5; ++i)
        TMainThread::Post([&order, i] { order.push_back(i); });
    EXPECT_TRUE(order.empty());
    EXPECT_EQ(TMainThread::Pump(), 5);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(TMainThread::Pump(), 0);
}

TEST_F(MainThreadTest, PumpInsideACallRunsTheLaterCallsInOrder)
{
    std::vector<std::string> order;
    TMainThread::Post([&] {
        order.push_back("outer begins");
        TMainThread::Pump();
        order.push_back("outer ends");
    });
    TMainThread::Post([&] { order.push_back("second"); });
    TMainThread::Post([&] { order.push_back("third"); });
    TMainThread::Pump();
    EXPECT_EQ(order, (std::vector<std::string>{"outer begins", "second", "third", "outer ends"}));
}

TEST_F(MainThreadTest, CallQueuedByACallWaitsForTheNextPump)
{
    int runs = 0;
    std::function<void()> requeue = [&] {
        ++runs;
        TMainThread::Post(requeue);
    };
    TMainThread::Post(requeue);
    EXPECT_EQ(TMainThread::Pump(), 1);
    EXPECT_EQ(TMainThread::Pump(), 1);
    EXPECT_EQ(runs, 2);
    // Drop the last self-requeued call.
    TMainThread::Shutdown();
    TMainThread::SetCurrent();
}

TEST_F(MainThreadTest, PostedExceptionLeavesPumpAndKeepsTheRestQueued)
{
    bool laterRan = false;
    TMainThread::Post([] { throw std::runtime_error("posted"); });
    TMainThread::Post([&] { laterRan = true; });
    EXPECT_THROW(TMainThread::Pump(), std::runtime_error);
    EXPECT_FALSE(laterRan);
    EXPECT_EQ(TMainThread::Pump(), 1);
    EXPECT_TRUE(laterRan);
}

TEST_F(MainThreadTest, WakeUpIsCalledWhenSomethingIsQueued)
{
    std::atomic<int> wakes{0};
    TMainThread::SetWakeUp([&] { ++wakes; });
    TMainThread::Post([] {});
    auto worker = StartWorker([](LambdaThread&) { TMainThread::Post([] {}); });
    worker->WaitFor(); // pumps both
    EXPECT_EQ(wakes.load(), 2);
}

TEST_F(MainThreadTest, PumpOutsideTheMainThreadIsRefused)
{
    bool refused = false;
    auto worker = StartWorker([&](LambdaThread&) {
        try {
            TMainThread::Pump();
        } catch (const std::logic_error&) {
            refused = true;
        }
    });
    worker->WaitFor();
    EXPECT_TRUE(refused);
}

TEST_F(MainThreadTest, CallArrivingWhileAHandlerWaitsPumpingRunsInsideThatWait)
{
    // A handler on the main thread waits for worker B, which calls into the
    // main thread before it ends: the nested wait must run B's call.
    std::vector<std::string> order;
    TEvent handlerWaiting(true, false);
    std::unique_ptr<LambdaThread> second;
    auto first = StartWorker([&](LambdaThread&) {
        TMainThread::Call([&] {
            order.push_back("handler waits");
            second = StartWorker([&](LambdaThread&) { TMainThread::Call([&] { order.push_back("second's call"); }); });
            TMainThread::WaitPumping(*second);
            order.push_back("handler done");
        });
    });
    TMainThread::WaitPumping(*first);
    EXPECT_EQ(order, (std::vector<std::string>{"handler waits", "second's call", "handler done"}));
}

TEST_F(MainThreadTest, ShutdownRunsWhatIsQueuedThenRefusesNewCalls)
{
    std::atomic<bool> blockedCallRan{false};
    TEvent callQueued(true, false);
    TMainThread::SetWakeUp([&] { callQueued.SetEvent(); });
    auto blocked = StartWorker([&](LambdaThread&) { TMainThread::Call([&] { blockedCallRan = true; }); });
    callQueued.WaitFor();
    TMainThread::Shutdown();
    EXPECT_TRUE(blockedCallRan.load());
    blocked->WaitFor();

    bool refused = false;
    auto late = StartWorker([&](LambdaThread&) {
        try {
            TMainThread::Call([] {});
        } catch (const EMainThreadStopped&) {
            refused = true;
        }
    });
    late->WaitFor();
    EXPECT_TRUE(refused);
    EXPECT_FALSE(TMainThread::Post([] {}));

    TMainThread::SetCurrent();
    EXPECT_TRUE(TMainThread::Post([] {}));
}

// Workers keep calling while the main thread shuts the queue: every call
// either ran once, in order, or was refused, and a refusal ends that worker's run.
TEST_F(MainThreadTest, ShutdownWhileWorkersCallLosesNothing)
{
    constexpr int workers = 6;
    constexpr int callsPerWorker = 500;
    std::vector<std::vector<int>> ran(workers); // main thread only
    std::vector<int> refusedAt(workers, -1);    // each slot written by its worker, read after join
    int total = 0;
    std::vector<std::unique_ptr<LambdaThread>> threads;
    for (int w = 0; w < workers; ++w) {
        threads.push_back(StartWorker([&, w](LambdaThread&) {
            for (int i = 0; i < callsPerWorker; ++i) {
                try {
                    TMainThread::Call([&, w, i] {
                        ran[w].push_back(i);
                        ++total;
                    });
                } catch (const EMainThreadStopped&) {
                    refusedAt[w] = i;
                    return;
                }
            }
        }));
    }
    TMainThread::WaitPumping([&] { return total >= workers * callsPerWorker / 4; });
    TMainThread::Shutdown();
    for (auto& t : threads)
        t->WaitFor();
    for (int w = 0; w < workers; ++w) {
        const int expected = refusedAt[w] < 0 ? callsPerWorker : refusedAt[w];
        ASSERT_EQ(int(ran[w].size()), expected) << "worker " << w;
        for (int i = 0; i < expected; ++i)
            ASSERT_EQ(ran[w][i], i);
    }
}

TEST_F(MainThreadTest, PredicateWaitTimesOutWhenNothingChanges)
{
    EXPECT_FALSE(TMainThread::WaitPumping([] { return false; }, 1));
    TEvent never(true, false);
    EXPECT_EQ(TMainThread::WaitPumping(never, 0), TWaitResult::wrTimeout);
}

// Many workers call and post into the main thread while it waits for them,
// some through handlers that wait pumping themselves. Every call runs once, and
// each worker's calls run in the order it made them.
TEST_F(MainThreadTest, StressManyWorkersCallingWhileTheMainThreadWaits)
{
    constexpr int workers = 8;
    constexpr int callsPerWorker = 200;
    std::vector<std::vector<int>> seen(workers); // touched on the main thread only
    TEvent nestedDone(true, false);
    std::vector<std::unique_ptr<LambdaThread>> threads;
    for (int w = 0; w < workers; ++w) {
        threads.push_back(StartWorker([&, w](LambdaThread&) {
            for (int i = 0; i < callsPerWorker; ++i) {
                auto record = [&seen, w, i] { seen[w].push_back(i); };
                if (i % 3 == 0)
                    TMainThread::Post(record);
                else
                    TMainThread::Call(record);
                if (w == 0 && i == callsPerWorker / 2) {
                    TMainThread::Call([&] {
                        auto helper = StartWorker([&](LambdaThread&) {
                            for (int k = 0; k < 50; ++k)
                                TMainThread::Call([] {});
                            nestedDone.SetEvent();
                        });
                        TMainThread::WaitPumping(nestedDone);
                        helper->WaitFor();
                    });
                }
            }
        }));
    }
    for (auto& t : threads)
        TMainThread::WaitPumping(*t);
    TMainThread::Pump(); // the last posts
    for (int w = 0; w < workers; ++w) {
        ASSERT_EQ(seen[w].size(), size_t(callsPerWorker)) << "worker " << w;
        for (int i = 0; i < callsPerWorker; ++i)
            ASSERT_EQ(seen[w][i], i) << "worker " << w;
    }
}

} // namespace
} // namespace tovrel::test
