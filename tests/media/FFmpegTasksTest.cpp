#include "media/engine/FFmpegTasks.h"

#include "media/loader/FFmpegLoaderEntries.h"

#include "FFmpegEngineFake.h"
#include "FFmpegLoaderTestSupport.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <tuple>

namespace tovrel::test {
namespace {

using test::TFakeRun;
using test::TFakeScript;
using test::TFakeTranscoder;

// Drives a task component with fake transcoders. The test thread is the main
// thread: it pumps while it waits, and every event handler runs on it.
class TasksTest : public ::testing::Test {
protected:
    void SetUp() override { TMainThread::SetCurrent(); }

    // One task per run; runs listed in withoutOutput get no output file.
    void Build(std::vector<TFakeRun> runs, std::vector<int> withoutOutput = {})
    {
        script_ = std::make_shared<TFakeScript>(runs);
        tasks_.SetTranscoderFactory([script = script_] { return std::make_unique<TFakeTranscoder>(script); });
        tasks_.OnProgress = [this](TCustomFFmpegTasks*, TProgressInfo* info) {
            EXPECT_TRUE(TMainThread::IsCurrent());
            log_.push_back("progress " + std::to_string(info->TaskIndex) + " " + std::to_string(info->FileIndex));
            ++progressOf_[info->TaskIndex];
            lastProgress_ = *info;
        };
        tasks_.OnTerminate = [this](TCustomFFmpegTasks*, const TTerminateInfo& info) {
            EXPECT_TRUE(TMainThread::IsCurrent());
            log_.push_back("end " + std::to_string(info.TaskIndex));
            records_.push_back(info);
            if (info.TaskIndex == -1 && onFinal_)
                onFinal_();
        };
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const int index = tasks_.AddTask("in" + std::to_string(i) + ".avi", static_cast<TInputOptions*>(nullptr));
            ASSERT_EQ(index, static_cast<int>(i)) << tasks_.LastErrMsg();
            if (std::find(withoutOutput.begin(), withoutOutput.end(), index) == withoutOutput.end()) {
                ASSERT_TRUE(tasks_.SetOutputFile(index, "out" + std::to_string(i) + ".mp4",
                                                 static_cast<TOutputOptions*>(nullptr)));
            }
        }
    }

    bool HasRecord(int taskIndex) const
    {
        return std::any_of(records_.begin(), records_.end(),
                           [&](const TTerminateInfo& r) { return r.TaskIndex == taskIndex; });
    }
    void WaitForRecord(int taskIndex)
    {
        ASSERT_TRUE(TMainThread::WaitPumping([&] { return HasRecord(taskIndex); }));
    }
    std::vector<int> RecordIndexes() const
    {
        std::vector<int> indexes;
        for (const TTerminateInfo& r : records_)
            indexes.push_back(r.TaskIndex);
        return indexes;
    }
    // The final record is last, and the final progress of every task precedes its record.
    void ExpectProgressBeforeEachEnd() const
    {
        for (const TTerminateInfo& record : records_) {
            if (record.TaskIndex < 0 || !record.Finished)
                continue;
            const auto end = std::find(log_.begin(), log_.end(), "end " + std::to_string(record.TaskIndex));
            const auto last =
                std::find(log_.begin(), log_.end(), "progress " + std::to_string(record.TaskIndex) + " -1");
            EXPECT_LT(last, end) << "task " << record.TaskIndex;
        }
    }
    void ClearInFinalHandler()
    {
        onFinal_ = [this] {
            EXPECT_TRUE(tasks_.Terminated());
            EXPECT_TRUE(tasks_.Working());
            EXPECT_NO_THROW(tasks_.ClearTasks());
            EXPECT_EQ(tasks_.TasksCount(), 0);
            EXPECT_FALSE(tasks_.Working());
        };
    }

