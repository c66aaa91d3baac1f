// Whole playbacks of generated clips: headless, SDL's dummy audio driver, a
// memory host that records every picture it is told about.
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "platform/rtl/MainThread.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "support/TestMedia.h"

#include "PlayerClips.h"
#include "PlayerTestSupport.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace tovrel::test {
namespace {

using test::media::ClipSpec;
using test::media::Fixture;

// A host in memory: records the time of every picture drawn on the player's
// surface, and counts every change (the scope of a sound-only file as well).
class TMemoryHost : public TPlayerHost {
public:
    explicit TMemoryHost(const TCustomPlayer& player) : player_(player) {}
    TSize ClientSize() const override { return clientSize; }
    TSize clientSize{320, 240};
    // Called by whichever thread ends the playback; set it before Open.
    std::function<void()> onPlaybackEnded;
    void PictureChanged(const TRect&) override
    {
        player_.Surface().Read([this](const TSurface&, std::int64_t pts) {
            std::lock_guard lock(mutex_);
            ++changes_;
            if (pts >= 0)
                pictures_.push_back(pts);
        });
        TMainThread::WakeWaiters(); // the test may be waiting for this picture
    }
    void PlaybackEnded() override
    {
        if (onPlaybackEnded)
            onPlaybackEnded();
    }
    int Changes() const
    {
        std::lock_guard lock(mutex_);
        return changes_;
    }
    void Clear()
    {
        std::lock_guard lock(mutex_);
        pictures_.clear();
    }
    std::vector<std::int64_t> Pictures() const
    {
        std::lock_guard lock(mutex_);
        return pictures_;
    }

private:
    const TCustomPlayer& player_;
    mutable std::mutex mutex_;
    int changes_ = 0;
    std::vector<std::int64_t> pictures_;
};

int ThreadCount()
{
    int count = 0;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (dirent* entry = readdir(dir))
            count += entry->d_name[0] != '.';
        closedir(dir);
    }
    return count;
}

class PlaybackTest : public TPlayerLibrariesTest {
protected:
    std::unique_ptr<TFFPlayer> owner = std::make_unique<TFFPlayer>();
    TFFPlayer& player = *owner;
    TMemoryHost host{player};
    std::vector<TPlayState> states;      // main thread only
    std::vector<std::int64_t> positions; // main thread only

    void SetUp() override
    {
        TPlayerLibrariesTest::SetUp();
        player.SetOnState([this](TCustomPlayer*, TPlayState state) { states.push_back(state); });
        player.SetOnPosition([this](TCustomPlayer*, std::int64_t pts) { positions.push_back(pts); });
    }
    void TearDown() override
    {
        owner.reset(); // its picture converters go while the libraries are loaded
        TPlayerLibrariesTest::TearDown();
    }
    bool WaitFor(const std::function<bool()>& ready) { return WaitUntil(ready); }
    bool WaitForState(TPlayState state)
    {
        return WaitFor([&] { return std::find(states.begin(), states.end(), state) != states.end(); });
    }
    static std::string ShortClip()
    {
        ClipSpec recipe;
        recipe.fileName = "player_short.avi";
        recipe.formatName = "avi";
        recipe.videoCodec = "mpeg4";
        recipe.audioCodec = "pcm_s16le";
        recipe.seconds = 1.0;
        return test::media::ClipPath(recipe).string();
    }
};

