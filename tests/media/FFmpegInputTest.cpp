// Opening a job's inputs: the pending options primed from the file's streams,
// the failures a file causes, and files with more streams than the old tables.
#include "media/transcode/FFmpegInput.h"
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/engine/FFmpegTasks.h"

#include <filesystem>

namespace tovrel::test {
namespace {

using test::media::Fixture;

class FFmpegInputTest : public TMediaJobTest {};

TEST_F(FFmpegInputTest, AnInputPrimesThePendingVideoAndAudioOptions)
{
    OpenInput(Fixture::Mpeg4Mp3Avi);
    EXPECT_EQ(job->nb_input_files(), 1);
    ASSERT_NE(job->Finput_files[0], nullptr);
    EXPECT_EQ(job->Fframe_width, 320);
    EXPECT_EQ(job->Fframe_height, 240);
    EXPECT_FLOAT_EQ(job->Fframe_aspect_ratio, 320.0f / 240.0f);
    EXPECT_EQ(job->Fframe_pix_fmt, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(job->Fframe_rate.num, 25);
    EXPECT_EQ(job->Fframe_rate.den, 1);
    EXPECT_EQ(job->Faudio_sample_rate, 44100);
    EXPECT_EQ(job->Faudio_channels, 2);
    EXPECT_EQ(job->Fnb_icodecs, 2);
    EXPECT_NEAR(double(job->FTotalOutputDuration), 2e6, 2e5);
}

TEST_F(FFmpegInputTest, TheLongerOfTwoInputsGivesTheTotalAndTheLastInputThePendingOptions)
{
    OpenInput(Fixture::Mpeg4Mp3Avi); // 2 s, 44.1 kHz stereo
    OpenInput(Fixture::PcmWav);      // 1 s
    EXPECT_EQ(job->nb_input_files(), 2);
    EXPECT_NEAR(double(job->FTotalOutputDuration), 2e6, 2e5);
    EXPECT_EQ(job->Faudio_sample_fmt, AV_SAMPLE_FMT_S16);
}

TEST_F(FFmpegInputTest, AFileWithMoreStreamsThanTheOldTablesOpensWithAnEntryPerStream)
{
    NewJob(1);
    ASSERT_TRUE(job->OpenInputFile(PathOf(Fixture::ManyStreams))) << job->LastErrMsg();
    EXPECT_EQ(job->Fnb_icodecs, 22);
    ASSERT_EQ(media->State().ForcedDecoders.size(), 1u);
    EXPECT_EQ(media->State().ForcedDecoders[0].size(), 22u);
}

TEST_F(FFmpegInputTest, ForcedDecodersAreKeptPerFileAndStream)
{
    job->ParseOption("acodec", "mp3float");
    OpenInput(Fixture::ManyStreams);
    OpenInput(Fixture::Mpeg4Mp3Avi);
    const auto& decoders = media->State().ForcedDecoders;
    ASSERT_EQ(decoders.size(), 2u);
    const AVFormatContext* many = job->Finput_files[0];
    for (unsigned i = 0; i < many->nb_streams; ++i) {
        const bool audio = many->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO;
        ASSERT_EQ(decoders[0][i] != nullptr, audio) << "stream " << i;
        if (audio) {
            EXPECT_STREQ(decoders[0][i]->name, "mp3float");
        }
    }
    // The forced name belonged to the first input only.
    for (const AVCodec* decoder : decoders[1])
        EXPECT_EQ(decoder, nullptr);
    EXPECT_TRUE(job->Faudio_codec_name.empty());
}

TEST_F(FFmpegInputTest, AStartBeyondTheEndOpensAndIsConsumed)
{
    job->SetVerbose(1);
    job->SetStartTime(100000000);
    OpenInput(Fixture::Mpeg4Mp3Avi);
    EXPECT_EQ(job->Fstart_time, 0);
    EXPECT_EQ(job->Finput_files_ts_offset[0], -100000000 - job->Finput_files[0]->start_time);
}

TEST_F(FFmpegInputTest, AUnicodeNameOpens)
{
    OpenInput(Fixture::ChineseName);
    EXPECT_EQ(job->Fframe_width, 320);
}

TEST_F(FFmpegInputTest, TheTaskComponentAddsFixturesThroughTheMediaTranscoder)
{
    TTestFolder folder;
    TFFmpegTasks tasks;
    tasks.SetTranscoderFactory([] { return std::make_unique<TMediaTranscoder>(); });
    tasks.SetCustomMaxFiles(1);
    const int task = tasks.AddTask(PathOf(Fixture::ManyStreams), "");
    ASSERT_GE(task, 0) << tasks.LastErrMsg();
    TAVProbe* probe = tasks.GetTaskProbe(task, 0);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->VideoStreamCount(), 1);
    EXPECT_EQ(probe->AudioStreamCount(), 21);
    EXPECT_FALSE(tasks.SetOutputFile(task, PathOf(Fixture::ManyStreams), ""));
    EXPECT_NE(tasks.LastErrMsg().find("is the input file"), std::string::npos) << tasks.LastErrMsg();
    EXPECT_TRUE(tasks.SetOutputFile(task, folder.Path("out.mkv"), "")) << tasks.LastErrMsg();
    EXPECT_EQ(tasks.AddTask(PathOf(Fixture::NotMedia), ""), -1);
    EXPECT_EQ(tasks.LastErrMsg().rfind(PathOf(Fixture::NotMedia) + ": ", 0), 0u) << tasks.LastErrMsg();
}

struct TInputFailure {
    const char* option;
    const char* value;
    Fixture fixture;
    std::string message; // empty: the file name and the library's error text
};

TEST_F(FFmpegInputTest, FailuresReportTheirTextAndLeaveNoInput)
{
    const TInputFailure cases[] = {
        {"acodec", "libmp3lame", Fixture::Mpeg4Mp3Avi, "Unknown decoder 'libmp3lame'"},
        {"vcodec", "mp3", Fixture::Mpeg4Mp3Avi, "Invalid decoder type 'mp3'"},
        {"programid", "7", Fixture::Mpeg4Mp3Avi, "Specified program id not found"},
        {"", "", Fixture::NotMedia, ""},
    };
    for (const TInputFailure& failure : cases) {
        NewJob();
        if (*failure.option)
            job->ParseOption(failure.option, failure.value);
        const std::string path = PathOf(failure.fixture);
        EXPECT_FALSE(job->OpenInputFile(path)) << failure.value;
        if (failure.message.empty())
            EXPECT_EQ(job->LastErrMsg().rfind(path + ": ", 0), 0u) << job->LastErrMsg();
        else
            EXPECT_EQ(job->LastErrMsg(), failure.message);
        EXPECT_EQ(job->nb_input_files(), 0);
        EXPECT_EQ(job->Finput_files[0], nullptr);
        EXPECT_TRUE(job->Fvideo_codec_name.empty() && job->Faudio_codec_name.empty());
    }
    const std::string missing = (std::filesystem::temp_directory_path() / "tovrel-no-such-input.avi").string();
    EXPECT_FALSE(job->OpenInputFile(missing));
    EXPECT_EQ(job->LastErrMsg(), missing + ": No such file or directory");
}

TEST_F(FFmpegInputTest, AnUnknownForcedFormatRaises)
{
    job->SetFormat("no_such_format");
    try {
        job->OpenInputFile(PathOf(Fixture::Mpeg4Mp3Avi));
        FAIL() << "no exception";
    } catch (const FFmpegException& e) {
        EXPECT_STREQ(e.what(), "Unknown input format: \"no_such_format\"");
    }
    EXPECT_EQ(job->nb_input_files(), 0);
}

TEST(FFmpegInputAspect, FrameAspectRatioFollowsTheSampleAspectRatio)
{
    EXPECT_FLOAT_EQ(FrameAspectRatio(640, 480, 0, 1), 4.0f / 3.0f);
    EXPECT_FLOAT_EQ(FrameAspectRatio(640, 480, 4, 3), 16.0f / 9.0f);
    EXPECT_FLOAT_EQ(FrameAspectRatio(0, 0, 0, 0), 4.0f / 3.0f);
    EXPECT_FLOAT_EQ(FrameAspectRatio(0, 480, 3, 2), 1.5f);
}

} // namespace
} // namespace tovrel::test
