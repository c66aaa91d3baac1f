// Position reports, the end of media, the play length and seek targets, on a
// playback record without threads attached to a player.
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"

#include "PlayerTestSupport.h"

#include <memory>
#include <vector>

namespace tovrel::test {
namespace {

class PositionTest : public TPlayerLibrariesTest {
protected:
    std::unique_ptr<TFFPlayer> player;
    std::unique_ptr<TVideoState> state;
    AVFormatContext input{};
    AVStream audio{};

    void SetUp() override
    {
        TPlayerLibrariesTest::SetUp();
        player = std::make_unique<TFFPlayer>();
        player->SetOnPosition([](TCustomPlayer*, std::int64_t) {});
        player->SetOnState([](TCustomPlayer*, TPlayState) {});
        state = std::make_unique<TVideoState>();
        state->Owner = player.get();
        input.start_time = AV_NOPTS_VALUE;
        state->ic = &input;
        state->audio_st = &audio; // an audio-only playback: the audio clock is the position
        state->Duration = 60000000;
        player->Engine().videoState = state.get();
    }
    void TearDown() override
    {
        player->Engine().videoState = nullptr;
        state.reset();
        player.reset();
        TPlayerLibrariesTest::TearDown();
    }
    // Entries the check pushed for the event thread.
    std::vector<TPlayEventEntry> CheckAt(double seconds)
    {
        state->audio_clock = seconds;
        CheckPosition(*player);
        TPlayEventRing& ring = *player->Engine().playEvents;
        std::vector<TPlayEventEntry> entries;
        for (TPlayEventEntry e = ring.Pop(); e.kind != pekNone; e = ring.Pop())
            entries.push_back(e);
        return entries;
    }
    static bool Has(const std::vector<TPlayEventEntry>& entries, TPlayEventKind kind, std::int64_t value)
    {
        for (const TPlayEventEntry& e : entries)
            if (e.kind == kind && e.value == value)
                return true;
        return false;
    }
};

TEST_F(PositionTest, MovesOfMoreThanTenMillisecondsAreReportedAndTheEndAlways)
{
    struct Step {
        double clock;
        bool reported;
        std::int64_t position;
    };
    const Step steps[] = {
        {1.0, true, 1000000},   // the first position
        {1.01, false, 1010000}, // exactly 10000 later
        {1.0101, true, 1010100}, {59.995, true, 59995000},
        {60.0, true, 60000000},  // the end is reported although within 10000 of the last
        {61.0, false, 60000000}, // clamped to the duration, already reported
    };
    for (const Step& step : steps) {
        const auto entries = CheckAt(step.clock);
        EXPECT_EQ(Has(entries, pekPosition, step.position), step.reported) << step.clock;
        EXPECT_EQ(player->CurrentPTS(), std::min<std::int64_t>(std::llround(step.clock * 1e6), 61000000));
    }
}

TEST_F(PositionTest, TheEndOfAnAudioOnlyFileIsReportedOnceUntilASeek)
{
    state->ReachEOF = 1;
    EXPECT_TRUE(Has(CheckAt(60.0), pekState, psEnd));
    EXPECT_FALSE(Has(CheckAt(60.0), pekState, psEnd));
    EXPECT_FALSE(Has(CheckAt(60.0), pekState, psEnd));
    state->EventEOF = 0; // what a completed seek does without video
    EXPECT_TRUE(Has(CheckAt(60.0), pekState, psEnd));
}

TEST_F(PositionTest, ALoopingPlayLengthSeeksBackToTheStart)
{
    player->options.PlayTime = 10000000;
    player->options.RepeatType = rtLoop;
    CheckAt(9.0);
    EXPECT_EQ(state->seek_req.load(), 0);
    CheckAt(10.0);
    EXPECT_EQ(state->seek_req.load(), 1);
    EXPECT_EQ(state->seek_pos, 0);
    EXPECT_EQ(state->seek_flags, AVSEEK_FLAG_ANY);
}

TEST_F(PositionTest, SeekTargetsAreLimitedByAKnownDurationOnly)
{
    struct Case {
        std::int64_t duration, inputStart, pts;
        std::int64_t target, rel;
    };
    const Case cases[] = {
        {60000000, AV_NOPTS_VALUE, 0, 0, 1}, // Seek(0) passes a distance of 1
        {60000000, AV_NOPTS_VALUE, 5000000, 5000000, 0},
        {60000000, AV_NOPTS_VALUE, 90000000, 60000000, 0}, // past the end: the end
        {60000000, 1400000, 5000000, 6400000, 0},          // from the container's start
        {-1, AV_NOPTS_VALUE, 90000000, 90000000, 0},       // unknown duration: as asked
    };
    for (const Case& c : cases) {
        state->seek_req = 0;
        state->Duration = c.duration;
        input.start_time = c.inputStart;
        RequestSeekTo(*state, c.pts, 0);
        EXPECT_EQ(state->seek_pos, c.target) << c.pts;
        EXPECT_EQ(state->seek_rel, c.rel) << c.pts;
    }
    RequestSeekTo(*state, 1, 0);
    EXPECT_EQ(state->seek_pos, 90000000) << "a second request while one is pending is ignored";
}

} // namespace
} // namespace tovrel::test