TEST_F(PlaybackTest, PausedOpenShowsAPictureThenPlaysToTheEndInTimeOrder)
{
    player.options.framedrop = 0; // every picture is shown, however loaded the machine
    ASSERT_TRUE(player.Open(ShortClip(), &host, true)) << player.LastErrMsg();
    ASSERT_TRUE(WaitForState(psPause));
    EXPECT_EQ(states.front(), psPlay);
    EXPECT_EQ(states.at(1), psPause);
    EXPECT_TRUE(player.Paused());
    ASSERT_TRUE(WaitFor([&] { return !host.Pictures().empty(); })) << "the paused open shows its picture";

    player.Resume();
    ASSERT_TRUE(WaitForState(psEnd));
    const std::vector<std::int64_t> pictures = host.Pictures();
    ASSERT_GE(pictures.size(), 2u);
    EXPECT_TRUE(std::is_sorted(pictures.begin(), pictures.end()));
    EXPECT_GE(pictures.back(), 800000) << "the last pictures of the clip were shown";
    ASSERT_GE(positions.size(), 2u);
    EXPECT_GT(positions.back(), positions.front());
    // Moves of 10000 or less are not reported, except the end itself. (A late picture
    // may set the clock back a little: a move may go either way.)
    for (std::size_t i = 1; i + 1 < positions.size(); ++i)
        EXPECT_GT(std::llabs(positions[i] - positions[i - 1]), 10000) << i;
}

// A one-picture clip opened paused: once its picture is shown nothing more is
// queued, and the current frame is that picture, never a slot that was made
// ready for a picture the decoder has not written (all zero: solid green).
TEST_F(PlaybackTest, TheCurrentFrameIsAlwaysADecodedPicture)
{
    TClipStreams streams;
    streams.videoLuma = {200};
    streams.frames = 1;
    ASSERT_TRUE(player.Open(PlayerClipPath("player_one_picture.avi", streams).string(), &host, true))
        << player.LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return !host.Pictures().empty(); }));
    std::int64_t pts = -1;
    const TSurface& frame = player.CurrentFrame(pts);
    ASSERT_EQ(frame.Width(), 320);
    ASSERT_EQ(frame.Height(), 240);
    EXPECT_EQ(pts, host.Pictures().back());
    const std::uint8_t* pixel = frame.ScanLine(120) + 160 * frame.BytesPerPixel();
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_GT(pixel[channel], 180) << "channel " << channel << " of the light grey picture";
}

// A clip that ends as soon as it opens: its end must not be taken for a
// stale state by the playback's first one (the ring keeps only the newest
// pending state), or a host waiting for the end waits for ever.
TEST_F(PlaybackTest, AClipThatEndsAtOnceReportsItsEndAfterItsStart)
{
    TClipStreams streams;
    streams.videoLuma = {90};
    streams.frames = 1;
    const std::string clip = PlayerClipPath("player_ends_at_once.avi", streams).string();
    for (int open = 0; open < 5; ++open) {
        states.clear();
        ASSERT_TRUE(player.Open(clip, &host, false)) << player.LastErrMsg();
        ASSERT_TRUE(WaitForState(psEnd)) << "open " << open;
        EXPECT_EQ(states.front(), psPlay) << "open " << open;
        player.Stop(true);
    }
}

TEST_F(PlaybackTest, PicturesHeldBackByTheDecoderAreShownAtTheEnd)
{
    // H.264 with B-frames: the decoder gives its last pictures only when drained.
    player.options.framedrop = 0; // a loaded machine must not drop the pictures this looks for
    ASSERT_TRUE(player.Open(test::media::FixturePath(Fixture::KeyFrameEvery10).string(), &host, false))
        << player.LastErrMsg();
    ASSERT_TRUE(WaitForState(psEnd));
    EXPECT_TRUE(WaitFor([&] {
        const std::vector<std::int64_t> pictures = host.Pictures();
        return !pictures.empty() && pictures.back() >= 1920000; // the last of 50 pictures is at 1.96 s
    }));
}

TEST_F(PlaybackTest, WithoutSoundTheVideoClockCarriesThePlaybackToItsEnd)
{
    player.options.DisableAudio = true;
    player.options.framedrop = 0; // a loaded machine must not drop the pictures this looks for
    ASSERT_TRUE(player.Open(ShortClip(), &host, false)) << player.LastErrMsg();
    EXPECT_EQ(player.AudioStreamIndex(), -1);
    ASSERT_TRUE(WaitForState(psEnd));
    const std::vector<std::int64_t> pictures = host.Pictures();
    EXPECT_FALSE(pictures.empty());
    EXPECT_TRUE(std::is_sorted(pictures.begin(), pictures.end()));
}