    std::shared_ptr<TFakeScript> script_;
    std::vector<std::string> log_;
    std::vector<TTerminateInfo> records_;
    std::vector<int> progressOf_ = std::vector<int>(8);
    TProgressInfo lastProgress_;
    std::function<void()> onFinal_;
    TFFmpegTasks tasks_; // destroyed first: it stops and waits for its tasks
};

struct BatchCase {
    int tasks;
    int threads;
};

class TasksOrderTest : public TasksTest, public ::testing::WithParamInterface<BatchCase> {};

// Tasks start in list order, at most N at once, the next one as one ends;
// records arrive in the order the tasks ended, the final one last.
TEST_P(TasksOrderTest, RunsNAtOnceInListOrderAndReportsInOrderOfEnding)
{
    const BatchCase c = GetParam();
    Build(std::vector<TFakeRun>(static_cast<std::size_t>(c.tasks), TFakeRun::Hold));
    ClearInFinalHandler();
    tasks_.Start(c.threads);

    std::vector<int> released;
    for (int ended = 0; ended < c.tasks; ++ended) {
        const int shouldRun = std::min(c.threads + ended, c.tasks);
        for (int k = 0; k < shouldRun; ++k)
            TMainThread::WaitPumping(script_->Started(k));
        if (shouldRun < c.tasks) {
            EXPECT_FALSE(script_->HasStarted(shouldRun)) << "more than " << c.threads << " at once";
        }
        // End the most recently started task first, so records leave list order.
        int victim = shouldRun - 1;
        while (std::find(released.begin(), released.end(), victim) != released.end())
            --victim;
        released.push_back(victim);
        script_->Release(victim);
        WaitForRecord(victim);
    }
    WaitForRecord(-1);

    std::vector<int> expected = released;
    expected.push_back(-1);
    EXPECT_EQ(RecordIndexes(), expected);
    for (const TTerminateInfo& r : records_) {
        EXPECT_TRUE(r.Finished) << r.TaskIndex;
        EXPECT_FALSE(r.Exception) << r.TaskIndex;
    }
    EXPECT_LE(script_->MaxRunning(), c.threads);
    ExpectProgressBeforeEachEnd();
}

TEST_F(TasksTest, TasksKnowHowManyConvertAtOnceAndHowOftenToReport)
{
    for (const auto& [count, threads, atOnce] : {std::tuple{3, 2, 2}, {2, 5, 2}, {2, 0, 1}}) {
        Build(std::vector<TFakeRun>(static_cast<std::size_t>(count), TFakeRun::Finish));
        records_.clear();
        tasks_.SetProgressInterval(250);
        tasks_.Start(threads);
        WaitForRecord(-1);
        for (int k = 0; k < count; ++k) {
            EXPECT_EQ(tasks_.Task(k)->ConcurrentTasks, atOnce) << count << " tasks, " << threads << " at once";
            EXPECT_EQ(tasks_.Task(k)->ReportInterval, 250000);
        }
        tasks_.ClearTasks();
    }
}

INSTANTIATE_TEST_SUITE_P(Batches, TasksOrderTest,
                         ::testing::Values(BatchCase{3, 1}, BatchCase{5, 2}, BatchCase{4, 4}, BatchCase{2, 5}));

TEST_F(TasksTest, WithoutThreadsEveryTaskConvertsInsideStart)
{
    Build({TFakeRun::Finish, TFakeRun::Finish, TFakeRun::Finish});
    ClearInFinalHandler();
    tasks_.Start(0);
    EXPECT_EQ(RecordIndexes(), (std::vector<int>{0, 1, 2, -1}));
    EXPECT_EQ(tasks_.TasksCount(), 0);
    ExpectProgressBeforeEachEnd();
}

TEST_F(TasksTest, AFailedStartIsReportedAndTheNextTaskStillRuns)
{
    Build({TFakeRun::Hold, TFakeRun::Finish, TFakeRun::Finish}, {1});
    tasks_.Start(1);
    TMainThread::WaitPumping(script_->Started(0));
    script_->Release(0);
    WaitForRecord(-1);
    EXPECT_EQ(RecordIndexes(), (std::vector<int>{0, 1, 2, -1}));
    EXPECT_TRUE(records_[1].Exception);
    EXPECT_FALSE(records_[1].Finished);
    EXPECT_EQ(records_[1].ExceptionMsg, "At least one output file must be specified");
    EXPECT_TRUE(records_[2].Finished);
    EXPECT_TRUE(records_[3].Finished);
}

TEST_F(TasksTest, AFailingFirstTaskStillLeavesNRunning)
{
    Build({TFakeRun::Finish, TFakeRun::Hold, TFakeRun::Hold, TFakeRun::Hold}, {0});
    tasks_.Start(2);
    TMainThread::WaitPumping(script_->Started(1));
    TMainThread::WaitPumping(script_->Started(2));
    EXPECT_FALSE(script_->HasStarted(3));
    for (int k : {1, 2, 3}) {
        TMainThread::WaitPumping(script_->Started(k));
        script_->Release(k);
    }
    WaitForRecord(-1);
    EXPECT_EQ(RecordIndexes().size(), 5u);
    EXPECT_EQ(RecordIndexes().front(), 0);
    EXPECT_EQ(RecordIndexes().back(), -1);
}

TEST_F(TasksTest, AnEmptyBatchEndsAtOnce)
{
    for (int threads : {0, 2}) {
        Build({});
        records_.clear();
        tasks_.Start(threads);
        WaitForRecord(-1);
        EXPECT_TRUE(records_.back().Finished);
        EXPECT_TRUE(tasks_.Terminated());
        tasks_.ClearTasks();
    }
}

TEST_F(TasksTest, PauseHoldsEveryWorkerAndResumeReleasesThem)
{
    Build({TFakeRun::Endless, TFakeRun::Endless, TFakeRun::Endless});
    tasks_.Start(2);
    TMainThread::WaitPumping(script_->Started(0));
    TMainThread::WaitPumping(script_->Started(1));
    tasks_.Pause();
    ASSERT_TRUE(
        TMainThread::WaitPumping([&] { return tasks_.Task(0)->WaitingAtGate() && tasks_.Task(1)->WaitingAtGate(); }));
    const auto held = progressOf_;
    TMainThread::Pump();
    EXPECT_EQ(progressOf_, held) << "a paused task reported progress";

    tasks_.Resume();
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return progressOf_[0] > held[0] && progressOf_[1] > held[1]; }));
    EXPECT_FALSE(script_->HasStarted(2));
    tasks_.Stop(true);
    EXPECT_EQ(RecordIndexes(), (std::vector<int>{0, 1, 2, -1}));
}

