#include "media/engine/FFmpegEngine.h"
#include "media/loader/FFmpegLogger.h"

#include "FFmpegEngineFake.h"
#include "FFmpegTestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace tovrel::test {
namespace {

using test::TFakeRun;
using test::TFakeScript;
using test::TFakeTranscoder;

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { TMainThread::SetCurrent(); }

    std::unique_ptr<TCustomFFmpeg> MakeJob(TFakeRun run, int maxFiles = 20)
    {
        script_ = std::make_shared<TFakeScript>(std::vector<TFakeRun>{run});
        auto job = std::make_unique<TCustomFFmpeg>(maxFiles, std::make_unique<TFakeTranscoder>(script_));
        job->FOnTerminate = [this](TCustomFFmpeg*) {
            ++terminates_;
            terminateThread_ = std::this_thread::get_id();
        };
        return job;
    }

    std::filesystem::path TempFile(const std::string& name) { return folder_.Path(name); }

    TTestFolder folder_;
    std::shared_ptr<TFakeScript> script_;
    std::atomic<int> terminates_{0};
    std::thread::id terminateThread_;
};

TEST_F(EngineTest, TableSizeMustLieInOneTo512)
{
    for (int bad : {0, 513, -1})
        EXPECT_ANY_THROW(MakeJob(TFakeRun::Finish, bad)) << bad;
    for (int good : {1, 512})
        EXPECT_EQ(MakeJob(TFakeRun::Finish, good)->MaxFiles(), good);
}

TEST_F(EngineTest, ResetOptionsGivesTheTranscoderDefaults)
{
    auto job = MakeJob(TFakeRun::Finish);
    job->Faudio_qscale = 1;
    job->Fmux_preload = 3;
    job->Frecording_time = 5;
    job->Fsws_flags = 0;
    job->ResetOptions();
    EXPECT_EQ(job->Faudio_qscale, -99999.0f);
    EXPECT_EQ(job->Fmux_preload, 0.5f);
    EXPECT_EQ(job->Fmux_max_delay, 0.7f);
    EXPECT_EQ(job->Frecording_time, INT64_MAX);
    EXPECT_EQ(job->Fsws_flags, 4u);
    EXPECT_EQ(job->Fdts_delta_threshold, 10.0f);
    EXPECT_EQ(job->Fbit_buffer_size, 262144);
    EXPECT_EQ(job->Faudio_sample_rate, 44100);
    EXPECT_EQ(job->Fintra_dc_precision, 8);
    EXPECT_EQ(job->Fmax_frames[mtSubtitle], INT32_MAX);
    EXPECT_EQ(job->Fframe_pix_fmt, AV_PIX_FMT_NONE);
    EXPECT_EQ(job->FTotalOutputDuration, -1);
    EXPECT_EQ(job->ReportInterval, 500000);
    EXPECT_EQ(job->PreviewInterval, 100000);
}

TEST_F(EngineTest, AStartWithoutOutputOrInputEndsAtOnceInTheCaller)
{
    struct Case {
        bool input, output;
        const char* message;
    } cases[] = {{true, false, "At least one output file must be specified"},
                 {false, true, "At least one input file must be specified"},
                 {false, false, "At least one output file must be specified"}};
    std::vector<std::pair<const void*, std::string>> logged;
    GetFFLogger()->SetOnLog([&](const void* sender, std::uint32_t, TLogLevel level, const std::string& message) {
        if (level == llQuiet)
            logged.emplace_back(sender, message);
    });
    for (const Case& c : cases) {
        auto job = MakeJob(TFakeRun::Finish);
        terminates_ = 0;
        logged.clear();
        if (c.input)
            job->OpenInputFile("in.avi");
        if (c.output)
            job->OpenOutputFile("out.mp4", false);
        EXPECT_EQ(job->StartConvert(true, TThreadPriority::tpNormal), nullptr);
        EXPECT_EQ(terminates_, 1);
        EXPECT_EQ(terminateThread_, std::this_thread::get_id());
        EXPECT_TRUE(job->FatalException());
        EXPECT_EQ(job->FatalMessage(), c.message);
        EXPECT_EQ(logged, (std::vector<std::pair<const void*, std::string>>{{job.get(), c.message}}));
        EXPECT_FALSE(job->Finished());
        // A job converts at most once.
        EXPECT_EQ(job->StartConvert(true, TThreadPriority::tpNormal), nullptr);
        job->StopOrTerminate(true);
        EXPECT_EQ(terminates_, 1);
    }
    GetFFLogger()->SetOnLog(nullptr);
}

TEST_F(EngineTest, AWorkerRunsOnceAndReportsItsEnd)
{
    auto job = MakeJob(TFakeRun::Finish);
    job->OpenInputFile("in.avi");
    job->OpenOutputFile("out.mp4", false);
    TThread* worker = job->StartConvert(true, TThreadPriority::tpLower);
    ASSERT_NE(worker, nullptr);
    EXPECT_EQ(worker->Priority(), TThreadPriority::tpLower);
    worker->Start();
    job->Stop(true); // returns only after the terminate step
    EXPECT_EQ(terminates_, 1);
    EXPECT_NE(terminateThread_, std::this_thread::get_id());
    EXPECT_EQ(job->StartConvert(true, TThreadPriority::tpNormal), nullptr);
}

