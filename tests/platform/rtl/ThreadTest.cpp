#include "platform/rtl/Thread.h"

#include "platform/rtl/LambdaThread.h"
#include "platform/rtl/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <sys/resource.h>

namespace tovrel::test {
namespace {

using test::LambdaThread;
using test::StartWorker;

class ThreadTest : public ::testing::Test {
protected:
    void SetUp() override { TMainThread::SetCurrent(); }
};

TEST_F(ThreadTest, SuspendedThreadRunsOnlyAfterStart)
{
    std::atomic<bool> ran{false};
    LambdaThread thread(
        [&](LambdaThread& self) {
            ran = true;
            self.SetReturnValue(42);
        },
        true);
    EXPECT_EQ(thread.ThreadID(), 0);
    EXPECT_FALSE(ran.load());
    thread.Start();
    EXPECT_NE(thread.ThreadID(), 0);
    EXPECT_EQ(thread.WaitFor(), 42);
    EXPECT_TRUE(ran.load());
    EXPECT_TRUE(thread.Finished());
    EXPECT_THROW(thread.Start(), std::logic_error);
}

TEST_F(ThreadTest, CreateStartsAThreadNotCreatedSuspended)
{
    TEvent ran(true, false);
    std::unique_ptr<LambdaThread> thread(TThread::Create<LambdaThread>([&](LambdaThread&) { ran.SetEvent(); }, false));
    EXPECT_EQ(ran.WaitFor(), TWaitResult::wrSignaled);
    thread->WaitFor();
}

TEST_F(ThreadTest, TerminateIsARequestTheBodyPolls)
{
    TEvent poll(false, false);
    bool sawTerminated = false;
    auto thread = StartWorker([&](LambdaThread& self) {
        poll.WaitFor();
        sawTerminated = self.Terminated();
    });
    EXPECT_FALSE(thread->Terminated());
    thread->Terminate();
    poll.SetEvent();
    thread->WaitFor();
    EXPECT_TRUE(sawTerminated);
}

TEST_F(ThreadTest, OnTerminateRunsOnTheMainThreadAndExceptionsAreKept)
{
    std::thread::id terminatedOn;
    LambdaThread thread([](LambdaThread&) { throw std::runtime_error("body failed"); }, true);
    thread.OnTerminate = [&](TThread* sender) {
        EXPECT_EQ(sender, &thread);
        terminatedOn = std::this_thread::get_id();
    };
    thread.Start();
    thread.WaitFor(); // pumps, so OnTerminate can run
    EXPECT_EQ(terminatedOn, std::this_thread::get_id());
    ASSERT_TRUE(thread.FatalException());
    EXPECT_THROW(std::rethrow_exception(thread.FatalException()), std::runtime_error);
}

TEST_F(ThreadTest, FreeOnTerminateDeletesItselfAfterOnTerminate)
{
    struct Flagging : LambdaThread {
        Flagging(std::atomic<int>& deleted) : LambdaThread([](LambdaThread&) {}, true), deleted_(deleted) {}
        ~Flagging() override { ++deleted_; }
        std::atomic<int>& deleted_;
    };
    std::atomic<int> deleted{0};
    int terminated = 0;
    for (int i = 0; i < 4; ++i) {
        auto* thread = new Flagging(deleted);
        thread->FreeOnTerminate = true;
        thread->OnTerminate = [&](TThread*) { ++terminated; };
        thread->Start();
    }
    TThread::WaitForAll();
    EXPECT_EQ(deleted.load(), 4);
    EXPECT_EQ(terminated, 4);
}

TEST_F(ThreadTest, WaitingForAFreeOnTerminateThreadIsRefused)
{
    TEvent release(true, false);
    auto* thread = new LambdaThread([&](LambdaThread&) { release.WaitFor(); }, true);
    thread->FreeOnTerminate = true;
    thread->Start();
    EXPECT_THROW(thread->WaitFor(), std::logic_error);
    release.SetEvent();
    TThread::WaitForAll();
}

TEST_F(ThreadTest, PrioritiesMapToNiceValuesOnTheThread)
{
    const std::pair<TThreadPriority, int> table[] = {
        {TThreadPriority::tpIdle, 19},          {TThreadPriority::tpLowest, 10}, {TThreadPriority::tpLower, 5},
        {TThreadPriority::tpNormal, 0},         {TThreadPriority::tpHigher, -5}, {TThreadPriority::tpHighest, -10},
        {TThreadPriority::tpTimeCritical, -20},
    };
    for (auto [priority, nice] : table)
        EXPECT_EQ(NiceValueOf(priority), nice);

    // Lowering needs no privilege: set before start and while running.
    TEvent lowered(true, false);
    TEvent startRead(true, false);
    int niceAtStart = 0;
    int niceLater = 0;
    LambdaThread thread(
        [&](LambdaThread&) {
            niceAtStart = getpriority(PRIO_PROCESS, 0);
            startRead.SetEvent();
            lowered.WaitFor();
            niceLater = getpriority(PRIO_PROCESS, 0);
        },
        true);
    const int base = getpriority(PRIO_PROCESS, 0);
    thread.SetPriority(TThreadPriority::tpLower);
    thread.Start();
    startRead.WaitFor();
    thread.SetPriority(TThreadPriority::tpLowest);
    lowered.SetEvent();
    thread.WaitFor();
    EXPECT_EQ(niceAtStart, std::max(base, 5));
    EXPECT_EQ(niceLater, std::max(base, 10));
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), base); // the caller is untouched
}

} // namespace
} // namespace tovrel::test