TEST_F(TasksTest, ATaskThatStartsDuringAPauseWaitsForResume)
{
    Build({TFakeRun::Hold, TFakeRun::Finish});
    tasks_.Start(1);
    TMainThread::WaitPumping(script_->Started(0));
    tasks_.Pause();
    script_->Release(0);
    WaitForRecord(0);
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return tasks_.Task(1)->WaitingAtGate(); }));
    EXPECT_FALSE(script_->HasStarted(1));
    tasks_.Resume();
    WaitForRecord(-1);
    EXPECT_TRUE(records_[1].Finished);
}

struct StopCase {
    bool paused;
    bool waitFor;
};

class TasksStopTest : public TasksTest, public ::testing::WithParamInterface<StopCase> {};

// Running tasks are broken, tasks never started are still reported, and the
// final record comes last; a handler that clears the list from it is safe
// while Stop is still walking the list.
TEST_P(TasksStopTest, StopEndsRunningAndPendingTasksThenSendsTheFinalRecord)
{
    const StopCase c = GetParam();
    Build({TFakeRun::Endless, TFakeRun::Endless, TFakeRun::Endless, TFakeRun::Endless, TFakeRun::Endless});
    ClearInFinalHandler();
    tasks_.Start(2);
    TMainThread::WaitPumping(script_->Started(0));
    TMainThread::WaitPumping(script_->Started(1));
    if (c.paused) {
        tasks_.Pause();
        ASSERT_TRUE(TMainThread::WaitPumping(
            [&] { return tasks_.Task(0)->WaitingAtGate() && tasks_.Task(1)->WaitingAtGate(); }));
    }
    tasks_.Stop(c.waitFor);
    if (c.waitFor) {
        EXPECT_TRUE(HasRecord(-1)) << "Stop(True) returns after every task's end";
    }
    WaitForRecord(-1);

    std::vector<int> indexes = RecordIndexes();
    ASSERT_EQ(indexes.size(), 6u);
    EXPECT_EQ(indexes.back(), -1);
    if (c.waitFor) {
        EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 3, 4, -1}));
    }
    std::sort(indexes.begin(), indexes.end());
    EXPECT_EQ(indexes, (std::vector<int>{-1, 0, 1, 2, 3, 4}));
    for (const TTerminateInfo& r : records_) {
        EXPECT_EQ(r.Finished, r.TaskIndex == -1) << r.TaskIndex;
        EXPECT_FALSE(r.Exception) << r.TaskIndex;
    }
    for (int k : {2, 3, 4})
        EXPECT_FALSE(script_->HasStarted(k));
    EXPECT_EQ(tasks_.TasksCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Stops, TasksStopTest,
                         ::testing::Values(StopCase{false, true}, StopCase{true, true}, StopCase{false, false},
                                           StopCase{true, false}));

