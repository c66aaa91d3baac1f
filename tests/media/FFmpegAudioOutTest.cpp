// Audio output: conversion, sync by samples, framing through the FIFO, silence.
#include "FFmpegOutputStepsTestSupport.h"
#include "media/output/FFmpegAudioOutSync.h"

#include <cstdlib>

namespace tovrel::test {
namespace {

TEST(AudioSyncDecision, DropsPadsOrCompensatesByTheDriftInSamples)
{
    struct Case {
        const char* name;
        int method;
        double inputTime;
        std::int64_t syncOpts, queued;
        bool isStart;
        TAudioSyncAction::TKind kind;
        std::int64_t samples;
    } cases[] = {
        // 2 s gap at the start: 2 s of silence at the decoder's rate (48 kHz).
        {"start gap", 1, 2.0, 0, 0, true, TAudioSyncAction::Pad, 96000},
        // Later gaps below the drift threshold (0.1 s) are left alone.
        {"small later gap", 1, 1.05, 44100, 0, false, TAudioSyncAction::None, 0},
        // Output 0.5 s ahead, above the threshold: 0.5 s of input dropped.
        {"ahead", 1, 1.0, 66150, 0, false, TAudioSyncAction::Drop, 24000},
        // Samples waiting in the FIFO count as written, whatever their format.
        {"queued count as written", 1, 2.0, 44100, 44100, false, TAudioSyncAction::None, 0},
        {"drift of 30", 100, 1.0, 44100 - 30, 0, false, TAudioSyncAction::None, 0},
        {"drift of 300", 100, 1.0, 44100 - 300, 0, false, TAudioSyncAction::Compensate, 100},
        {"drift of -300", 100, 1.0, 44100 + 300, 0, false, TAudioSyncAction::Compensate, -100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TAudioSyncInput input;
        input.Method = c.method;
        input.InputTime = c.inputTime;
        input.EncoderRate = 44100;
        input.DecoderRate = 48000;
        input.SyncOpts = c.syncOpts;
        input.QueuedSamples = c.queued;
        input.IsStart = c.isStart;
        const TAudioSyncAction action = DecideAudioSync(input);
        EXPECT_EQ(action.Kind, c.kind);
        if (c.kind != TAudioSyncAction::None) {
            EXPECT_EQ(action.Samples, c.samples);
        }
    }
}

class AudioOutTest : public TOutputStepsTest {
protected:
    // Blocks of `blockSamples` at 48 kHz, s16 stereo; the input clock jumps by
    // `jump` seconds after one second of input.
    void FeedSeconds(TAVOutputStream& ost, double seconds, int blockSamples, double jump)
    {
        const int blocks = int(seconds * 48000 / blockSamples);
        for (int i = 0; i < blocks; ++i) {
            const double time = double(i) * blockSamples / 48000;
            ist.pts = std::int64_t((time + (time >= 1.0 ? jump : 0)) * 1000000);
            auto block = AudioBlock(AV_SAMPLE_FMT_S16, 48000, 2, blockSamples, 1);
            steps->do_audio_out(output.get(), ost, ist, block.get());
        }
    }
};

// A float encoder at another rate: with audio sync on, the samples written
// follow the input clock within one encoder frame; a hole is filled at once,
// an overlap is dropped until the drift is within the threshold (0.1 s).
TEST_F(AudioOutTest, FloatEncoderFollowsTheInputClock)
{
    const struct {
        int method;
        double jump, expectedSeconds, toleranceSeconds;
    } cases[] = {{1, 0, 2.0, 0}, {1, 0.5, 2.5, 0}, {1, -0.5, 1.55, 0.05}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "method " << c.method << " jump " << c.jump);
        OpenOutput("float.mkv");
        job->Faudio_sync_method = c.method;
        ist.is_start = 1;
        TAVOutputStream& ost = AddAudio("aac", AV_SAMPLE_FMT_FLTP, 44100, 2);
        WriteHeader();
        FeedSeconds(ost, 2.0, 1152, c.jump);
        Finish();
        EXPECT_NEAR(double(ost.sync_opts), c.expectedSeconds * 44100, c.toleranceSeconds * 44100 + 1024);
        EXPECT_GT(job->Faudio_size, 0);
        osts.clear();
        encoders.clear();
        job->Faudio_size = 0;
    }
}

// 1152-sample frames from 1024-sample blocks: the first block encodes
// nothing, the second one frame; a PCM encoder takes every block at once.
TEST_F(AudioOutTest, EncodesInTheEncodersFrameSize)
{
    OpenOutput("frames.mkv");
    TAVOutputStream& mp2 = AddAudio("mp2", AV_SAMPLE_FMT_S16, 44100, 2);
    TAVOutputStream& pcm = AddAudio("pcm_s16le", AV_SAMPLE_FMT_S16, 44100, 2);
    WriteHeader();
    auto block = AudioBlock(AV_SAMPLE_FMT_S16, 44100, 2, 1024);
    steps->do_audio_out(output.get(), mp2, ist, block.get());
    EXPECT_EQ(av_audio_fifo_size(mp2.fifo.get()), 1024);
    EXPECT_EQ(job->Faudio_size, 0);
    ist.pts = 1024 * 1000000LL / 44100;
    steps->do_audio_out(output.get(), mp2, ist, block.get());
    EXPECT_EQ(av_audio_fifo_size(mp2.fifo.get()), 2048 - 1152);
    EXPECT_GT(job->Faudio_size, 0);

    const std::int64_t before = job->Faudio_size;
    steps->do_audio_out(output.get(), pcm, ist, block.get());
    EXPECT_EQ(av_audio_fifo_size(pcm.fifo.get()), 0);
    EXPECT_EQ(job->Faudio_size - before, 1024 * 4);
    Finish();
}

// Inserted silence is silence in the block's own format: 0x80 for unsigned
// 8-bit samples, not zero bytes.
TEST_F(AudioOutTest, InsertedSilenceIsSilentInUnsigned8Bit)
{
    OpenOutput("u8.wav");
    job->Faudio_sync_method = 1;
    ist.is_start = 1;
    ist.pts = 100000; // the first block belongs 0.1 s after the start
    TAVOutputStream& ost = AddAudio("pcm_u8", AV_SAMPLE_FMT_U8, 8000, 1);
    WriteHeader();
    auto block = AudioBlock(AV_SAMPLE_FMT_U8, 8000, 1, 400, 0xC0);
    steps->do_audio_out(output.get(), ost, ist, block.get());
    Finish();

    std::vector<std::uint8_t> samples;
    for (const auto& packet : ReadBack(0))
        samples.insert(samples.end(), packet->data, packet->data + packet->size);
    ASSERT_EQ(samples.size(), 1200u);
    EXPECT_EQ(std::count(samples.begin(), samples.begin() + 800, 0x80), 800);
    EXPECT_EQ(std::count(samples.begin() + 800, samples.end(), 0xC0), 400);
    EXPECT_EQ(ist.is_start, 0);
}

// Stereo into a mono encoder: the channel difference switches conversion on.
// Float into a 16-bit encoder: one converter, made once and reused.
TEST_F(AudioOutTest, ChannelsAndFormatsAreConverted)
{
    const struct {
        AVSampleFormat input;
        int inputChannels, encoderChannels, resample;
    } cases[] = {{AV_SAMPLE_FMT_S16, 2, 1, 1}, {AV_SAMPLE_FMT_FLTP, 2, 2, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inputChannels << " to " << c.encoderChannels);
        OpenOutput("converted.wav");
        TAVOutputStream& ost = AddAudio("pcm_s16le", AV_SAMPLE_FMT_S16, 44100, c.encoderChannels);
        WriteHeader();
        auto block = AudioBlock(c.input, 44100, c.inputChannels, 1000);
        steps->do_audio_out(output.get(), ost, ist, block.get());
        const SwrContext* converter = ost.resample.get();
        EXPECT_NE(converter, nullptr);
        steps->do_audio_out(output.get(), ost, ist, block.get());
        EXPECT_EQ(ost.resample.get(), converter);
        EXPECT_EQ(ost.reformat_pair, AV_SAMPLE_FMT_S16 + AV_SAMPLE_FMT_NB * c.input);
        Finish();
        EXPECT_EQ(ost.audio_resample, c.resample);
        std::size_t bytes = 0;
        for (const auto& packet : ReadBack(0))
            bytes += std::size_t(packet->size);
        EXPECT_EQ(bytes, 2u * 1000u * 2u * unsigned(c.encoderChannels));
        osts.clear();
        encoders.clear();
    }
}

// A rate change keeps the whole input: the converter's last samples are
// written at the end of the stream.
TEST_F(AudioOutTest, RateConversionKeepsTheLastSamples)
{
    OpenOutput("rate.wav");
    TAVOutputStream& ost = AddAudio("pcm_s16le", AV_SAMPLE_FMT_S16, 44100, 1);
    WriteHeader();
    for (int i = 0; i < 48; ++i) {
        auto block = AudioBlock(AV_SAMPLE_FMT_S16, 48000, 1, 1000, 0x10);
        steps->do_audio_out(output.get(), ost, ist, block.get());
        ist.pts += 1000000 / 48;
    }
    Finish();
    std::size_t bytes = 0;
    for (const auto& packet : ReadBack(0))
        bytes += std::size_t(packet->size);
    EXPECT_NEAR(double(bytes) / 2, 44100.0, 1.0);
}

} // namespace
} // namespace tovrel::test
