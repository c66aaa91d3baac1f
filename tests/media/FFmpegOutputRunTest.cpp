// A whole run through the real transcoder, seen from the output side: the
// progress records and the audio length against the video's.
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "support/FFmpegHandles.h"

#include <algorithm>

namespace tovrel::test {
namespace {

struct TProgressRecord {
    int fileIndex;
    std::int64_t size, duration;
};

struct TSpan {
    std::int64_t start = INT64_MAX, end = 0; // microseconds
};

// The first packet's start and the last packet's end of a stream type.
TSpan StreamSpan(const std::string& path, AVMediaType type)
{
    TSpan span;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0)
        return span;
    test::media::InputFormatPtr input(raw);
    avformat_find_stream_info(input.get(), nullptr);
    test::media::PacketPtr packet(av_packet_alloc());
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        const AVStream* st = input->streams[packet->stream_index];
        if (st->codecpar->codec_type == type && packet->pts != AV_NOPTS_VALUE) {
            span.end = std::max(span.end, av_rescale_q(packet->pts + packet->duration, st->time_base, AV_TIME_BASE_Q));
            span.start = std::min(span.start, av_rescale_q(packet->pts, st->time_base, AV_TIME_BASE_Q));
        }
        av_packet_unref(packet.get());
    }
    return span;
}

class OutputRunTest : public TMediaJobTest {
protected:
    TTestFolder folder;
};

// A float-audio encoder with audio sync: progress records come in order with
// growing size and time, the last for input -1; the audio ends within one
// encoder frame of the video, beside the encoder's own priming frame (the
// muxer starts the audio that much before the video).
TEST_F(OutputRunTest, ProgressAndAudioLengthOfARun)
{
    OpenInput(test::media::Fixture::Mpeg4Mp3Avi); // 2 s
    job->ParseOption("vcodec", "mpeg4");
    job->ParseOption("acodec", "aac");
    job->SetAudioSyncMethod(1);
    job->ReportInterval = 0;
    std::vector<TProgressRecord> records;
    job->FOnProgress = [&](TCustomFFmpeg*, std::int32_t fileIndex, std::int32_t, std::int32_t, float, float,
                           std::int64_t size, std::int64_t duration, std::int64_t) {
        records.push_back({fileIndex, size, duration});
    };
    const std::string out = folder.Path("out.mkv");
    ASSERT_TRUE(job->OpenOutputFile(out, false)) << job->LastErrMsg();
    EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    ASSERT_FALSE(job->FatalException()) << job->FatalMessage();

    ASSERT_GE(records.size(), 3u);
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_GE(records[i].size, records[i - 1].size);
        EXPECT_GE(records[i].duration, records[i - 1].duration);
    }
    EXPECT_EQ(records.back().fileIndex, -1);
    EXPECT_GT(records.back().size, records.front().size);
    EXPECT_GT(records.back().duration, records.front().duration);

    const TSpan video = StreamSpan(out, AVMEDIA_TYPE_VIDEO);
    const TSpan audio = StreamSpan(out, AVMEDIA_TYPE_AUDIO);
    const double frame = 1024 * 1000000.0 / 44100;
    EXPECT_NEAR(double(video.end - video.start), 2000000.0, 40000.0);
    EXPECT_NEAR(double(video.start - audio.start), frame, 1000.0);
    EXPECT_GE(audio.end, video.end);
    EXPECT_LE(double(audio.end - video.end), 2 * frame);
}

// The last record of a finished run reaches the clip's whole length: the
// last packet's duration counts (MP4 keeps a fine time base, so a missing
// frame shows; the end must lie within half a frame).
TEST_F(OutputRunTest, TheFinalRecordReachesTheClipsDuration)
{
    OpenInput(test::media::Fixture::Mpeg4Mp3Avi); // 2 s at 25 frames a second
    job->ParseOption("vcodec", "mpeg4");
    job->ParseOption("acodec", "aac");
    std::vector<TProgressRecord> records;
    job->FOnProgress = [&](TCustomFFmpeg*, std::int32_t fileIndex, std::int32_t, std::int32_t, float, float,
                           std::int64_t size, std::int64_t duration, std::int64_t) {
        records.push_back({fileIndex, size, duration});
    };
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("out.mp4"), false)) << job->LastErrMsg();
    EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    ASSERT_TRUE(job->Finished()) << job->FatalMessage();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().fileIndex, -1);
    EXPECT_NEAR(double(records.back().duration), 2000000.0, 40000.0 / 2);
}

} // namespace
} // namespace tovrel::test