TEST_F(TasksTest, StopBeforeStartLeavesTheTasksStartable)
{
    Build({TFakeRun::Finish, TFakeRun::Finish});
    tasks_.Stop(true);
    TMainThread::Pump();
    EXPECT_TRUE(records_.empty());
    EXPECT_FALSE(tasks_.Working());
    tasks_.Start(2);
    WaitForRecord(-1);
    for (const TTerminateInfo& r : records_)
        EXPECT_TRUE(r.Finished) << r.TaskIndex;
}

TEST_F(TasksTest, DestroyingTheComponentStopsAndWaitsForEveryTask)
{
    auto script = std::make_shared<TFakeScript>(std::vector<TFakeRun>(4, TFakeRun::Endless));
    int records = 0;
    {
        TFFmpegTasks tasks;
        tasks.SetTranscoderFactory([script] { return std::make_unique<TFakeTranscoder>(script); });
        tasks.OnTerminate = [&](TCustomFFmpegTasks*, const TTerminateInfo&) { ++records; };
        tasks.OnProgress = [](TCustomFFmpegTasks*, TProgressInfo*) {};
        for (int i = 0; i < 4; ++i) {
            tasks.AddTask("in.avi", std::string());
            tasks.SetOutputFile(i, "out" + std::to_string(i) + ".mp4", std::string());
        }
        tasks.Start(2);
        TMainThread::WaitPumping(script->Started(0));
        TMainThread::WaitPumping(script->Started(1));
        tasks.Pause();
    }
    TMainThread::Pump();
    EXPECT_EQ(records, 0) << "nothing reaches a component that is gone";
    EXPECT_FALSE(script->HasStarted(2));
}

TEST_F(TasksTest, TerminateRecordsCanRunOutsideTheMainThread)
{
    Build({TFakeRun::Finish, TFakeRun::Finish, TFakeRun::Finish, TFakeRun::Finish});
    std::mutex mutex;
    std::vector<int> indexes;
    bool offMainThread = true;
    TEvent final(true, false);
    tasks_.OnProgress = nullptr;
    tasks_.OnTerminate = [&](TCustomFFmpegTasks*, const TTerminateInfo& info) {
        std::lock_guard lock(mutex);
        offMainThread = offMainThread && !TMainThread::IsCurrent();
        indexes.push_back(info.TaskIndex);
        if (info.TaskIndex == -1)
            final.SetEvent();
    };
    tasks_.SetTriggerEventInMainThread(false);
    tasks_.Start(2);
    TMainThread::WaitPumping(final);
    std::lock_guard lock(mutex);
    EXPECT_TRUE(offMainThread);
    ASSERT_EQ(indexes.size(), 5u);
    EXPECT_EQ(indexes.back(), -1);
    std::sort(indexes.begin(), indexes.end());
    EXPECT_EQ(indexes, (std::vector<int>{-1, 0, 1, 2, 3}));
}

