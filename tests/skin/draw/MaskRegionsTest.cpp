// Regions from mask pictures, checked against a pixel-by-pixel scan.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "platform/gdi/Gdi.h"
#include "skin/draw/MaskRegions.h"

#include <cstring>
#include <functional>

namespace tovrel::test {
namespace {

constexpr TskColor kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

void PaintMask(TskBitmap& mask, int w, int h, const std::function<bool(int, int)>& inside)
{
    mask.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask.Pixel(x, y) = inside(x, y) ? kBlack : kWhite;
}

std::vector<RECT> RectsOf(const std::vector<std::uint8_t>& data)
{
    RGNDATAHEADER header;
    std::memcpy(&header, data.data(), sizeof(header));
    EXPECT_EQ(header.dwSize, 32u);
    EXPECT_EQ(header.iType, RDH_RECTANGLES);
    EXPECT_EQ(data.size(), 32u + 16u * header.nCount);
    std::vector<RECT> rects(header.nCount);
    std::memcpy(rects.data(), data.data() + 32, rects.size() * sizeof(RECT));
    return rects;
}

TEST(MaskRegions, RunsAreOnePerRowAndStopAtAnyNonBlackPixel)
{
    TskBitmap mask;
    PaintMask(mask, 10, 10, [](int, int) { return true; });
    auto rects = RectsOf(CreateRgnDataFromMask(mask, 0, 0));
    ASSERT_EQ(rects.size(), 10u);
    EXPECT_EQ(rects[3], Rect(0, 3, 10, 4));

    PaintMask(mask, 8, 2, [](int x, int y) { return y == 1 && (x <= 2 || x == 5 || x == 6); });
    mask.Pixel(1, 0) = SkColor(0, 0, 1, 255); // almost black is outside
    const auto data = CreateRgnDataFromMask(mask, 100, 50);
    rects = RectsOf(data);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], Rect(100, 51, 103, 52));
    EXPECT_EQ(rects[1], Rect(105, 51, 107, 52));
    RGNDATAHEADER header;
    std::memcpy(&header, data.data(), sizeof(header));
    EXPECT_EQ(header.rcBound, Rect(100, 50, 108, 52));

    PaintMask(mask, 5, 5, [](int, int) { return false; });
    EXPECT_EQ(CreateRgnDataFromMask(mask, 0, 0).size(), 32u);
    HRGN none = CreateMaskRegion(mask);
    ASSERT_NE(none, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(none, &box), NULLREGION);
    DeleteObject(ToGdiObj(none));
    EXPECT_EQ(CreateMaskRegion(TskBitmap{}), nullptr);
}

TEST(MaskRegions, MaskRegionMatchesTheMaskPixelForPixelBeyondAnyRunLimit)
{
    // A checkerboard of 300 x 100 has 15000 runs, more than a fixed buffer of 10001.
    TskBitmap mask;
    PaintMask(mask, 300, 100, [](int x, int y) { return (x + y) % 2 == 0 || (x * 7 + y * 3) % 11 == 0; });
    HRGN rgn = CreateMaskRegion(mask);
    ASSERT_NE(rgn, nullptr);
    for (int y = -1; y <= 100; ++y)
        for (int x = -1; x <= 300; ++x) {
            const bool black = x >= 0 && y >= 0 && x < 300 && y < 100 && mask.Pixel(x, y) == kBlack;
            ASSERT_EQ(PtInRegion(rgn, x, y) != 0, black) << x << "," << y;
        }
    DeleteObject(ToGdiObj(rgn));
}

// A 20 x 16 frame mask: rounded-off corners and a notch in each edge piece.
struct TFrameMask : ::testing::Test {
    TskBitmap Mask;
    TskSkinCorners Skin{{6, 5}, {13, 4}, {5, 10}, {14, 11}, Rect(4, 3, 15, 12)};
    TFrameMask()
    {
        PaintMask(Mask, 20, 16, [](int x, int y) {
            const bool corner = (x + y < 3) || (19 - x + y < 3) || (x + 15 - y < 3) || (19 - x + 15 - y < 3);
            const bool notch =
                (y == 0 && (x == 8 || x == 9)) || (x == 0 && y == 7) || (x == 19 && y == 6) || (y == 15 && x == 10);
            return !corner && !notch;
        });
    }
};

