// Output streams fitted to their encoders, end to end: sources with layouts and
// rates the encoders cannot take convert, and the output reopens with a layout
// and a rate the encoder supports and audio as long as the video; bit rates an
// encoder refuses are replaced or end the run with the encoder's reason.
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace tovrel::test {
namespace {

struct TSource {
    const char* name;
    const char* audioCodec;
    int channels;
    int sampleRate;
};

const TSource Surround{"surround.mkv", "ac3", 6, 48000};
const TSource Mono{"mono.mkv", "pcm_s16le", 1, 44100};
const TSource Rate8000{"rate8000.mkv", "pcm_s16le", 2, 8000};
const TSource Rate11025{"rate11025.mkv", "pcm_s16le", 2, 11025};
const TSource Rate22050{"rate22050.mkv", "pcm_s16le", 2, 22050};
const TSource Rate96000{"rate96000.mkv", "pcm_s16le", 2, 96000};

std::string SourcePath(const TSource& source)
{
    return test::media::ClipPath({.fileName = source.name,
                                  .formatName = "matroska",
                                  .videoCodec = "mpeg4",
                                  .audioCodec = source.audioCodec,
                                  .width = 160,
                                  .height = 120,
                                  .sampleRate = source.sampleRate,
                                  .channels = source.channels})
        .string();
}

// Where a stream starts and ends in the output's time line. Audio starts early
// by its encoder's delay, which the muxer shifts the whole file for.
struct TStreamSpan {
    double start = 0;
    double end = 0;
    double frameSeconds = 0; // one frame (video) or one encoded block (audio)
};

struct TOutputFacts {
    bool opened = false;
    int channels = 0;
    int sampleRate = 0;
    TStreamSpan video;
    TStreamSpan audio;
};

// Reopens the output and finds each stream's first packet and the end of its last.
TOutputFacts ReadOutput(const std::string& fileName)
{
    TOutputFacts facts;
    AVFormatContext* context = nullptr;
    if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0)
        return facts;
    if (FF.avformat_find_stream_info(context, nullptr) >= 0) {
        facts.opened = true;
        std::vector<std::int64_t> first(context->nb_streams, INT64_MAX);
        std::vector<std::int64_t> end(context->nb_streams, INT64_MIN);
        std::vector<std::int64_t> longest(context->nb_streams, 0);
        AVPacket* packet = FF.av_packet_alloc();
        while (FF.av_read_frame(context, packet) >= 0) {
            const auto i = static_cast<std::size_t>(packet->stream_index);
            if (packet->pts != AV_NOPTS_VALUE) {
                first[i] = std::min(first[i], packet->pts);
                end[i] = std::max(end[i], packet->pts + packet->duration);
                longest[i] = std::max(longest[i], packet->duration);
            }
            FF.av_packet_unref(packet);
        }
        FF.av_packet_free(&packet);
        for (unsigned i = 0; i < context->nb_streams; ++i) {
            const AVStream* stream = context->streams[i];
            const double unit = av_q2d(stream->time_base);
            const TStreamSpan length{double(first[i]) * unit, double(end[i]) * unit, double(longest[i]) * unit};
            if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
                facts.video = length;
            } else if (stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
                facts.audio = length;
                facts.channels = stream->codecpar->ch_layout.nb_channels;
                facts.sampleRate = stream->codecpar->sample_rate;
            }
        }
    }
    FF.avformat_close_input(&context);
    return facts;
}

struct TFitCase {
    const TSource* source;
    const char* encoder;
    int channels; // what the output must have
    int sampleRate;
};

const TFitCase FitCases[] = {
    // Layouts: stereo-only encoders downmix 5.1; mono stays mono wherever the encoder takes it.
    {&Surround, "libmp3lame", 2, 48000},
    {&Surround, "mp2", 2, 48000},
    {&Surround, "wmav2", 2, 48000},
    {&Surround, "aac", 6, 48000},
    {&Surround, "ac3", 6, 48000},
    {&Mono, "libmp3lame", 1, 44100},
    {&Mono, "mp2", 1, 44100},
    {&Mono, "wmav2", 1, 44100},
    {&Mono, "aac", 1, 44100},
    {&Mono, "ac3", 1, 44100},
    // Rates: the closest the encoder lists (wmav2 lists none but stops at 48 kHz).
    {&Rate8000, "mp2", 2, 16000},
    {&Rate11025, "mp2", 2, 16000},
    {&Rate22050, "mp2", 2, 22050},
    {&Rate96000, "mp2", 2, 48000},
    {&Rate8000, "libmp3lame", 2, 8000},
    {&Rate11025, "libmp3lame", 2, 11025},
    {&Rate22050, "libmp3lame", 2, 22050},
    {&Rate96000, "libmp3lame", 2, 48000},
    {&Rate8000, "wmav2", 2, 8000},
    {&Rate11025, "wmav2", 2, 11025},
    {&Rate22050, "wmav2", 2, 22050},
    {&Rate96000, "wmav2", 2, 48000},
};