TEST_F(TasksTest, ListOperationsRefuseWhileABatchRunsOrHasNotBeenCleared)
{
    Build({TFakeRun::Hold});
    tasks_.Start(1);
    EXPECT_THROW(
        {
            try {
                tasks_.ClearTasks();
            } catch (const ETasksWorking& e) {
                EXPECT_STREQ(e.what(), "Cannot ClearTasks while working.");
                throw;
            }
        },
        ETasksWorking);
    TMainThread::WaitPumping(script_->Started(0));
    script_->Release(0);
    WaitForRecord(-1);

    const std::pair<const char*, std::function<void()>> operations[] = {
        {"Cannot AddTask while working.", [&] { tasks_.AddTask("in.avi", std::string()); }},
        {"Cannot AddInputFile while working.", [&] { tasks_.AddInputFile(0, "in.avi", std::string()); }},
        {"Cannot SetOutputFile while working.", [&] { tasks_.SetOutputFile(0, "o.mp4", std::string()); }},
        {"Cannot Exchange while working.", [&] { tasks_.Exchange(0, 0); }},
        {"Cannot RemoveTask while working.", [&] { tasks_.RemoveTask(0); }},
        {"Cannot StartTask while working.", [&] { tasks_.Start(1); }},
    };
    for (const auto& [message, operation] : operations) {
        try {
            operation();
            ADD_FAILURE() << message;
        } catch (const ETasksWorking& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
    EXPECT_EQ(tasks_.TasksCount(), 1);
    tasks_.ClearTasks();
    EXPECT_EQ(tasks_.TasksCount(), 0);
}

// One edit of the task list: RemoveTask(Index), or Exchange(Index, With).
struct TListEdit {
    static constexpr int kRemove = -100;
    int Index;
    int With = kRemove;
};
constexpr TListEdit Remove(int index)
{
    return {index};
}
constexpr TListEdit Swap(int index, int with)
{
    return {index, with};
}

// While idle the list may be edited; a batch then runs exactly the remaining
// tasks in their new order and reports each by its new index.
TEST_F(TasksTest, RemovingAndReorderingWhileIdleShapeTheNextBatch)
{
    struct Case {
        const char* name;
        std::vector<TListEdit> edits;
        std::vector<int> order;  // the tasks as first added, in the order they should now run
        bool outOfRange = false; // the last edit is refused with the list's index error
    };
    const Case cases[] = {
        {"remove the first", {Remove(0)}, {1, 2, 3}},
        {"remove a middle one", {Remove(1)}, {0, 2, 3}},
        {"remove the last", {Remove(3)}, {0, 1, 2}},
        {"remove every one", {Remove(0), Remove(0), Remove(0), Remove(0)}, {}},
        {"move the first down", {Swap(0, 1)}, {1, 0, 2, 3}},
        {"move the last up", {Swap(3, 2)}, {0, 1, 3, 2}},
        {"move one up to the top", {Swap(2, 1), Swap(1, 0)}, {2, 0, 1, 3}},
        {"move one down to the bottom", {Swap(1, 2), Swap(2, 3)}, {0, 2, 3, 1}},
        {"remove, then move into the gap", {Remove(1), Swap(2, 1)}, {0, 3, 2}},
        {"move the first up", {Swap(0, -1)}, {0, 1, 2, 3}, true},
        {"move the last down", {Swap(3, 4)}, {0, 1, 2, 3}, true},
        {"remove past the end", {Remove(3), Remove(3)}, {0, 1, 2}, true},
    };
    const auto apply = [this](const TListEdit& edit) {
        if (edit.With == TListEdit::kRemove)
            tasks_.RemoveTask(edit.Index);
        else
            tasks_.Exchange(edit.Index, edit.With);
    };
    for (int threads : {0, 1}) {
        for (const Case& c : cases) {
            const std::string name = std::string(c.name) + ", threads " + std::to_string(threads);
            Build(std::vector<TFakeRun>(4, TFakeRun::Finish));
            std::vector<TFFmpeg*> added;
            for (int i = 0; i < 4; ++i)
                added.push_back(tasks_.Task(i));
            for (std::size_t k = 0; k < c.edits.size(); ++k) {
                if (c.outOfRange && k + 1 == c.edits.size())
                    EXPECT_THROW(apply(c.edits[k]), std::out_of_range) << name;
                else
                    apply(c.edits[k]);
            }
            ASSERT_EQ(tasks_.TasksCount(), static_cast<int>(c.order.size())) << name;
            for (std::size_t i = 0; i < c.order.size(); ++i)
                ASSERT_EQ(tasks_.Task(static_cast<int>(i)), added[static_cast<std::size_t>(c.order[i])]) << name;

            records_.clear();
            log_.clear();
            progressOf_.assign(progressOf_.size(), 0);
            tasks_.Start(threads);
            WaitForRecord(-1);
            // One at a time, so the records follow the run order.
            std::vector<int> expected;
            for (std::size_t i = 0; i < c.order.size(); ++i)
                expected.push_back(static_cast<int>(i));
            expected.push_back(-1);
            EXPECT_EQ(RecordIndexes(), expected) << name;
            for (const TTerminateInfo& r : records_)
                EXPECT_TRUE(r.Finished) << name << ", task " << r.TaskIndex;
            for (int i = 0; i < 4; ++i) {
                const bool kept = std::find(c.order.begin(), c.order.end(), i) != c.order.end();
                EXPECT_EQ(script_->HasStarted(i), kept) << name << ", task added " << i;
                EXPECT_EQ(progressOf_[static_cast<std::size_t>(i)] > 0, i < static_cast<int>(c.order.size()))
                    << name << ", progress of " << i;
            }
            ExpectProgressBeforeEachEnd();
            tasks_.ClearTasks();
        }
    }
}

TEST_F(TasksTest, AddingReportsFailuresInLastErrMsg)
{
    Build({});
    EXPECT_EQ(tasks_.AddTask("missing.avi", std::string()), -1);
    EXPECT_EQ(tasks_.LastErrMsg(), "missing.avi: No such file or directory");
    EXPECT_EQ(tasks_.AddTask("in.avi", std::string("r=bad")), -1);
    EXPECT_EQ(tasks_.LastErrMsg(), "Incorrect frame rate");
    EXPECT_EQ(tasks_.TasksCount(), 0);

    TInputOptions input;
    const int index = tasks_.AddTask("in.avi", &input);
    ASSERT_EQ(index, 0);
    EXPECT_EQ(input.FileName, "in.avi");
    EXPECT_FALSE(tasks_.AddInputFile(0, "missing2.avi", std::string()));
    EXPECT_EQ(tasks_.LastErrMsg(), "missing2.avi: No such file or directory");
    EXPECT_FALSE(tasks_.SetOutputFile(7, "x.mp4", std::string()));

    for (int i = 0; i < tasks_.CustomMaxFiles(); ++i)
        ASSERT_TRUE(tasks_.SetOutputFile(0, "out" + std::to_string(i) + ".mp4", std::string()));
    EXPECT_FALSE(tasks_.SetOutputFile(0, "one-too-many.mp4", std::string()));
    EXPECT_EQ(tasks_.LastErrMsg(), "max output files 20 reached");
}

TEST_F(TasksTest, ProgressCarriesTheTaskAndItsExpectedDuration)
{
    Build({});
    tasks_.AddTask("in.avi", std::string());
    tasks_.SetOutputFile(0, "out.mp4", std::string("TimeLength=5000000"));
    tasks_.Start(1);
    WaitForRecord(-1);
    EXPECT_EQ(lastProgress_.TaskIndex, 0);
    EXPECT_EQ(lastProgress_.FileIndex, -1);
    EXPECT_EQ(lastProgress_.TotalDuration, 5000000);
}

TEST_F(TasksTest, SwitchingThePreviewWhileAWorkerWaitsForTheMainThreadDoesNotDeadlock)
{
    Build({TFakeRun::Finish});
    TEvent locked(true, false);
    std::thread worker([&] {
        // As a worker showing a frame: the lock is held while the main thread paints.
        PostHookLock().Enter();
        locked.SetEvent();
        TMainThread::Call([] {});
        PostHookLock().Leave();
    });
    locked.WaitFor(INFINITE);
    tasks_.SetPreview(true);
    worker.join();
    EXPECT_TRUE(tasks_.Task(0)->PostHooks().Contains(TPostHook::phPreview));
    tasks_.SetPreviewBitmap(true);
    tasks_.SetPreview(false);
    EXPECT_EQ(tasks_.Task(0)->PostHooks(), TPostHooks{TPostHook::phBitmap});
}

TEST_F(TasksTest, ProgressIntervalHasAFloor)
{
    const std::pair<int, int> cases[] = {{50, 100}, {100, 100}, {101, 101}, {-5, 100}};
    for (const auto& [set, read] : cases) {
        tasks_.SetProgressInterval(set);
        EXPECT_EQ(tasks_.ProgressInterval(), read) << set;
    }
}

// A fake whose inputs are real contexts, as the transcoder opens them.
class TContextOpeningTranscoder : public TFakeTranscoder {
public:
    using TFakeTranscoder::TFakeTranscoder;
    bool OpenInputFile(TCustomFFmpeg& job, const std::string& fileName) override
    {
        AVFormatContext* context = nullptr;
        if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0)
            return false;
        FF.avformat_find_stream_info(context, nullptr);
        job.Finput_files[static_cast<std::size_t>(job.Fnb_input_files++)] = context;
        return true;
    }
    void ReleaseMedia(TCustomFFmpeg& job) override
    {
        for (int i = 0; i < job.Fnb_input_files; ++i)
            FF.avformat_close_input(&job.Finput_files[static_cast<std::size_t>(i)]);
    }
};

class TasksProbeTest : public TRealLibrariesTest {};

TEST_F(TasksProbeTest, EachInputsProbeReadsTheContextTheTaskOpened)
{
    TMainThread::SetCurrent();
    auto script = std::make_shared<TFakeScript>();
    {
        TFFmpegTasks tasks;
        tasks.SetTranscoderFactory([script] { return std::make_unique<TContextOpeningTranscoder>(script); });
        const std::string avi = test::media::FixturePath(test::media::Fixture::Mpeg4Mp3Avi).string();
        const std::string mp3 = test::media::FixturePath(test::media::Fixture::Mp3Audio).string();
        ASSERT_EQ(tasks.AddTask(avi, std::string()), 0) << tasks.LastErrMsg();
        ASSERT_TRUE(tasks.AddInputFile(0, mp3, std::string())) << tasks.LastErrMsg();
        TAVProbe* first = tasks.GetTaskProbe(0, 0);
        TAVProbe* second = tasks.GetTaskProbe(0, 1);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(first->FileHandle(), tasks.Task(0)->Finput_files[0]);
        EXPECT_EQ(first->StreamCount(), 2);
        EXPECT_EQ(second->FormatName(), "mp3");
        EXPECT_EQ(tasks.GetTaskProbe(0, 2), nullptr);
        EXPECT_EQ(tasks.GetTaskProbe(1, 0), nullptr);
    }
}

class TasksOutputTest : public TRealLibrariesTest {};

// An output that would overwrite another file of the list is refused when added.
TEST_F(TasksOutputTest, AnOutputThatIsAnotherFileOfTheListIsRefused)
{
    TMainThread::SetCurrent();
    const std::string avi = test::media::FixturePath(test::media::Fixture::Mpeg4Mp3Avi).string();
    const std::string wav = test::media::FixturePath(test::media::Fixture::PcmWav).string();
    const std::string out = (std::filesystem::temp_directory_path() / "tasks-output-test.avi").string();
    TFFmpegTasks tasks;
    auto script = std::make_shared<TFakeScript>();
    tasks.SetTranscoderFactory([script] { return std::make_unique<TContextOpeningTranscoder>(script); });
    ASSERT_EQ(tasks.AddTask(avi, std::string()), 0) << tasks.LastErrMsg();
    ASSERT_EQ(tasks.AddTask(wav, std::string()), 1) << tasks.LastErrMsg();
    ASSERT_TRUE(tasks.SetOutputFile(0, out, std::string())) << tasks.LastErrMsg();
    const struct {
        std::string name;
        std::string message;
    } cases[] = {
        {out, "Output file '" + out + "' is the output file '" + out + "' of task 0"},
        {avi, "Output file '" + avi + "' is the input file '" + avi + "' of task 0"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(tasks.SetOutputFile(1, c.name, std::string())) << c.name;
        EXPECT_EQ(tasks.LastErrMsg(), c.message);
    }
    EXPECT_EQ(tasks.Task(1)->nb_output_files(), 0);
}

} // namespace
} // namespace tovrel::test
