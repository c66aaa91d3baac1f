// End-to-end runs of the media transcoder through the task component: real
// conversions of generated clips, reopened and checked.
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/FFmpegOptions.h"
#include "media/FFmpegTasks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tovrel {
namespace {

using testmedia::Fixture;

struct TStreamFacts {
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    std::string codec;
    int packets = 0;
};

struct TFileFacts {
    bool opened = false;
    std::int64_t duration = 0; // microseconds
    std::vector<TStreamFacts> streams;

    const TStreamFacts* Of(AVMediaType type) const
    {
        for (const TStreamFacts& stream : streams)
            if (stream.type == type)
                return &stream;
        return nullptr;
    }
};

// Reopens a file and reads every packet of it.
TFileFacts ReadFacts(const std::string& fileName)
{
    TFileFacts facts;
    AVFormatContext* context = nullptr;
    if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0)
        return facts;
    if (FF.avformat_find_stream_info(context, nullptr) >= 0) {
        facts.opened = true;
        facts.duration = context->duration;
        for (unsigned i = 0; i < context->nb_streams; ++i) {
            const AVCodecParameters* par = context->streams[i]->codecpar;
            const AVCodecDescriptor* descriptor = avcodec_descriptor_get(par->codec_id);
            facts.streams.push_back({par->codec_type, descriptor ? descriptor->name : "", 0});
        }
        AVPacket* packet = FF.av_packet_alloc();
        while (FF.av_read_frame(context, packet) >= 0) {
            ++facts.streams[static_cast<std::size_t>(packet->stream_index)].packets;
            FF.av_packet_unref(packet);
        }
        FF.av_packet_free(&packet);
    }
    FF.avformat_close_input(&context);
    return facts;
}

class TranscodeTest : public TMediaJobTest {
protected:
    void SetUp() override
    {
        TMediaJobTest::SetUp();
        InstallMediaTranscoder();
        tasks_.SetTriggerEventInMainThread(true);
        tasks_.OnTerminate = [this](TCustomFFmpegTasks*, const TTerminateInfo& info) { records_.push_back(info); };
    }

    int Add(const std::string& input, const std::string& output, const TOutputOptions& options)
    {
        const int task = tasks_.AddTask(input, static_cast<TInputOptions*>(nullptr));
        EXPECT_GE(task, 0) << tasks_.LastErrMsg();
        TOutputOptions copy = options;
        EXPECT_TRUE(tasks_.SetOutputFile(task, output, &copy)) << tasks_.LastErrMsg();
        return task;
    }

    static TOutputOptions Options(const std::string& videoCodec = "", const std::string& audioCodec = "",
                                  const std::string& ext = "")
    {
        TOutputOptions options;
        InitOutputOptions(options);
        options.VideoCodec = videoCodec;
        options.AudioCodec = audioCodec;
        options.ExtOptions = ext;
        // The program's libx264 profiles all name this preset.
        if (videoCodec == "libx264")
            options.VideoPreset = "libx264-default";
        return options;
    }

    // Runs the batch in `threads` workers and waits for its final record.
    void RunBatch(int threads)
    {
        tasks_.Start(threads);
        ASSERT_TRUE(TMainThread::WaitPumping([&] { return Record(-1) != nullptr; }));
    }

    const TTerminateInfo* Record(int task) const
    {
        for (const TTerminateInfo& record : records_)
            if (record.TaskIndex == task)
                return &record;
        return nullptr;
    }

    void ExpectFinished(int task)
    {
        const TTerminateInfo* record = Record(task);
        ASSERT_NE(record, nullptr);
        EXPECT_TRUE(record->Finished) << record->ExceptionMsg;
        EXPECT_FALSE(record->Exception) << record->ExceptionMsg;
    }

    TTestFolder folder_;
    std::vector<TTerminateInfo> records_;
    TFFmpegTasks tasks_;
};

struct TConversion {
    Fixture input;
    const char* output;
    const char* videoCodec; // option value; empty: the format's default
    const char* audioCodec;
    const char* expectedVideo;
    const char* expectedAudio;
};

class TranscodeConversionTest : public TranscodeTest, public ::testing::WithParamInterface<TConversion> {};

// The output reopens with the input's streams, the expected codecs, every
// video frame (one either way) and the input's duration within a frame.
TEST_P(TranscodeConversionTest, ConvertsAndReopensWithTheInputsDurationAndFrames)
{
    const TConversion c = GetParam();
    const std::string output = folder_.Path(c.output);
    const int task = Add(PathOf(c.input), output, Options(c.videoCodec, c.audioCodec));
    RunBatch(1);
    ExpectFinished(task);

    const TFileFacts in = ReadFacts(PathOf(c.input));
    const TFileFacts out = ReadFacts(output);
    ASSERT_TRUE(out.opened);
    ASSERT_EQ(out.streams.size(), 2u);
    ASSERT_NE(out.Of(AVMEDIA_TYPE_VIDEO), nullptr);
    ASSERT_NE(out.Of(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_EQ(out.Of(AVMEDIA_TYPE_VIDEO)->codec, c.expectedVideo);
    EXPECT_EQ(out.Of(AVMEDIA_TYPE_AUDIO)->codec, c.expectedAudio);
    EXPECT_NEAR(out.Of(AVMEDIA_TYPE_VIDEO)->packets, in.Of(AVMEDIA_TYPE_VIDEO)->packets, 1);
    EXPECT_NEAR(static_cast<double>(out.duration), static_cast<double>(in.duration), 40000.0);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, TranscodeConversionTest,
    ::testing::Values(TConversion{Fixture::Mpeg4Mp3Avi, "out.avi", "mpeg4", "libmp3lame", "mpeg4", "mp3"},
                      TConversion{Fixture::H264AacMp4, "out.mp4", "libx264", "aac", "h264", "aac"},
                      TConversion{Fixture::H264AacMp4, "copied.mkv", "copy", "copy", "h264", "aac"},
                      TConversion{Fixture::Mpeg4Mp3Avi, "copied.avi", "copy", "copy", "mpeg4", "mp3"}));

} // namespace
} // namespace tovrel