TEST_F(PlaybackTest, StopWithWaitLeavesNoThreadBehind)
{
    // A first playback lets the process start what it keeps for good (a sanitizer's own thread).
    ASSERT_TRUE(player.Open(ShortClip(), &host, false)) << player.LastErrMsg();
    player.Stop(true);
    const int before = ThreadCount();
    for (bool paused : {true, false}) {
        ASSERT_TRUE(player.Open(ShortClip(), &host, paused)) << player.LastErrMsg();
        player.Stop(true);
        EXPECT_EQ(states.back(), psStop);
        EXPECT_EQ(ThreadCount(), before) << (paused ? "paused" : "playing");
        EXPECT_TRUE(player.Paused()) << "no playback is left";
    }
    // Opening while a file plays stops that playback first.
    ASSERT_TRUE(player.Open(ShortClip(), &host, false));
    states.clear();
    ASSERT_TRUE(player.Open(ShortClip(), &host, true));
    ASSERT_TRUE(WaitForState(psPause));
    EXPECT_EQ(std::count(states.begin(), states.end(), psStop), 1);
    player.Stop(true);
    EXPECT_EQ(ThreadCount(), before);
}

TEST_F(PlaybackTest, AStateHandlerMayStopOrReopenThePlayer)
{
    const std::string clip = ShortClip();
    int opened = 0;
    player.SetOnState([&](TCustomPlayer*, TPlayState state) {
        states.push_back(state);
        if (state == psEnd && opened++ == 0)
            EXPECT_TRUE(player.Open(clip, &host, false)); // stops the ending playback, waiting
        else if (state == psEnd)
            player.Stop(true);
    });
    ASSERT_TRUE(player.Open(clip, &host, false)) << player.LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return std::count(states.begin(), states.end(), psStop) == 2; }));
    EXPECT_TRUE(player.Paused());
    EXPECT_EQ(std::count(states.begin(), states.end(), psEnd), 2);
}

TEST_F(PlaybackTest, TheSurfaceTakesTheHostSizeAndAHookPaintsThePictures)
{
    host.clientSize = {160, 90};
    player.options.Hook = true;
    player.SetOnHook([](TCustomPlayer*, TSurface& bitmap, std::int64_t) {
        for (int y = 0; y < bitmap.Height(); ++y)
            std::fill_n(bitmap.ScanLine(y), bitmap.Width() * 3, 0xFF);
    });
    ASSERT_TRUE(player.Open(ShortClip(), &host, true)) << player.LastErrMsg();
    ASSERT_TRUE(WaitFor([&] { return !host.Pictures().empty(); }));
    player.Surface().Read([](const TSurface& surface, std::int64_t) {
        ASSERT_EQ(surface.Width(), 160);
        ASSERT_EQ(surface.Height(), 90);
        // 320x240 in 160x90: 120x90 at x 20, white from the hook; black bars beside it.
        EXPECT_GE(surface.ScanLine(45)[80 * 4 + 1], 0xF0);
        EXPECT_EQ(surface.ScanLine(45)[5 * 4 + 1], 0);
    });
    std::int64_t pts = 0;
    const TSurface& frame = player.CurrentFrame(pts);
    EXPECT_EQ(frame.Width(), 320);
    EXPECT_GE(pts, 0);

    // The host grows: the surface follows and the paused picture is drawn again.
    player.HostResized(200, 150);
    EXPECT_TRUE(WaitFor([&] {
        bool redrawn = false;
        player.Surface().Read([&](const TSurface& surface, std::int64_t pts) {
            redrawn = surface.Width() == 200 && surface.Height() == 150 && pts >= 0;
        });
        return redrawn;
    }));

    // A negative aspect ratio fills the area: the bars are gone after the redraw it asks for.
    player.SetAspectRatio(-1);
    EXPECT_TRUE(WaitFor([&] {
        int green = 0;
        player.Surface().Read([&](const TSurface& surface, std::int64_t) {
            if (surface.Width() > 5)
                green = surface.ScanLine(75)[5 * 4 + 1];
        });
        return green >= 0xF0;
    }));
}