TEST_F(EngineTest, AWorkerThatCannotStartEndsTheJobLikeAFailedStart)
{
    auto job = MakeJob(TFakeRun::Finish);
    job->OpenInputFile("in.avi");
    job->OpenOutputFile("out.mp4", false);
    ASSERT_NE(job->StartConvert(true, TThreadPriority::tpNormal), nullptr);
    job->WorkerNotStarted("Resource temporarily unavailable");
    EXPECT_EQ(terminates_, 1);
    EXPECT_TRUE(job->FatalException());
    EXPECT_EQ(job->FatalMessage(), "Resource temporarily unavailable");
    job->Stop(true);
    job.reset(); // neither waits for a worker that never ran
    EXPECT_FALSE(script_->HasStarted(0));
}

TEST_F(EngineTest, StopWaitsPumpingForAWorkerThatWaitsForTheMainThread)
{
    auto job = MakeJob(TFakeRun::Endless);
    int progress = 0;
    job->FOnProgress = [&](TCustomFFmpeg*, int, int, int, float, float, std::int64_t, std::int64_t, std::int64_t) {
        TMainThread::Call([&] { ++progress; });
    };
    job->OpenInputFile("in.avi");
    job->OpenOutputFile("out.mp4", false);
    job->StartConvert(true, TThreadPriority::tpNormal)->Start();
    TMainThread::WaitPumping(script_->Started(0));
    job->Stop(true);
    EXPECT_EQ(terminates_, 1);
    EXPECT_FALSE(job->Finished());
    EXPECT_FALSE(job->FatalException());
}

TEST_F(EngineTest, ANeverStartedJobEndsOnceInAThreadOfItsOwn)
{
    auto job = MakeJob(TFakeRun::Finish);
    job->StopOrTerminate(true);
    EXPECT_EQ(terminates_, 1);
    EXPECT_NE(terminateThread_, std::this_thread::get_id());
    job->StopOrTerminate(true);
    EXPECT_EQ(terminates_, 1);
    job->OpenInputFile("in.avi");
    job->OpenOutputFile("out.mp4", false);
    EXPECT_EQ(job->StartConvert(true, TThreadPriority::tpNormal), nullptr);
    EXPECT_EQ(terminates_, 1);
}

TEST_F(EngineTest, AFailureIsRecordedAndTheFilesAreStillReleased)
{
    auto job = MakeJob(TFakeRun::Fail);
    const auto output = TempFile("failed.mp4");
    job->OpenInputFile("in.avi");
    job->OpenOutputFile(output.string(), false);
    ASSERT_TRUE(std::filesystem::exists(output));
    EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    EXPECT_EQ(terminates_, 1);
    EXPECT_TRUE(job->FatalException());
    EXPECT_EQ(job->FatalMessage(), "Error while opening codec for output stream #0.0");
    EXPECT_FALSE(job->Finished());
    EXPECT_FALSE(std::filesystem::exists(output)) << "an output that received no byte is deleted";
    EXPECT_EQ(job->nb_output_files(), 0);
}

TEST_F(EngineTest, AnOutputWithDataStays)
{
    auto job = MakeJob(TFakeRun::Write);
    const auto output = TempFile("written.mp4");
    job->OpenInputFile("in.avi");
    job->OpenOutputFile(output.string(), false);
    job->StartConvert(false, TThreadPriority::tpNormal);
    EXPECT_TRUE(job->Finished());
    EXPECT_TRUE(std::filesystem::exists(output));
}

TEST_F(EngineTest, AnEmptyOutputOfAJobThatNeverRanGoesWithTheJob)
{
    const auto output = TempFile("never.mp4");
    {
        auto job = MakeJob(TFakeRun::Finish);
        job->OpenInputFile("in.avi");
        job->OpenOutputFile(output.string(), false);
        job->StopOrTerminate(true);
        EXPECT_TRUE(std::filesystem::exists(output)) << "kept until the job is destroyed";
    }
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(EngineTest, PauseHoldsTheWorkerAtTheGateAndStopEndsIt)
{
    auto job = MakeJob(TFakeRun::Endless);
    job->OpenInputFile("in.avi");
    job->OpenOutputFile("out.mp4", false);
    job->StartConvert(true, TThreadPriority::tpNormal)->Start();
    TMainThread::WaitPumping(script_->Started(0));
    job->Pause();
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return job->WaitingAtGate(); }));
    job->Resume();
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return !job->WaitingAtGate(); }));
    job->Pause();
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return job->WaitingAtGate(); }));
    job->Stop(true);
    EXPECT_EQ(terminates_, 1);
    EXPECT_FALSE(job->Finished());
}

TEST_F(EngineTest, PauseWithoutAWorkerDoesNothing)
{
    auto job = MakeJob(TFakeRun::Finish);
    job->OpenInputFile("in.avi");
    job->OpenOutputFile("out.mp4", false);
    job->Pause();
    job->StartConvert(false, TThreadPriority::tpNormal);
    EXPECT_TRUE(job->Finished());
}

} // namespace
} // namespace tovrel::test
