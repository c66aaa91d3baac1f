#pragma once
// Batches of the task component converting the AVI clip in worker threads with
// the preview on, every encoded picture shown; for the preview's tests here
// and in the preview window's tests.
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/engine/FFmpegOptions.h"
#include "media/engine/FFmpegTasks.h"

#include <functional>
#include <string>
#include <vector>

namespace tovrel::test {

class TPreviewBatchTest : public TMediaJobTest {
protected:
    void SetUp() override
    {
        TMediaJobTest::SetUp();
        InstallMediaTranscoder();
        tasks_.OnTerminate = [this](TCustomFFmpegTasks*, const TTerminateInfo& info) { records_.push_back(info); };
    }
    void TearDown() override
    {
        // Calls posted by the last pictures and hooks of the batch.
        while (TMainThread::Pump() > 0) {}
        TMediaJobTest::TearDown();
    }

    // A task converting the clip to MPEG-4 of the given size.
    int AddTask(const std::string& frameSize, bool customHook = false)
    {
        const int task =
            tasks_.AddTask(PathOf(test::media::Fixture::Mpeg4Mp3Avi), static_cast<TInputOptions*>(nullptr));
        EXPECT_GE(task, 0) << tasks_.LastErrMsg();
        TOutputOptions options;
        InitOutputOptions(options);
        options.VideoCodec = "mpeg4";
        options.AudioCodec = "libmp3lame";
        options.FrameSize = frameSize;
        options.CustomHook = customHook;
        EXPECT_TRUE(tasks_.SetOutputFile(task, OutputOf(task), &options)) << tasks_.LastErrMsg();
        tasks_.Task(task)->PreviewInterval = -1;
        return task;
    }
    std::string OutputOf(int task) const { return folder_.Path("task" + std::to_string(task) + ".avi"); }

    // Runs the batch with the preview on; the main thread serves the workers
    // and runs betweenCalls after each round of their calls.
    void RunBatch(int threads, const std::function<void()>& betweenCalls = {})
    {
        tasks_.SetPreview(true);
        tasks_.Start(threads);
        ASSERT_TRUE(TMainThread::WaitPumping([&] {
            if (betweenCalls)
                betweenCalls();
            return records_.size() == std::size_t(tasks_.TasksCount()) + 1;
        }));
    }
    void ExpectAllFinished() const
    {
        for (const TTerminateInfo& record : records_) {
            if (record.TaskIndex >= 0) {
                EXPECT_TRUE(record.Finished && !record.Exception) << record.TaskIndex << ": " << record.ExceptionMsg;
            }
        }
    }

    TTestFolder folder_;
    std::vector<TTerminateInfo> records_;
    TFFmpegTasks tasks_;
};

} // namespace tovrel::test