TEST_F(PlaybackTest, TheSpectrumOfAnAudioOnlyFileIsDrawnColumnByColumn)
{
    player.SetShowAudio(saRDFT);
    ASSERT_TRUE(player.Open(test::media::FixturePath(Fixture::PcmWav).string(), &host, false)) << player.LastErrMsg();
    ASSERT_TRUE(WaitForState(psEnd));
    player.Surface().Read([](const TSurface& surface, std::int64_t) {
        int lit = 0;
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                lit += surface.ScanLine(y)[x * 4 + 2] != 0;
        EXPECT_GT(lit, 0) << "the tone shows in the spectrum's red part";
    });
}

TEST_F(PlaybackTest, VideoFiltersSitBetweenDecoderAndPictures)
{
    struct Case {
        const char* filters;
        bool pictures;
    };
    player.options.framedrop = 0; // a loaded machine must not drop the pictures this looks for
    for (const Case& c : {Case{"hflip,vflip", true}, Case{"no_such_filter", false}}) {
        player.options.VideoFilters = c.filters;
        ASSERT_TRUE(player.Open(ShortClip(), &host, false)) << player.LastErrMsg();
        ASSERT_TRUE(WaitForState(psEnd)) << c.filters;
        player.Stop(true);
        states.clear();
        EXPECT_EQ(!host.Pictures().empty(), c.pictures) << c.filters;
        host.Clear();
    }
}

TEST_F(PlaybackTest, SeekLandsWithinOneKeyFrameInterval)
{
    const std::string clip = test::media::FixturePath(Fixture::KeyFrameEvery10).string();
    player.options.DisableAudio = true; // the video clock is the master: a distance counts from the picture shown
    ASSERT_TRUE(player.Open(clip, &host, true)) << player.LastErrMsg();
    ASSERT_TRUE(WaitForState(psPause));
    constexpr std::int64_t keyFrameInterval = 400000; // 10 frames at 25 fps
    auto landsNear = [&](std::int64_t target) {
        std::int64_t shown = -1;
        const bool landed = WaitFor([&] {
            player.Surface().Read([&](const TSurface&, std::int64_t pts) { shown = pts; });
            return std::llabs(shown - target) <= keyFrameInterval;
        });
        if (!landed)
            ADD_FAILURE() << "shown " << shown << " for " << target;
        return landed;
    };
    player.Seek(std::int64_t(1000000), 0, true);
    EXPECT_TRUE(player.Paused()) << "a seek while paused stays paused";
    EXPECT_TRUE(landsNear(1000000)) << "to a time";
    player.Seek(0.5, 0, true);
    EXPECT_TRUE(landsNear(1500000)) << "by a distance from the picture shown";
    player.Seek(0, 0, true);
    EXPECT_TRUE(landsNear(0)) << "back to the start";
}

