// The engine's parts that need no playback: packet queue, event ring, clocks,
// picture placement and subtitle colours.
#include "media/loader/FFmpegLoaderEntries.h"
#include "player/PlayEventRing.h"
#include "player/Playback.h"

#include "PlayerTestSupport.h"

#include <thread>

namespace tovrel::test {
namespace {

class PacketQueueTest : public TPlayerLibrariesTest {};

TEST_F(PacketQueueTest, BlockingGetWakesOnPutAndAbortWinsOverWaitingPackets)
{
    TPacketQueue queue;
    queue.Init();
    std::thread producer([&] {
        AVPacket* packet = FF.av_packet_alloc();
        FF.av_new_packet(packet, 100);
        queue.PutPacket(packet);
        FF.av_packet_free(&packet);
    });
    TQueuedPacket taken;
    EXPECT_EQ(queue.GetPacket(taken, true), 1);
    producer.join();
    ASSERT_NE(taken.packet, nullptr);
    EXPECT_EQ(taken.packet->size, 100);
    FF.av_packet_free(&taken.packet);

    queue.PutFlush();
    std::thread aborter([&] { queue.Abort(); });
    aborter.join();
    EXPECT_EQ(queue.GetPacket(taken, true), -1) << "an aborted queue gives nothing, even with entries left";
    queue.Flush();
    EXPECT_TRUE(queue.Aborted()) << "flushing keeps the abort";
}

TEST_F(PacketQueueTest, TheEndMarkerCountsTheNodeOverheadAndKeepsItsKind)
{
    TPacketQueue queue;
    queue.Init();
    queue.PutEnd();
    EXPECT_EQ(queue.Size(), 72);
    TQueuedPacket taken;
    EXPECT_EQ(queue.GetPacket(taken, false), 1);
    EXPECT_TRUE(taken.end);
    EXPECT_EQ(taken.packet, nullptr);
    EXPECT_EQ(queue.Size(), 0);
    EXPECT_EQ(queue.GetPacket(taken, false), 0);
}

TEST(PlayEventRingTest, SameKindsCollapseAndAFullRingDropsTheOldest)
{
    TPlayEventRing ring;
    for (int state = 0; state < 10; ++state)
        ring.Push(pekState, state);
    EXPECT_EQ(ring.Pop().value, 9);
    EXPECT_EQ(ring.Pop().kind, pekNone);

    for (int i = 0; i < 10; ++i)
        ring.Push(i % 2 ? pekState : pekPosition, i);
    for (int i = 1; i < 10; ++i) {
        const TPlayEventEntry entry = ring.Pop();
        EXPECT_EQ(entry.value, i) << "only the last nine survive";
    }
    EXPECT_EQ(ring.Pop().kind, pekNone);
}

class ClockTest : public TPlayerLibrariesTest {};

// A playback of a file with pictures and sound, at its start: sound and
// pictures are still to start together.
struct TStartingPlayback {
    TStartingPlayback()
    {
        is.Owner = &owner;
        is.video_st = &video;
        is.audio_st = &audio;
        is.start_together_until = NowSeconds() + 10.0;
    }
    TFFPlayer owner;
    AVStream video{}, audio{};
    TVideoState is;
};

TEST_F(ClockTest, NextPictureDelayFollowsTheAudioClock)
{
    struct Case {
        double videoMinusAudio;
        double expectedDelay;
        bool soundFlushedBySeek = false;
    };
    // Outside the threshold (the 40 ms delay): no wait, or twice the wait. Inside it the
    // delay takes back a quarter of the offset, so a small steady offset is pulled to zero.
    // After a seek, until the first sound after it, the sound clock still tells where the
    // sound was before: the pictures keep their own pace.
    const Case cases[] = {{-0.5, 0.0},   {0.5, 0.08},        {12.0, 0.04},      {-12.0, 0.04},      {0.0, 0.04},
                          {0.02, 0.045}, {-0.02, 0.035},     {0.039, 0.04975},  {-0.039, 0.03025},  {-0.04, 0.0},
                          {-9.9, 0.0},   {-9.9, 0.04, true}, {0.5, 0.04, true}, {-0.02, 0.04, true}};
    AVStream audio{};
    for (const Case& c : cases) {
        TVideoState is;
        is.audio_st = &audio; // audio is the master
        is.paused = 1;        // the video clock is then the picture on screen
        is.video_current_pts = 100.0 + c.videoMinusAudio;
        is.audio_clock = 100.0;
        is.audio_clock_unknown = c.soundFlushedBySeek ? 1 : 0;
        is.frame_last_pts = 4.96;
        is.frame_last_delay = 0.04;
        is.frame_timer = 50.0;
        EXPECT_NEAR(NextFrameTime(is, 5.0), 50.0 + c.expectedDelay, 1e-9)
            << c.videoMinusAudio << (c.soundFlushedBySeek ? " after a seek" : "");
    }
}

TEST_F(ClockTest, ADelayOfTenSecondsOrANonIncreasingTimeKeepsTheLastGoodDelay)
{
    for (double t : {15.0, 4.0}) {
        TVideoState is;
        is.frame_last_pts = 5.0;
        is.frame_last_delay = 0.04;
        is.frame_timer = 0;
        EXPECT_NEAR(NextFrameTime(is, t), 0.04, 1e-9) << t;
    }
}

TEST_F(ClockTest, TheFirstPictureAfterAFlushIsTimedFromWhenItIsReady)
{
    TVideoState is;
    is.frame_last_pts = double(AV_NOPTS_VALUE);
    is.frame_timer = NowSeconds() - 5.0; // the flush, long before a slow first decode ended
    const double before = NowSeconds();
    const double target = NextFrameTime(is, 0.0);
    EXPECT_GE(target, before) << "it would be late, and the next ones too";
    EXPECT_LE(target, NowSeconds());
}

TEST_F(ClockTest, TheAudioClockCountsTheSoundStillInTheDevice)
{
    AVStream audio{};
    TVideoState is;
    is.audio_st = &audio;
    is.audio_tgt_freq = 48000;
    is.audio_tgt_channels = 2;
    is.audio_hw_buf_size = 4096; // 1024 stereo samples: 21.3 ms
    const double deviceBuffer = 1024.0 / 48000;

    // Before anything is handed over: the decoded sound's end, less what the callback still holds.
    is.audio_clock = 5.0;
    is.audio_buf_size = 4096;
    is.audio_buf_index = 1024;
    EXPECT_NEAR(AudioClock(is), 5.0 - 3072.0 / 192000, 1e-9);
    RecordAudioHandover(is, NowSeconds() + 1.0);
    EXPECT_NEAR(AudioClock(is), 5.0 - 3072.0 / 192000 - deviceBuffer, 1e-9) << "just handed: none of it heard";

    struct Case {
        double handedAgo;
        double lowest, highest; // the wall clock runs on while the case runs
    };
    const Case cases[] = {{-1.0, 10.0 - deviceBuffer, 10.0 - deviceBuffer},
                          {deviceBuffer / 2, 10.0 - deviceBuffer / 2, 10.0},
                          {1.0, 10.0, 10.0}};
    is.audio_buf_size = 0;
    is.audio_buf_index = 0;
    is.audio_clock = 10.0;
    for (const Case& c : cases) {
        RecordAudioHandover(is, NowSeconds() - c.handedAgo);
        const double clock = AudioClock(is);
        EXPECT_GE(clock, c.lowest - 1e-9) << c.handedAgo;
        EXPECT_LE(clock, c.highest + 1e-9) << c.handedAgo;
    }
}

TEST_F(ClockTest, ThePictureAtTheStartIsShownHoweverLate)
{
    TFFPlayer owner;
    AVStream video{};
    TVideoState is;
    is.Owner = &owner;
    is.video_st = &video;
    const double now = NowSeconds();
    is.pictq[0].pts = 0.0;
    is.pictq[0].target = now - 1.0;
    is.pictq[1].pts = 0.04;
    is.pictq[1].target = now - 0.96;
    is.pictq_size = 2;
    RefreshPlayback(is, true);
    EXPECT_EQ(is.video_current_pts.load(), 0.0) << "a later picture was due too, but this one starts the clip";
    EXPECT_EQ(QueuedPictures(is), 1);

    RefreshPlayback(is, true);
    EXPECT_EQ(QueuedPictures(is), 0) << "later pictures are dropped as before when hopelessly late";
}

TEST_F(ClockTest, AtTheStartTheFirstPictureWaitsForTheSoundAndTheNextMovesWithIt)
{
    TStartingPlayback playback;
    TVideoState& is = playback.is;
    const double now = NowSeconds();
    is.pictq[0].pts = 0.0;
    is.pictq[0].target = now - 0.5;
    is.pictq[1].pts = 0.04;
    is.pictq[1].target = now - 0.46;
    is.pictq_size = 2;
    is.frame_timer = now - 0.46;
    RefreshPlayback(is, true);
    EXPECT_EQ(QueuedPictures(is), 2) << "no sound yet: the first picture waits";

    RecordAudioHandover(is, NowSeconds());
    const double before = NowSeconds();
    RefreshPlayback(is, true);
    const double after = NowSeconds();
    ASSERT_EQ(QueuedPictures(is), 1);
    EXPECT_EQ(is.video_current_pts.load(), 0.0);
    // Timed from when the first showed.
    EXPECT_GE(is.pictq[1].target.load(), before + 0.04 - 1e-9);
    EXPECT_LE(is.pictq[1].target.load(), after + 0.04 + 1e-9);
    EXPECT_DOUBLE_EQ(is.frame_timer.load(), is.pictq[1].target.load());
    EXPECT_EQ(is.start_together_until.load(), 0.0);
}

TEST_F(ClockTest, OpenedPausedTheFirstPictureShowsAndTheSoundHasNothingToWaitFor)
{
    TStartingPlayback playback;
    TVideoState& is = playback.is;
    is.paused = 1;
    const double now = NowSeconds();
    is.pictq[0].pts = 0.0;
    is.pictq[0].target = now - 0.01;
    is.pictq_size = 1;
    RefreshPlayback(is, false);
    EXPECT_EQ(is.video_current_pts.load(), 0.0) << "the first picture shows while paused";
    EXPECT_NE(is.video_current_pts_drift.load(), 0.0);
    EXPECT_EQ(is.start_together_until.load(), 0.0) << "play would start with the sound held back";
}

TEST_F(ClockTest, WithoutAPictureShownTheVideoClockIsTheStartTime)
{
    TVideoState is;
    is.StartTime = 1400000;
    EXPECT_DOUBLE_EQ(VideoClock(is), 1.4);
}

TEST_F(ClockTest, ResumingShiftsThePictureTimerByThePausedTimeOnly)
{
    TFFPlayer owner;
    const double pausedFor = 3.0;
    {
        // A picture was shown `pausedFor` seconds ago at 2 s: the timer moves on by the pause.
        TVideoState is;
        is.Owner = &owner;
        is.paused = 1;
        is.frame_timer = 100.0;
        is.video_current_pts = 2.0;
        is.video_current_pts_drift = 2.0 - (NowSeconds() - pausedFor);
        TogglePlaybackPause(is);
        EXPECT_FALSE(is.paused.load());
        EXPECT_NEAR(is.frame_timer.load(), 100.0 + pausedFor, 0.2);
    }
    {
        // Pictures decoded while paused, timed against the stopped clocks (here one
        // early, one late): each is due its distance from the shown picture after the resume.
        TVideoState is;
        is.Owner = &owner;
        is.paused = 1;
        is.pictq[0].pts = 2.04;
        is.pictq[0].target = 1.0;
        is.pictq[1].pts = 2.08;
        is.pictq[1].target = 500.0;
        is.pictq_size = 2;
        is.frame_timer = 500.0;
        is.video_current_pts = 2.0;
        is.video_current_pts_drift = 2.0 - (NowSeconds() - pausedFor);
        const double before = NowSeconds();
        TogglePlaybackPause(is);
        const double after = NowSeconds();
        EXPECT_GE(is.pictq[0].target.load(), before + 0.04 - 1e-6);
        EXPECT_LE(is.pictq[0].target.load(), after + 0.04 + 1e-6);
        EXPECT_GE(is.pictq[1].target.load(), before + 0.08 - 1e-6);
        EXPECT_LE(is.pictq[1].target.load(), after + 0.08 + 1e-6);
        EXPECT_DOUBLE_EQ(is.frame_timer.load(), is.pictq[1].target.load());
    }
    {
        // Opened paused and resumed before any picture was timed: timing starts now.
        TVideoState is;
        is.Owner = &owner;
        is.paused = 1;
        is.frame_timer = NowSeconds() - 0.05;
        TogglePlaybackPause(is);
        EXPECT_NEAR(is.frame_timer.load(), NowSeconds(), 0.2)
            << "later pictures would wait as long as the clock's value";
    }
}

TEST(LetterboxTest, PlacesThePictureByTheAspectRule)
{
    struct Case {
        float aspectRatio;
        int pictureWidth, pictureHeight;
        TRect expected;
    };
    const Case cases[] = {
        {0, 720, 576, {20, 0, 620, 480}}, // its own shape, square pixels
        {-1, 720, 576, {0, 0, 640, 480}}, // fills the area
        {16.0f / 9, 720, 576, {0, 60, 640, 420}},
        {0, 320, 240, {0, 0, 640, 480}},
    };
    for (const Case& c : cases) {
        const double aspect = DisplayAspect(c.aspectRatio, AVRational{1, 1}, c.pictureWidth, c.pictureHeight, 640, 480);
        const TRect rect = LetterboxRect(640, 480, aspect);
        EXPECT_EQ(rect.Left, c.expected.Left) << c.aspectRatio << " " << c.pictureWidth;
        EXPECT_EQ(rect.Top, c.expected.Top) << c.aspectRatio << " " << c.pictureWidth;
        EXPECT_EQ(rect.Right, c.expected.Right) << c.aspectRatio << " " << c.pictureWidth;
        EXPECT_EQ(rect.Bottom, c.expected.Bottom) << c.aspectRatio << " " << c.pictureWidth;
    }
}

TEST(SubtitleColourTest, PaletteEntriesBecomeAlphaYUV)
{
    EXPECT_EQ(SubtitleColourToYUVA(0xFFFF0000u), 0xFF515AF0u); // red: Y 81, U 90, V 240
    EXPECT_EQ(SubtitleColourToYUVA(0x80000000u) >> 24, 0x80u);
}

TEST(SubtitleBlendTest, OpaqueRectangleReplacesLumaAndChromaInsideThePictureOnly)
{
    std::vector<std::uint8_t> y(8 * 4, 10), u(4 * 2, 20), v(4 * 2, 30);
    TAVPicture picture;
    picture.data[0] = y.data();
    picture.data[1] = u.data();
    picture.data[2] = v.data();
    picture.linesize[0] = 8;
    picture.linesize[1] = picture.linesize[2] = 4;
    std::uint8_t indexes[4 * 4] = {};
    std::uint32_t palette[1] = {0xFF000000u | 200u << 16 | 100u << 8 | 50u};
    AVSubtitleRect rect{};
    rect.x = 6; // reaches past the right edge: clipped back inside
    rect.y = 0;
    rect.w = 4;
    rect.h = 2;
    rect.data[0] = indexes;
    rect.data[1] = reinterpret_cast<std::uint8_t*>(palette);
    rect.linesize[0] = 4;
    rect.nb_colors = 1;
    BlendSubtitleRect(picture, rect, 8, 4);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(y[x], x >= 4 ? 200 : 10) << x;
    EXPECT_EQ(y[8 * 2 + 5], 10) << "below the rectangle";
    EXPECT_EQ(u[2], 100);
    EXPECT_EQ(v[3], 50);
    EXPECT_EQ(u[1], 20);
}

} // namespace
} // namespace tovrel::test
