// What each kind of stream keeps through a conversion: audio stays in step with
// the picture whatever decoder threads it goes through.
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/display.h>
}

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovrel::test {
namespace {

using test::media::ClipSpec;

// First video frame and first audible sample of a file, in seconds.
struct TOnsets {
    std::optional<double> video;
    std::optional<double> audio;
};

double Seconds(std::int64_t pts, AVRational base)
{
    return static_cast<double>(pts) * base.num / base.den;
}

// Where the tone rises above a whisper in an audio frame of 16-bit samples.
std::optional<int> FirstAudibleSample(const AVFrame& frame)
{
    const auto* samples = reinterpret_cast<const std::int16_t*>(frame.data[0]);
    for (int i = 0; i < frame.nb_samples; ++i)
        if (std::abs(samples[static_cast<std::ptrdiff_t>(i) * frame.ch_layout.nb_channels]) > 1000)
            return i;
    return std::nullopt;
}

TOnsets ReadOnsets(const std::string& fileName)
{
    TOnsets onsets;
    AVFormatContext* context = nullptr;
    if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0)
        return onsets;
    FF.avformat_find_stream_info(context, nullptr);
    const int audio = FF.av_find_best_stream(context, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    const int video = FF.av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    AVCodecContext* decoder = nullptr;
    if (audio >= 0) {
        const AVCodecParameters* par = context->streams[audio]->codecpar;
        decoder = FF.avcodec_alloc_context3(FF.avcodec_find_decoder(par->codec_id));
        FF.avcodec_parameters_to_context(decoder, par);
        FF.avcodec_open2(decoder, nullptr, nullptr);
    }
    AVPacket* packet = FF.av_packet_alloc();
    AVFrame* frame = FF.av_frame_alloc();
    while (FF.av_read_frame(context, packet) >= 0 && !(onsets.audio && onsets.video)) {
        const AVRational base = context->streams[packet->stream_index]->time_base;
        if (packet->stream_index == video && !onsets.video)
            onsets.video = Seconds(packet->pts, base);
        if (packet->stream_index == audio && !onsets.audio && FF.avcodec_send_packet(decoder, packet) >= 0)
            while (!onsets.audio && FF.avcodec_receive_frame(decoder, frame) >= 0)
                if (const auto sample = FirstAudibleSample(*frame))
                    onsets.audio = Seconds(frame->pts, base) + double(*sample) / frame->sample_rate;
        FF.av_packet_unref(packet);
    }
    FF.av_frame_free(&frame);
    FF.av_packet_free(&packet);
    FF.avcodec_free_context(&decoder);
    FF.avformat_close_input(&context);
    return onsets;
}

class StreamsTest : public TMediaJobTest {
protected:
    void Convert(const std::string& input, const std::string& output,
                 const std::vector<std::pair<std::string, std::string>>& options)
    {
        ASSERT_TRUE(job->OpenInputFile(input)) << job->LastErrMsg();
        for (const auto& [name, value] : options)
            job->ParseOption(name, value);
        ASSERT_TRUE(job->OpenOutputFile(output, false)) << job->LastErrMsg();
        EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
        ASSERT_TRUE(job->Finished()) << job->FatalMessage();
    }

    static ClipSpec Clip(const std::string& fileName, const std::string& format, const std::string& audioCodec)
    {
        ClipSpec clip;
        clip.fileName = fileName;
        clip.formatName = format;
        clip.videoCodec = "mpeg4";
        clip.audioCodec = audioCodec;
        clip.seconds = 2.0;
        return clip;
    }

    TTestFolder folder;
};

// Frame-threaded audio decoders hand frames back several packets late; the
// sound must still start with the picture.
TEST_F(StreamsTest, AudioFromFrameThreadedDecodersStartsWithThePicture)
{
    const ClipSpec sources[] = {Clip("tone_flac.mkv", "matroska", "flac"), Clip("tone_alac.mov", "mov", "alac")};
    for (const ClipSpec& source : sources) {
        SCOPED_TRACE(source.fileName);
        NewJob();
        const std::string output = folder.Path("synced.mkv");
        Convert(test::media::ClipPath(source).string(), output, {{"vcodec", "mpeg4"}, {"acodec", "pcm_s16le"}});
        const TOnsets onsets = ReadOnsets(output);
        ASSERT_TRUE(onsets.video && onsets.audio);
        EXPECT_NEAR(*onsets.audio, *onsets.video, 0.05);
    }
}

// The codec and packet count of the first subtitle stream of a file.
std::pair<std::string, int> SubtitleFacts(const std::string& fileName)
{
    std::pair<std::string, int> facts{"", 0};
    AVFormatContext* context = nullptr;
    if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0)
        return facts;
    FF.avformat_find_stream_info(context, nullptr);
    const int subtitles = FF.av_find_best_stream(context, AVMEDIA_TYPE_SUBTITLE, -1, -1, nullptr, 0);
    if (subtitles >= 0) {
        facts.first = avcodec_get_name(context->streams[subtitles]->codecpar->codec_id);
        AVPacket* packet = FF.av_packet_alloc();
        while (FF.av_read_frame(context, packet) >= 0) {
            facts.second += packet->stream_index == subtitles;
            FF.av_packet_unref(packet);
        }
        FF.av_packet_free(&packet);
    }
    FF.avformat_close_input(&context);
    return facts;
}

// A text subtitle track takes the container's own subtitle encoder when none is named.
TEST_F(StreamsTest, TextSubtitlesTakeTheContainersEncoder)
{
    ClipSpec source = Clip("subtitled.mkv", "matroska", "flac");
    source.subtitleCues = 2;
    const struct {
        const char* output;
        const char* codec;
    } cases[] = {{"subtitled.mkv", "ass"}, {"subtitled.webm", "webvtt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        NewJob();
        const std::string output = folder.Path(c.output);
        Convert(test::media::ClipPath(source).string(), output, {});
        EXPECT_EQ(SubtitleFacts(output), std::make_pair(std::string(c.codec), source.subtitleCues));
    }
}

// Odd sizes are rounded to the whole chroma samples libx264 needs for 4:2:0.
TEST_F(StreamsTest, OddFrameSizesAreRoundedForLibx264)
{
    ClipSpec source = Clip("odd_size.mkv", "matroska", "flac");
    source.width = 321;
    source.height = 241;
    const std::string output = folder.Path("odd_size.mkv");
    Convert(test::media::ClipPath(source).string(), output, {{"vcodec", "libx264"}});
    EXPECT_TRUE(Logged(llInfo, "Frame size 321x241 rounded to 320x240 for yuv420p"));
    AVFormatContext* context = nullptr;
    ASSERT_GE(FF.avformat_open_input(&context, output.c_str(), nullptr, nullptr), 0);
    const int video = FF.av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    ASSERT_GE(video, 0);
    EXPECT_EQ(context->streams[video]->codecpar->width, 320);
    EXPECT_EQ(context->streams[video]->codecpar->height, 240);
    FF.avformat_close_input(&context);
}

// The turn of portrait video reaches the output whether it is copied or encoded.
TEST_F(StreamsTest, RotationPassesToTheOutput)
{
    ClipSpec source = Clip("portrait.mp4", "mp4", "aac");
    source.rotation = 90;
    for (const char* videoCodec : {"copy", "mpeg4"}) {
        SCOPED_TRACE(videoCodec);
        NewJob();
        const std::string output = folder.Path(std::string("turned_") + videoCodec + ".mp4");
        Convert(test::media::ClipPath(source).string(), output, {{"vcodec", videoCodec}, {"acodec", "copy"}});
        AVFormatContext* context = nullptr;
        ASSERT_GE(FF.avformat_open_input(&context, output.c_str(), nullptr, nullptr), 0);
        const int video = FF.av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        ASSERT_GE(video, 0);
        const auto* matrix = reinterpret_cast<const std::int32_t*>(
            FF.av_stream_get_side_data(context->streams[video], AV_PKT_DATA_DISPLAYMATRIX, nullptr));
        ASSERT_NE(matrix, nullptr);
        EXPECT_NEAR(av_display_rotation_get(matrix), -90.0, 0.5); // the reading's sign is the opposite of the setting's
        FF.avformat_close_input(&context);
    }
}

} // namespace
} // namespace tovrel::test