TEST_F(PlaybackTest, AnAudioOnlyFileEndsOnce)
{
    int ends = 0;
    player.SetOnState([&](TCustomPlayer*, TPlayState state) {
        states.push_back(state);
        ends += state == psEnd;
    });
    ASSERT_TRUE(player.Open(test::media::FixturePath(Fixture::PcmWav).string(), &host, false)) << player.LastErrMsg();
    EXPECT_EQ(player.VideoStreamIndex(), -1);
    ASSERT_TRUE(WaitForState(psEnd));
    std::int64_t pts = 0;
    EXPECT_EQ(player.CurrentFrame(pts).Width(), 0);
    EXPECT_EQ(pts, -1);
    player.Surface().Read([](const TSurface& surface, std::int64_t) {
        ASSERT_EQ(surface.Width(), 320) << "the wave is drawn at the host's size";
        bool white = false;
        for (int y = 0; y < surface.Height() && !white; ++y)
            for (int x = 0; x < surface.Width() && !white; ++x)
                white = surface.ScanLine(y)[x * 4] == 0xFF;
        EXPECT_TRUE(white) << "the tone's wave is on the surface";
    });
    // Each refresh of a sound-only playback draws the scope, then checks the position: ten
    // more changes are nine more checks after the end, each of which would report it again.
    const int changesAtEnd = host.Changes();
    EXPECT_TRUE(WaitFor([&] { return ends > 1 || host.Changes() >= changesAtEnd + 10; }));
    player.Stop(true);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(states.back(), psStop);
}

TEST_F(PlaybackTest, APausedPlaybackHoldsItsPositionUntilItResumes)
{
    struct Case {
        const char* name;
        // Plain functions, not member pointers: GCC's alignment check misreads a call
        // through a member pointer on a fixture member.
        void (*pause)(TCustomPlayer&);
        void (*resume)(TCustomPlayer&);
    };
    const Case cases[] = {
        {"Pause, Resume", [](TCustomPlayer& p) { p.Pause(); }, [](TCustomPlayer& p) { p.Resume(); }},
        {"TogglePause twice", [](TCustomPlayer& p) { p.TogglePause(); }, [](TCustomPlayer& p) { p.TogglePause(); }}};
    ClipSpec recipe;
    recipe.fileName = "player_tone.wav";
    recipe.formatName = "wav";
    recipe.audioCodec = "pcm_s16le";
    recipe.seconds = 3.0;
    const std::string tone = test::media::ClipPath(recipe).string();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        states.clear();
        ASSERT_TRUE(player.Open(tone, &host, false)) << player.LastErrMsg();
        ASSERT_TRUE(WaitFor([&] { return player.CurrentPTS() > 100000; }));
        c.pause(player);
        EXPECT_TRUE(player.Paused());
        ASSERT_TRUE(WaitForState(psPause));
        const std::int64_t pausedAt = player.CurrentPTS();
        // Sound only: each refresh draws the scope, then checks the position. Ten checks
        // while playing cover 200 ms; paused, only the chunk in hand at the pause plays out.
        const int changes = host.Changes();
        ASSERT_TRUE(WaitFor([&] { return host.Changes() >= changes + 10; }));
        EXPECT_LE(player.CurrentPTS() - pausedAt, 50000);

        c.resume(player);
        EXPECT_FALSE(player.Paused());
        ASSERT_TRUE(WaitForState(psResume));
        EXPECT_TRUE(WaitForState(psEnd)) << "it plays on to the end";
        player.Stop(true);
    }
}

TEST_F(PlaybackTest, StopEndsAPlaybackThatIgnoresTheQuitRequestItself)
{
    // The test holds the data lock, so the play thread cannot act on the quit request;
    // the stop loop (the lock is re-entrant on the main thread) ends the playback after its tries.
    TCriticalSection& dataLock = player.Engine().dataLock;
    bool endedByTheStopLoop = false;
    host.onPlaybackEnded = [&] {
        if (!TMainThread::IsCurrent())
            return;
        endedByTheStopLoop = true;
        dataLock.Leave(); // the play thread then finds no playback and ends
    };
    ASSERT_TRUE(player.Open(ShortClip(), &host, false)) << player.LastErrMsg();
    ASSERT_TRUE(WaitForState(psPlay));
    dataLock.EnterPumping();
    player.Stop(true);
    EXPECT_TRUE(endedByTheStopLoop);
    EXPECT_EQ(states.back(), psStop);
    EXPECT_TRUE(player.Paused()) << "no playback is left";
}

