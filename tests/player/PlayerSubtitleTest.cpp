// Bitmap subtitles end to end: decoded, queued and blended into the shown pictures.
#include "PlayerClips.h"
#include "PlayerTestSupport.h"

namespace tovrel::test {
namespace {

class SubtitleTest : public TPlayerOnHostTest {
protected:
    const TSubtitleBlock block;
};

TEST_F(SubtitleTest, TheBlockIsBlendedIntoThePicturesWhileItShows)
{
    player->options.framedrop = 0; // a loaded machine must not drop the pictures this looks at
    const std::string clip = SubtitleClipPath(block).string();
    ASSERT_TRUE(player->Open(clip, &host, false)) << player->LastErrMsg();
    EXPECT_GE(player->SubtitleStreamIndex(), 0);
    const int inside = block.x + block.width / 2, insideY = block.y + block.height / 2;
    EXPECT_TRUE(WaitUntil([&] { return GreenAt(*player, inside, insideY) > 200; }));
    EXPECT_LT(GreenAt(*player, block.x - 10, insideY), 40) << "beside the block the picture stays dark";
}

TEST_F(SubtitleTest, DisableVideoAlsoDropsTheSubtitles)
{
    player->options.DisableVideo = true;
    const std::string clip = SubtitleClipPath(block).string();
    EXPECT_FALSE(player->Open(clip, &host, false));
    EXPECT_EQ(player->LastErrMsg(), clip + ": could not open codecs, no stream to play.");
}

} // namespace
} // namespace tovrel::test
