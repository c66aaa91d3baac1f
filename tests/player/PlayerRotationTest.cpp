// Portrait phone video: the pictures are stored turned, and the video stream's
// display matrix says how to show them. Every picture that leaves the player
// (the surface, CurrentFrame) and the size it reports are upright.
#include "player/Playback.h"
#include "player/Player.h"
#include "player/VideoRotation.h"

#include "PlayerClips.h"
#include "PlayerTestSupport.h"

#include <cstdint>
#include <functional>

extern "C" {
#include <libavutil/display.h>
}

namespace tovrel::test {
namespace {

// The quadrants of a picture in clockwise order: a clockwise quarter turn moves a mark one place on.
constexpr int QuadrantX[4] = {1, 3, 3, 1}, QuadrantY[4] = {1, 1, 3, 3}; // centres, in quarters of the side

// The quadrant whose centre is bright; -1 when not exactly one is.
int BrightQuadrant(const std::function<int(int x, int y)>& green, const TRect& picture)
{
    int bright = -1;
    for (int q = 0; q < 4; ++q) {
        const int x = picture.Left + picture.Width() * QuadrantX[q] / 4;
        const int y = picture.Top + picture.Height() * QuadrantY[q] / 4;
        if (green(x, y) > 128) {
            if (bright >= 0)
                return -1;
            bright = q;
        }
    }
    return bright;
}

class RotationTest : public TPlayerOnHostTest {};

TEST_F(RotationTest, TheDisplayMatrixGivesAQuarterTurnOrNone)
{
    struct Case {
        const char* name;
        double set; // the turn written with the library's setter
        std::size_t size;
        int upright;
    };
    const Case cases[] = {
        {"none", 0, 36, 0},
        {"quarter", 90, 36, 90},
        {"half", 180, 36, 180},
        {"three quarters", 270, 36, 270},
        {"minus a quarter", -90, 36, 270},
        {"not a quarter turn", 45, 36, 0},
        {"short side data", 90, 32, 0},
    };
    for (const Case& c : cases) {
        std::int32_t matrix[9];
        av_display_rotation_set(matrix, c.set);
        EXPECT_EQ(UprightRotation(reinterpret_cast<const std::uint8_t*>(matrix), c.size), c.upright) << c.name;
    }
    const std::int32_t singular[9] = {};
    EXPECT_EQ(UprightRotation(reinterpret_cast<const std::uint8_t*>(singular), sizeof singular), 0);
    EXPECT_EQ(UprightRotation(nullptr, 0), 0);
}

TEST_F(RotationTest, TurnedPicturesLeaveThePlayerUpright)
{
    struct Case {
        int rotation;
        int width, height; // upright
    };
    for (const Case& c : {Case{0, 320, 240}, Case{90, 240, 320}, Case{180, 320, 240}, Case{270, 240, 320}}) {
        SCOPED_TRACE(c.rotation);
        const int marked = c.rotation / 90; // the stored picture's top-left quadrant, turned
        int reportedWidth = 0, reportedHeight = 0;
        bool paused = false;
        player->SetOnState([&](TCustomPlayer*, TPlayState state) { paused = paused || state == psPause; });
        player->SetOnFileOpen([&](TCustomPlayer*, std::int64_t, int frameWidth, int frameHeight, int&, int&) {
            reportedWidth = frameWidth;
            reportedHeight = frameHeight;
        });
        ASSERT_TRUE(player->Open(RotatedClipPath(c.rotation).string(), &host, true)) << player->LastErrMsg();
        EXPECT_EQ(reportedWidth, c.width);
        EXPECT_EQ(reportedHeight, c.height);
        // A paused open reports the pause once both picture slots hold a picture.
        ASSERT_TRUE(WaitUntil([&] {
            std::int64_t shown = -1;
            player->Surface().Read([&](const TSurface&, std::int64_t pts) { shown = pts; });
            return shown >= 0 && paused;
        }));

        // On the 320x240 surface the picture keeps its upright shape, letterboxed.
        const TRect shown = LetterboxRect(320, 240, double(c.width) / c.height);
        EXPECT_EQ(BrightQuadrant([&](int x, int y) { return GreenAt(*player, x, y); }, shown), marked);

        const TSurface& frame = player->CurrentFrame();
        EXPECT_EQ(frame.Width(), c.width);
        EXPECT_EQ(frame.Height(), c.height);
        EXPECT_EQ(BrightQuadrant([&](int x, int y) { return int(frame.ScanLine(y)[x * frame.BytesPerPixel() + 1]); },
                                 TRect{0, 0, frame.Width(), frame.Height()}),
                  marked);
        player->Stop(true);
    }
}

} // namespace
} // namespace tovrel::test