TEST_F(PlaybackTest, StreamChoiceAndSwitchRefusals)
{
    ClipSpec recipe;
    recipe.fileName = "player_two_audio.mkv";
    recipe.formatName = "matroska";
    recipe.videoCodec = "mpeg4";
    recipe.audioCodec = "pcm_s16le";
    recipe.extraAudioStreams = 1;
    recipe.seconds = 1.0;
    const std::string clip = test::media::ClipPath(recipe).string();
    player.options.wanted(AVMEDIA_TYPE_AUDIO) = 1;
    ASSERT_TRUE(player.Open(clip, &host, true)) << player.LastErrMsg();
    const int video = player.VideoStreamIndex();
    const int secondAudio = player.AudioStreamIndex();
    EXPECT_GE(video, 0);
    EXPECT_TRUE(player.AVProbe().IsAudioStream(secondAudio));
    int audioBefore = 0;
    for (int i = 0; i < secondAudio; ++i)
        audioBefore += player.AVProbe().IsAudioStream(i);
    EXPECT_EQ(audioBefore, 1) << "the second audio stream in index order";

    struct Refusal {
        int index;
        const char* message;
    };
    for (const Refusal& r :
         {Refusal{video, "the stream type is not matched."}, Refusal{99, "the stream index is not valid."}}) {
        player.SetAudioStreamIndex(r.index);
        EXPECT_EQ(player.LastErrMsg(), r.message);
        EXPECT_EQ(player.AudioStreamIndex(), secondAudio);
    }
    player.Stop(true);
    EXPECT_EQ(player.options.wanted(AVMEDIA_TYPE_AUDIO), -1) << "the wish holds for one playback";
}

TEST_F(PlaybackTest, StepShowsOneMorePictureAndPausesAgain)
{
    ASSERT_TRUE(player.Open(ShortClip(), &host, true)) << player.LastErrMsg();
    ASSERT_TRUE(WaitForState(psPause));
    ASSERT_TRUE(WaitFor([&] { return !host.Pictures().empty(); }));
    const std::int64_t before = host.Pictures().back();
    player.StepToNextFrame();
    ASSERT_TRUE(WaitForState(psStep));
    // The next picture is decoded and the playback pauses again; that picture is
    // on the surface or still waiting at the read index.
    EXPECT_TRUE(WaitFor([&] {
        std::int64_t queued = -1;
        player.CurrentFrame(queued);
        return (host.Pictures().back() > before || queued > before) && player.Paused();
    }));
}

TEST_F(PlaybackTest, FilesThatCannotPlayFailWithTheirMessage)
{
    const std::string notMedia = test::media::FixturePath(Fixture::NotMedia).string();
    const std::string missing = test::media::TestMediaFolder().string() + "/no such file.avi";
    for (const std::string& file : {notMedia, missing}) {
        EXPECT_FALSE(player.Open(file, &host, false));
        EXPECT_EQ(player.LastErrMsg().rfind(file + ": ", 0), 0u) << player.LastErrMsg();
        EXPECT_TRUE(player.Paused()) << "no playback";
    }
    EXPECT_EQ(player.LastErrMsg(), FormatAVError(missing, AVERROR(ENOENT)));
    EXPECT_TRUE(states.empty());

    try {
        player.SetFormat("no_such_format");
        ADD_FAILURE() << "an unknown input format is refused";
    } catch (const EPlayerError& e) {
        EXPECT_STREQ(e.what(), "Unknown input format: no_such_format");
    }
    player.SetFormat("avi");
    EXPECT_EQ(player.Format(), "avi");
}

TEST(PlayerWithoutLibrariesTest, OpenNeedsTheLibraries)
{
    TFFPlayer player;
    if (player.AVLibLoaded())
        GTEST_SKIP() << "another user keeps the libraries loaded";
    EXPECT_FALSE(player.Open("any.avi", nullptr, false));
    EXPECT_EQ(player.LastErrMsg(), "libav or libsdl not loaded.");
}

} // namespace
} // namespace tovrel::test