TEST_F(TFrameMask, FrameRegionIsTheClientPlusTheTiledStripsPlacedAroundIt)
{
    const TSize sizes[] = {{20, 16}, {47, 39}, {27, 21}};
    for (const TSize& s : sizes) {
        const TskSkinCorners n = NewSkinCorners(Skin, TSize{20, 16}, s);
        HRGN rgn = CreateSkinRegion(Skin, n, Mask, s.cx, s.cy);
        ASSERT_NE(rgn, nullptr);
        TskBitmap top, left, right, bottom;
        CreateSkinMask(Skin, n, Mask, {top, left, right, bottom}, s.cx, s.cy);
        // The strips, read pixel by pixel where the frame places them.
        auto inStrip = [](const TskBitmap& strip, int x, int y) {
            return !strip.Empty() && x >= 0 && y >= 0 && x < strip.Width() && y < strip.Height() &&
                   (strip.Pixel(x, y) & 0x00FFFFFF) == 0;
        };
        const TRect& ncl = n.ClRect;
        for (int y = -1; y <= s.cy; ++y)
            for (int x = -1; x <= s.cx; ++x) {
                const bool expected = ncl.Contains(Point(x, y)) || inStrip(top, x, y) ||
                                      inStrip(bottom, x, y - ncl.Bottom) || inStrip(left, x, y - ncl.Top) ||
                                      inStrip(right, x - ncl.Right, y - ncl.Top);
                ASSERT_EQ(PtInRegion(rgn, x, y) != 0, expected) << x << "," << y << " at " << s.cx << "x" << s.cy;
            }
        DeleteObject(ToGdiObj(rgn));
    }
}

TEST_F(TFrameMask, StripsTileTheEdgesFromTheirNewPoints)
{
    const TskSkinCorners n = NewSkinCorners(Skin, TSize{20, 16}, TSize{41, 30});
    TskBitmap top, left, right, bottom;
    CreateSkinMask(Skin, n, Mask, {top, left, right, bottom}, 41, 30);
    ASSERT_EQ(top.Width(), 41);
    ASSERT_EQ(top.Height(), 3);
    ASSERT_EQ(left.Height(), n.ClRect.Height());
    // The top notch (columns 8, 9 of the piece starting at 6) repeats every 7 columns.
    for (int x = 6; x < n.RTPt.X; ++x) {
        const int inPiece = 6 + (x - 6) % 7;
        EXPECT_EQ(top.Pixel(x, 0), (inPiece == 8 || inPiece == 9) ? kWhite : kBlack) << x;
    }
    // The left strip tiles piece rows 5..9 (notch at mask row 7) from its own
    // row 0, not from the corner point; mask rows 3..4 then cover its first two
    // rows and rows 10..11 its last two.
    for (int r = 0; r < left.Height(); ++r) {
        const int maskRow = r < 2 ? 3 + r : r >= left.Height() - 2 ? 10 + (r - (left.Height() - 2)) : 5 + r % 5;
        EXPECT_EQ(left.Pixel(0, r), Mask.Pixel(0, maskRow)) << r;
    }
    EXPECT_EQ(left.Pixel(0, 2), kWhite);
    EXPECT_EQ(left.Pixel(0, 5), kBlack);
}

TEST_F(TFrameMask, TooSmallForTheCornersGivesNoRegionAndNoTopBandStillHasTheBottom)
{
    const TskSkinCorners tiny = NewSkinCorners(Skin, TSize{20, 16}, TSize{10, 16});
    EXPECT_EQ(CreateSkinRegion(Skin, tiny, Mask, 10, 16), nullptr);

    TskSkinCorners noTop = Skin;
    noTop.ClRect.Top = 0;
    const TskSkinCorners n = NewSkinCorners(noTop, TSize{20, 16}, TSize{30, 20});
    HRGN rgn = CreateSkinRegion(noTop, n, Mask, 30, 20);
    ASSERT_NE(rgn, nullptr);
    EXPECT_TRUE(PtInRegion(rgn, 3, 19 - 0)); // a bottom-band pixel (mask row 15, column 3)
    EXPECT_FALSE(PtInRegion(rgn, 0, 19));    // the rounded-off bottom-left corner
    DeleteObject(ToGdiObj(rgn));
}

} // namespace
} // namespace tovrel::test
