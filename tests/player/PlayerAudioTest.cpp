// The audio callback's mixing and the drift adjustment, called directly without a device.
#include "player/Playback.h"

#include "PlayerTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace tovrel::test {
namespace {

class AudioOutputTest : public TPlayerLibrariesTest {
protected:
    std::unique_ptr<TVideoState> state = std::make_unique<TVideoState>();
    TVideoState& is = *state;
    void TearDown() override
    {
        state.reset(); // while the libraries are loaded
        TPlayerLibrariesTest::TearDown();
    }
    void SetUp() override
    {
        TPlayerLibrariesTest::SetUp();
        is.audio_tgt_channels = 2;
        is.audio_tgt_freq = 44100;
        is.audioq.Init();
        is.audio_buf.assign(8192, 0);
        auto* samples = reinterpret_cast<std::int16_t*>(is.audio_buf.data());
        for (int i = 0; i < 2048; ++i)
            samples[i] = std::int16_t(1000 + i % 7);
        is.audio_buf_size = 4096;
        is.audio_buf_index = 0;
    }
};

TEST_F(AudioOutputTest, VolumeAndMuteDecideWhatReachesTheDevice)
{
    struct Case {
        int volume;
        bool mute;
        bool copied;
    };
    for (const Case& c : {Case{128, false, true}, Case{0, false, false}, Case{128, true, false}}) {
        is.audio_buf_index = 0;
        std::uint8_t device[1024];
        std::memset(device, 0x5A, sizeof device); // whatever the device buffer held before
        FillAudioBuffer(is, device, sizeof device, c.volume, c.mute);
        const std::uint8_t* expected = c.copied ? is.audio_buf.data() : nullptr;
        for (std::size_t i = 0; i < sizeof device; ++i) {
            ASSERT_EQ(device[i], expected ? expected[i] : 0)
                << "volume " << c.volume << " mute " << c.mute << " at " << i;
        }
        EXPECT_EQ(is.audio_buf_index.load(), 1024);
    }
}

TEST_F(AudioOutputTest, AtTheStartTheSoundWaitsForThePictures)
{
    TFFPlayer owner;
    is.Owner = &owner;
    is.start_together_until = NowSeconds() + 10.0;
    std::uint8_t device[1024];
    std::memset(device, 0x5A, sizeof device);
    FeedAudioDevice(&is, device, sizeof device);
    EXPECT_TRUE(std::all_of(std::begin(device), std::end(device), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(is.audio_buf_index.load(), 0) << "nothing of the sound was used";
    EXPECT_FALSE(SoundStarted(is));

    is.pictures_ready = 1;
    FeedAudioDevice(&is, device, sizeof device);
    EXPECT_EQ(std::memcmp(device, is.audio_buf.data(), sizeof device), 0);
    EXPECT_TRUE(SoundStarted(is));
}

TEST_F(AudioOutputTest, WhilePausedTheDeviceGetsSilenceAndTheClockStands)
{
    is.paused = 1;
    is.audio_buf_index = 4096;
    is.audio_clock = 3.5;
    std::uint8_t device[2048];
    std::memset(device, 0x5A, sizeof device);
    FillAudioBuffer(is, device, sizeof device, 128, false);
    for (std::uint8_t byte : device)
        ASSERT_EQ(byte, 0);
    EXPECT_EQ(is.audio_buf_size.load(), 1024);
    EXPECT_EQ(is.audio_clock.load(), 3.5);
}

TEST_F(AudioOutputTest, DriftAdjustmentWaitsTwentyMeasuresAndStaysWithinTenPercent)
{
    is.av_sync_type = AV_SYNC_EXTERNAL_CLOCK;
    is.audio_diff_avg_coef = std::exp(std::log10(0.01) / 20);
    is.audio_diff_threshold = 2048.0 / 44100;
    auto adjustAt = [&](double aheadSeconds) {
        is.audio_clock = NowSeconds() + aheadSeconds;
        return AdjustAudioSamples(is, is.audio_buf.data(), 4096, 0);
    };
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(adjustAt(5), 4096) << "measure " << i;
    EXPECT_EQ(adjustAt(5), 4504);
    const auto* samples = reinterpret_cast<const std::int16_t*>(is.audio_buf.data());
    EXPECT_EQ(samples[4500 / 2], samples[4092 / 2]) << "the growth repeats the last sample frame";
    EXPECT_EQ(adjustAt(-5), 3684);
    EXPECT_EQ(adjustAt(12), 4096) << "twelve seconds off resets the filter";
    EXPECT_EQ(adjustAt(-5), 4096) << "and the count starts again";
}

} // namespace
} // namespace tovrel::test
