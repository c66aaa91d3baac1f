// The run's pure decisions: which input to read next, audio volume, codec threads.
#include "media/transcode/FFmpegCodecOpen.h"
#include "media/transcode/FFmpegDecode.h"
#include "media/transcode/FFmpegTranscode.h"

#include "FFmpegLoaderTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovrel::test {
namespace {

TInputChoice Stream(int file, double input, double output)
{
    TInputChoice choice;
    choice.FileIndex = file;
    choice.InputTime = input;
    choice.OutputTime = output;
    return choice;
}

TEST(TranscodeInputChoice, TheLaggingOutputOrWithInputSyncTheEarliestInputIsRead)
{
    TInputChoice ended = Stream(1, 0, 0);
    ended.FileEnded = true;
    TInputChoice skipped = Stream(1, 0, 0);
    skipped.Skipped = true;
    TInputChoice full = Stream(0, 5, 5);
    full.MaxFramesReached = true;
    const struct {
        std::vector<TInputChoice> streams;
        bool inputSync;
        int chosen;
    } cases[] = {
        {{Stream(0, 0, 2.0), Stream(1, 0, 1.0)}, false, 1},
        {{Stream(0, 0, 1.0), Stream(1, 0, 1.0)}, false, 0},    // a tie keeps the earlier stream
        {{Stream(0, 900, 1.0), Stream(1, 100, 3.0)}, true, 1}, // input sync ignores the lag
        {{Stream(0, 0, 2.0), ended, skipped}, false, 0},
        {{ended, skipped}, false, -1},
        {{Stream(1, 0, 0.5), full, Stream(1, 0, 0.1)}, false, -1}, // a frame limit ends the choice
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseNextInput(c.streams, c.inputSync), c.chosen);
}

TEST(TranscodeThreads, CodecsShareTheCoresAmongTheTasksRunningAtOnce)
{
    // A task alone leaves the count to each library.
    EXPECT_EQ(CodecThreadCount(8, 1), 0);
    EXPECT_EQ(CodecThreadCount(0, 0), 0);
    EXPECT_EQ(CodecThreadCount(8, 3), 2);
    EXPECT_EQ(CodecThreadCount(8, 8), 1);
    EXPECT_EQ(CodecThreadCount(4, 19), 1);
    EXPECT_EQ(CodecThreadCount(0, 2), 1);
}

class TranscodeVolumeTest : public TRealLibrariesTest {};

// s16 follows (sample × volume + 128) >> 8 with clipping; other formats scale
// alike within their own full scale; 256 leaves the samples alone.
TEST_F(TranscodeVolumeTest, VolumeScalesAndClipsInTheFramesOwnFormat)
{
    const struct {
        AVSampleFormat format;
        double in;
        int volume;
        double out;
    } cases[] = {
        {AV_SAMPLE_FMT_S16, 20000, 512, 32767},  {AV_SAMPLE_FMT_S16, -20000, 512, -32768},
        {AV_SAMPLE_FMT_S16, 1000, 128, 500},     {AV_SAMPLE_FMT_S16, 1234, 256, 1234},
        {AV_SAMPLE_FMT_S16P, 20000, 512, 32767}, {AV_SAMPLE_FMT_FLTP, 0.25, 512, 0.5},
        {AV_SAMPLE_FMT_FLT, 0.75, 512, 1.0},     {AV_SAMPLE_FMT_U8, 200, 512, 255},
        {AV_SAMPLE_FMT_U8, 160, 128, 144},       {AV_SAMPLE_FMT_S32, 1 << 30, 512, 2147483647},
    };
    for (const auto& c : cases) {
        AVFrame* frame = FF.av_frame_alloc();
        frame->format = c.format;
        frame->nb_samples = 4;
        FF.av_channel_layout_default(&frame->ch_layout, 2);
        ASSERT_GE(FF.av_frame_get_buffer(frame, 0), 0);
        const bool planar = c.format == AV_SAMPLE_FMT_S16P || c.format == AV_SAMPLE_FMT_FLTP;
        const int perPlane = planar ? 4 : 8;
        auto sample = [&](int plane, int i) -> double {
            std::uint8_t* data = frame->extended_data[plane];
            switch (c.format) {
            case AV_SAMPLE_FMT_S16:
            case AV_SAMPLE_FMT_S16P: return reinterpret_cast<std::int16_t*>(data)[i];
            case AV_SAMPLE_FMT_FLT:
            case AV_SAMPLE_FMT_FLTP: return reinterpret_cast<float*>(data)[i];
            case AV_SAMPLE_FMT_U8: return data[i];
            default: return reinterpret_cast<std::int32_t*>(data)[i];
            }
        };
        auto set = [&](int plane, int i, double value) {
            std::uint8_t* data = frame->extended_data[plane];
            switch (c.format) {
            case AV_SAMPLE_FMT_S16:
            case AV_SAMPLE_FMT_S16P: reinterpret_cast<std::int16_t*>(data)[i] = static_cast<std::int16_t>(value); break;
            case AV_SAMPLE_FMT_FLT:
            case AV_SAMPLE_FMT_FLTP: reinterpret_cast<float*>(data)[i] = static_cast<float>(value); break;
            case AV_SAMPLE_FMT_U8: data[i] = static_cast<std::uint8_t>(value); break;
            default: reinterpret_cast<std::int32_t*>(data)[i] = static_cast<std::int32_t>(value); break;
            }
        };
        for (int plane = 0; plane < (planar ? 2 : 1); ++plane)
            for (int i = 0; i < perPlane; ++i)
                set(plane, i, c.in);
        ASSERT_TRUE(ApplyAudioVolume(frame, c.volume));
        for (int plane = 0; plane < (planar ? 2 : 1); ++plane)
            for (int i = 0; i < perPlane; ++i)
                EXPECT_DOUBLE_EQ(sample(plane, i), c.out) << "format " << c.format << " in " << c.in;
        FF.av_frame_free(&frame);
    }
}

} // namespace
} // namespace tovrel::test
