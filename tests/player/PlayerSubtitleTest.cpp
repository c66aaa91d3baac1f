// Bitmap subtitles end to end: decoded, queued and blended into the shown pictures.
#include "platform/rtl/MainThread.h"
#include "player/Player.h"

#include "PlayerTestSupport.h"
#include "SubtitleClip.h"

#include <memory>

namespace tovrel::test {
namespace {

class TNotifyingHost : public TPlayerHost {
public:
    TSize ClientSize() const override { return {320, 240}; }
    void PictureChanged(const TRect&) override { TMainThread::WakeWaiters(); }
};

class SubtitleTest : public TPlayerLibrariesTest {
protected:
    std::unique_ptr<TFFPlayer> player = std::make_unique<TFFPlayer>();
    TNotifyingHost host;
    const TSubtitleBlock block;
    void TearDown() override
    {
        player.reset();
        TPlayerLibrariesTest::TearDown();
    }
    // Green byte of the surface pixel (the picture is grey, the block white).
    int GreenAt(int x, int y) const
    {
        int green = -1;
        player->Surface().Read([&](const TSurface& surface, std::int64_t) {
            if (x < surface.Width() && y < surface.Height())
                green = surface.ScanLine(y)[x * 4 + 1];
        });
        return green;
    }
};

TEST_F(SubtitleTest, TheBlockIsBlendedIntoThePicturesWhileItShows)
{
    const std::string clip = SubtitleClipPath(block).string();
    ASSERT_TRUE(player->Open(clip, &host, false)) << player->LastErrMsg();
    EXPECT_GE(player->SubtitleStreamIndex(), 0);
    const int inside = block.x + block.width / 2, insideY = block.y + block.height / 2;
    EXPECT_TRUE(WaitUntil([&] { return GreenAt(inside, insideY) > 200; }));
    EXPECT_LT(GreenAt(block.x - 10, insideY), 40) << "beside the block the picture stays dark";
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