class StreamFitTest : public TMediaJobTest {
protected:
    void Prepare(const TSource& source, const std::string& encoder)
    {
        ASSERT_TRUE(job->OpenInputFile(SourcePath(source))) << job->LastErrMsg();
        job->ParseOption("vcodec", "mpeg4");
        job->ParseOption("acodec", encoder);
    }
    TTestFolder folder;
};

TEST_F(StreamFitTest, EachSourceConvertsWithWhatItsEncoderSupports)
{
    for (const TFitCase& c : FitCases) {
        const std::string label = std::string(c.source->name) + " into " + c.encoder;
        SCOPED_TRACE(label);
        NewJob();
        Prepare(*c.source, c.encoder);
        const std::string output = folder.Path(std::string(c.encoder) + "-" + c.source->name);
        ASSERT_TRUE(job->OpenOutputFile(output, false)) << job->LastErrMsg();
        EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
        EXPECT_TRUE(job->Finished()) << job->FatalMessage();
        const TOutputFacts out = ReadOutput(output);
        ASSERT_TRUE(out.opened);
        EXPECT_EQ(out.channels, c.channels);
        EXPECT_EQ(out.sampleRate, c.sampleRate);
        EXPECT_GT(out.video.end - out.video.start, 0.9);
        const double frame = std::max(out.audio.frameSeconds, out.video.frameSeconds);
        EXPECT_LE(out.audio.start, out.video.start + frame);
        EXPECT_NEAR(out.audio.end, out.video.end, frame);
    }
}

// A count the options ask for is the user's choice: an encoder that cannot take
// it refuses the output, naming itself and the count.
TEST_F(StreamFitTest, AnAskedChannelCountTheEncoderCannotTakeFails)
{
    Prepare(Surround, "mp2");
    job->ParseOption("ac", "6");
    EXPECT_FALSE(job->OpenOutputFile(folder.Path("six.mkv"), false));
    EXPECT_EQ(job->LastErrMsg(), "new_audio_stream fail: Encoder mp2 does not support 6 audio channels");

    NewJob();
    Prepare(Surround, "ac3");
    job->ParseOption("ac", "6");
    EXPECT_TRUE(job->OpenOutputFile(folder.Path("six.ac3.mkv"), false)) << job->LastErrMsg();
}

// An MPEG audio layer II rate that does not exist becomes the nearest that
// does; a WMA rate below the encoder's lowest becomes that.
TEST_F(StreamFitTest, AudioBitRatesSnapToWhatTheEncoderTakes)
{
    const struct {
        const TSource* source;
        const char* encoder;
        const char* asked;
        std::int64_t chosen;
    } cases[] = {{&Surround, "mp2", "144000", 160000},  {&Surround, "mp2", "200000", 192000},
                 {&Rate22050, "mp2", "192000", 160000}, {&Rate22050, "mp2", "144000", 144000},
                 {&Mono, "wmav2", "16000", 24000},      {&Mono, "wmav2", "32000", 32000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.encoder) + " at " + c.asked);
        NewJob();
        Prepare(*c.source, c.encoder);
        job->ParseOption("ab", c.asked);
        ASSERT_TRUE(job->OpenOutputFile(folder.Path("rate.mkv"), false)) << job->LastErrMsg();
        EXPECT_EQ(job->Foutput_files[0]->streams[1]->codecpar->bit_rate, c.chosen);
    }
}

// A target with one legal video rate keeps it whatever other rate is asked for.
TEST_F(StreamFitTest, AConstantRateTargetKeepsItsRate)
{
    ASSERT_TRUE(job->OpenInputFile(SourcePath(Mono))) << job->LastErrMsg();
    job->ParseOption("target", "pal-vcd");
    job->ParseOption("b", "528000");
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("vcd.mpg"), false)) << job->LastErrMsg();
    EXPECT_EQ(job->Foutput_files[0]->streams[0]->codecpar->bit_rate, 1150000);
    EXPECT_GE(LineIndex(llInfo, "Video bit rate 528000 replaced by the constant rate 1150000"), 0);
    EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    EXPECT_TRUE(job->Finished()) << job->FatalMessage();
}

// A pass-2 rate the MPEG-4 encoder's rate control refuses ends the run with the
// encoder's own message, without letting the library open it.
TEST_F(StreamFitTest, ARefusedPassTwoRateFailsWithTheEncodersMessage)
{
    const std::string output = folder.Path("two-pass.mkv");
    for (const char* pass : {"1", "2"}) {
        NewJob();
        Prepare(Mono, "libmp3lame");
        job->ParseOption("pass", pass);
        job->ParseOption("passlogfile", folder.Path("stats"));
        job->ParseOption("b", pass == std::string("1") ? "1000000" : "1000");
        ASSERT_TRUE(job->OpenOutputFile(output, false)) << job->LastErrMsg();
        EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    }
    EXPECT_FALSE(job->Finished());
    EXPECT_TRUE(job->FatalException());
    EXPECT_EQ(job->FatalMessage(),
              "Error while opening encoder for output stream #0.0 (Video): requested bitrate is too low");
}

} // namespace
} // namespace tovrel::test
