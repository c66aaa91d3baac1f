// Switching to the other stream of a kind while a file plays: the new stream's
// decoder takes over and its content reaches the surface.
#include "PlayerClips.h"
#include "PlayerTestSupport.h"

#include <ostream>

namespace tovrel::test {
namespace {

constexpr TSubtitleBlock LowerBlock{100, 160, 120, 40}, UpperBlock{100, 40, 120, 40};

// Two streams of each kind, the second told apart from the first on the
// surface: black then grey pictures, silence then a loud tone, a lower then an
// upper block. File indexes: video 0 and 1, audio 2 and 3, subtitles 4 and 5.
std::string TwoOfEachKindClip()
{
    TClipStreams streams;
    streams.videoLuma = {16, 128};
    streams.audioAmplitude = {0, 12000};
    streams.subtitleBlocks = {LowerBlock, UpperBlock};
    streams.frames = 50;
    return PlayerClipPath("player_two_of_each_kind.mkv", streams).string();
}

// Whether the surface shows the kind's first (0) or second (1) stream.
bool ShowsPictures(const TCustomPlayer& player, int second)
{
    const int green = GreenAt(player, 20, 120); // beside both blocks
    return second ? green > 90 && green < 180 : green >= 0 && green < 40;
}

bool ShowsSound(const TCustomPlayer& player, int second)
{
    // The wave of the first channel swings around row 60: a tone reaches above row 55.
    int lit = 0;
    player.Surface().Read([&](const TSurface& surface, std::int64_t) {
        for (int y = 0; y < 55 && y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                lit += surface.ScanLine(y)[x * 4] == 0xFF;
    });
    return second ? lit > 40 : lit == 0;
}

bool ShowsBlock(const TCustomPlayer& player, int second)
{
    const auto whiteAt = [&](const TSubtitleBlock& block) {
        return GreenAt(player, block.x + block.width / 2, block.y + block.height / 2) > 200;
    };
    const TSubtitleBlock& shown = second ? UpperBlock : LowerBlock;
    const TSubtitleBlock& hidden = second ? LowerBlock : UpperBlock;
    return whiteAt(shown) && !whiteAt(hidden);
}

struct TSwitchCase {
    const char* name;
    int first; // file index of the kind's first stream; the second follows it
    void (TCustomPlayer::*select)(int);
    int (TCustomPlayer::*current)() const;
    bool (*shows)(const TCustomPlayer&, int second);
    bool disableVideo; // sound shows as its wave only without pictures
};

const TSwitchCase SwitchCases[] = {
    {"Video", 0, &TCustomPlayer::SetVideoStreamIndex, &TCustomPlayer::VideoStreamIndex, ShowsPictures, false},
    {"Audio", 2, &TCustomPlayer::SetAudioStreamIndex, &TCustomPlayer::AudioStreamIndex, ShowsSound, true},
    {"Subtitle", 4, &TCustomPlayer::SetSubtitleStreamIndex, &TCustomPlayer::SubtitleStreamIndex, ShowsBlock, false},
};

void PrintTo(const TSwitchCase& c, std::ostream* os)
{
    *os << c.name;
}

class StreamSwitchTest : public TPlayerOnHostTest, public ::testing::WithParamInterface<TSwitchCase> {};

TEST_P(StreamSwitchTest, TheOtherStreamOfTheKindPlaysAfterTheSwitch)
{
    const TSwitchCase& c = GetParam();
    TCustomPlayer& p = *player;
    p.options.DisableVideo = c.disableVideo;
    p.options.framedrop = 0; // a loaded machine must not drop the pictures this looks at
    for (AVMediaType type : {AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO, AVMEDIA_TYPE_SUBTITLE})
        p.options.wanted(type) = 0; // the first of each kind
    ASSERT_TRUE(p.Open(TwoOfEachKindClip(), &host, false)) << p.LastErrMsg();
    ASSERT_EQ((p.*c.current)(), c.first);
    ASSERT_TRUE(WaitUntil([&] { return c.shows(p, 0); })) << "the first stream plays";

    (p.*c.select)(c.first + 1);
    EXPECT_EQ((p.*c.current)(), c.first + 1);
    EXPECT_EQ(p.LastErrMsg(), "");
    // The file is read ahead of what plays: from the start the new stream's packets come again.
    p.Seek(0, 0, true);
    EXPECT_TRUE(WaitUntil([&] { return c.shows(p, 1); })) << "the second stream plays";
    EXPECT_FALSE(p.Paused());
}

INSTANTIATE_TEST_SUITE_P(EachKind, StreamSwitchTest, ::testing::ValuesIn(SwitchCases),
                         [](const ::testing::TestParamInfo<TSwitchCase>& info) { return info.param.name; });

} // namespace
} // namespace tovrel::test
