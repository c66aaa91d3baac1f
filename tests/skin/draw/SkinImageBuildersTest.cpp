// Image builders on a picture whose pixels name their own coordinates.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "skin/data/SkinTypes.h"
#include "skin/draw/SkinImageBuilders.h"

#include <functional>
#include <vector>

namespace tovrel::test {
namespace {

using test::FillWithCoordinates;
using test::SourceOf;

// A 20 x 16 skin rectangle at (5, 3) of a 40 x 30 picture, with L-shaped corners.
const TRect kSkinRect = Rect(5, 3, 25, 19);
const TskSkinCorners kSkin{{6, 5}, {13, 4}, {5, 10}, {14, 11}, Rect(4, 3, 15, 12)};

struct TBuilderFixture : ::testing::Test {
    TskBitmap Picture;
    TBuilderFixture() { FillWithCoordinates(Picture, 40, 30); }
    static TskSkinCorners Fresh(int w, int h) { return NewSkinCorners(kSkin, TSize{20, 16}, TSize{w, h}); }
};

// The tiled nine-slice as the paint order says it should come out: each piece
// maps a destination pixel to a source pixel (modulo the piece length when
// tiled); later pieces overwrite earlier ones.
struct TExpectedImage {
    int W, H;
    std::vector<TPoint> Pixels;
    TExpectedImage(int w, int h) : W(w), H(h), Pixels(std::size_t(w * h), TPoint{-1, -1}) {}
    void Paint(TRect dst, const std::function<TPoint(int, int)>& source)
    {
        for (int y = std::max(dst.Top, 0); y < std::min(dst.Bottom, H); ++y)
            for (int x = std::max(dst.Left, 0); x < std::min(dst.Right, W); ++x)
                Pixels[std::size_t(y * W + x)] = source(x, y);
    }
    // A piece at (sx, sy) of size sw x sh; along x, along y, or both, repeated.
    void Piece(TRect dst, int sx, int sy, int sw, int sh)
    {
        if (sw <= 0 || sh <= 0)
            return;
        Paint(dst, [=](int x, int y) {
            return TPoint{kSkinRect.Left + sx + (x - dst.Left) % sw, kSkinRect.Top + sy + (y - dst.Top) % sh};
        });
    }
};

TExpectedImage TiledNineSlice(int w, int h)
{
    const TskSkinCorners n = TBuilderFixture::Fresh(w, h);
    const TskSkinCorners& g = kSkin;
    const TRect &cl = g.ClRect, &ncl = n.ClRect;
    TExpectedImage e(w, h);
    e.Piece(Rect(n.LTPt.X, 0, n.RTPt.X, ncl.Top), g.LTPt.X, 0, g.RTPt.X - g.LTPt.X, cl.Top);
    e.Piece(Rect(n.LBPt.X, ncl.Bottom, n.RBPt.X, h), g.LBPt.X, cl.Bottom, g.RBPt.X - g.LBPt.X, 16 - cl.Bottom);
    e.Piece(Rect(0, n.LTPt.Y, ncl.Left, n.LBPt.Y), 0, g.LTPt.Y, cl.Left, g.LBPt.Y - g.LTPt.Y);
    e.Piece(Rect(ncl.Right, n.RTPt.Y, w, n.RBPt.Y), cl.Right, g.RTPt.Y, 20 - cl.Right, g.RBPt.Y - g.RTPt.Y);
    e.Piece(Rect(0, 0, n.LTPt.X, ncl.Top), 0, 0, 99, 99);
    e.Piece(Rect(0, ncl.Top, ncl.Left, n.LTPt.Y), 0, cl.Top, 99, 99);
    e.Piece(Rect(n.RTPt.X, 0, w, ncl.Top), g.RTPt.X, 0, 99, 99);
    e.Piece(Rect(ncl.Right, ncl.Top, w, n.RTPt.Y), cl.Right, cl.Top, 99, 99);
    e.Piece(Rect(0, n.LBPt.Y, ncl.Left, h), 0, g.LBPt.Y, 99, 99);
    e.Piece(Rect(ncl.Left, ncl.Bottom, n.LBPt.X, h), cl.Left, cl.Bottom, 99, 99);
    e.Piece(Rect(n.RBPt.X, ncl.Bottom, w, h), g.RBPt.X, cl.Bottom, 99, 99);
    e.Piece(Rect(ncl.Right, n.RBPt.Y, w, ncl.Bottom), cl.Right, g.RBPt.Y, 99, 99);
    e.Piece(ncl, cl.Left, cl.Top, cl.Width(), cl.Height());
    return e;
}

void ExpectImage(const TskBitmap& b, const TExpectedImage& e)
{
    ASSERT_EQ(b.Width(), e.W);
    ASSERT_EQ(b.Height(), e.H);
    for (int y = 0; y < e.H; ++y)
        for (int x = 0; x < e.W; ++x)
            ASSERT_EQ(SourceOf(b.Pixel(x, y)), e.Pixels[std::size_t(y * e.W + x)])
                << "pixel " << x << "," << y << " of " << e.W << "x" << e.H;
}

TEST_F(TBuilderFixture, TiledNineSliceFollowsTheTilingRuleAtEverySize)
{
    // Own size; 2.5-piece spans; exact multiples of the edge pieces (7 across,
    // 5 down on the left); smaller than the corners together.
    const TSize sizes[] = {{20, 16}, {31, 26}, {27, 21}, {9, 7}, {21, 17}, {60, 3}};
    for (const TSize& s : sizes) {
        TskBitmap b;
        CreateSkinImage(kSkin, Fresh(s.cx, s.cy), b, Picture, kSkinRect, s.cx, s.cy, true, TskStretchFlags{});
        ExpectImage(b, TiledNineSlice(s.cx, s.cy));
    }
}

TEST_F(TBuilderFixture, OwnSizeReproducesTheSkinRectangleWhateverTheFlags)
{
    TskStretchFlags stretched;
    stretched.LeftStretch = stretched.TopStretch = stretched.RightStretch = stretched.BottomStretch = true;
    stretched.StretchEffect = true;
    for (TskStretchType type : {TskStretchType::skstFull, TskStretchType::skstHorz, TskStretchType::skstVert}) {
        stretched.StretchType = type;
        TskBitmap b;
        CreateSkinImage2(kSkin, kSkin, b, Picture, kSkinRect, 20, 16, true, stretched);
        ExpectImage(b, TiledNineSlice(20, 16));
    }
    TskBitmap s;
    s.SetSize(20, 16);
    CreateStretchImage(s, Picture, kSkinRect, kSkin.ClRect, true);
    ExpectImage(s, TiledNineSlice(20, 16));
}

TEST_F(TBuilderFixture, StripStretchedMiddleRepeatsInsideTheClientOnly)
{
    TskStretchFlags flags;
    flags.StretchEffect = true;
    flags.StretchType = TskStretchType::skstHorz;
    TskBitmap b;
    const int w = 20 + 14, h = 16; // new client 25 wide: strips of 11, 11 and a cut one of 3
    CreateSkinImage(kSkin, Fresh(w, h), b, Picture, kSkinRect, w, h, true, flags);
    const TExpectedImage frame = TiledNineSlice(w, h);
    const TRect ncl = Fresh(w, h).ClRect;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TPoint got = SourceOf(b.Pixel(x, y));
            if (!ncl.Contains(Point(x, y))) {
                ASSERT_EQ(got, frame.Pixels[std::size_t(y * w + x)]) << x << "," << y;
                continue;
            }
            // Same height: the strip is the middle piece itself, repeated across.
            ASSERT_EQ(got, (TPoint{kSkinRect.Left + 4 + (x - ncl.Left) % 11, kSkinRect.Top + y}));
        }

    TskBitmap noClient;
    CreateSkinImage(kSkin, Fresh(w, h), noClient, Picture, kSkinRect, w, h, false, flags);
    EXPECT_EQ(noClient.Pixel(ncl.Left + 5, ncl.Top + 2), 0u);
}

TEST_F(TBuilderFixture, FullStretchScalesTheMiddleAcrossTheWholeClient)
{
    TskStretchFlags flags;
    flags.StretchEffect = true;
    TskBitmap b;
    CreateSkinImage(kSkin, Fresh(42, 34), b, Picture, kSkinRect, 42, 34, true, flags);
    const TRect ncl = Fresh(42, 34).ClRect;
    EXPECT_EQ(SourceOf(b.Pixel(ncl.Left, ncl.Top)), (TPoint{5 + 4, 3 + 3}));
    EXPECT_EQ(SourceOf(b.Pixel(ncl.Right - 1, ncl.Bottom - 1)), (TPoint{5 + 14, 3 + 11}));
}

TEST_F(TBuilderFixture, NineSliceWithoutRightColumnRunsOnToTheEnd)
{
    TskBitmap b;
    CreateSkinImage3(kSkin, Fresh(30, 16), b, Picture, kSkinRect, 30, 16, true, TskStretchFlags{});
    // Top edge from LTPt.X = 6 to the end, in pieces of 7: columns 6, 13, 20, 27.
    for (int x = 6; x < 30; ++x)
        ASSERT_EQ(SourceOf(b.Pixel(x, 0)), (TPoint{5 + 6 + (x - 6) % 7, 3})) << x;
    // Middle from ClRect.Left = 4 to the end, in pieces of 11.
    EXPECT_EQ(SourceOf(b.Pixel(29, 5)), (TPoint{5 + 4 + (29 - 4) % 11, 3 + 5}));
}

TEST_F(TBuilderFixture, ThreePieceImagesKeepTheirEndsAndTileFromTheRightStart)
{
    TskBitmap b;
    CreateHSkinImage(3, 4, b, Picture, kSkinRect, 7, false); // ends side by side, no middle
    ASSERT_EQ(b.Width(), 7);
    ASSERT_EQ(b.Height(), 16);
    EXPECT_EQ(SourceOf(b.Pixel(2, 5)), (TPoint{5 + 2, 3 + 5}));
    EXPECT_EQ(SourceOf(b.Pixel(3, 5)), (TPoint{5 + 16, 3 + 5}));

    CreateHSkinImage(3, 4, b, Picture, kSkinRect, 40, false); // middle 13 wide over 33
    for (int x = 3; x < 36; ++x)
        ASSERT_EQ(SourceOf(b.Pixel(x, 0)), (TPoint{5 + 3 + (x - 3) % 13, 3})) << x;
    EXPECT_EQ(SourceOf(b.Pixel(39, 0)), (TPoint{5 + 19, 3}));

    CreateHSkinImage2(3, 4, b, Picture, kSkinRect, 40, false);
    EXPECT_EQ(SourceOf(b.Pixel(39, 0)), (TPoint{5 + 3 + 36 % 13, 3}));

    CreateHSkinImage3(3, 4, b, Picture, kSkinRect, 30, false);
    for (int x = 0; x < 30; ++x)
        ASSERT_EQ(SourceOf(b.Pixel(x, 1)), (TPoint{5 + 3 + x % 13, 4})) << x;

    CreateVSkinImage(2, 5, b, Picture, kSkinRect, 30, false);
    ASSERT_EQ(b.Width(), 20);
    ASSERT_EQ(b.Height(), 30);
    for (int y = 2; y < 25; ++y)
        ASSERT_EQ(SourceOf(b.Pixel(1, y)), (TPoint{6, 3 + 2 + (y - 2) % 9})) << y;
    EXPECT_EQ(SourceOf(b.Pixel(1, 29)), (TPoint{6, 3 + 15}));

    CreateHSkinImage(3, 4, b, Picture, kSkinRect, 0, false);
    EXPECT_TRUE(b.Empty());
}

TEST_F(TBuilderFixture, BorderStripsStartTilingAtTheirOwnStart)
{
    const int w = 31, h = 26;
    const TskSkinCorners n = Fresh(w, h);
    TskBitmap left, top, right, bottom;
    CreateSkinBorderImages(kSkin, n, TskBorderImages<TskBitmap>{left, top, right, bottom}, Picture, kSkinRect, w, h,
                           TskStretchFlags{});
    ASSERT_EQ(top.Width(), w);
    ASSERT_EQ(top.Height(), 3);
    ASSERT_EQ(bottom.Height(), h - n.ClRect.Bottom);
    ASSERT_EQ(left.Width(), 4);
    ASSERT_EQ(left.Height(), h - 3 - bottom.Height());
    ASSERT_EQ(right.Width(), 5);
    // Top: corners over tiles that start at column 0.
    EXPECT_EQ(SourceOf(top.Pixel(5, 1)), (TPoint{5 + 5, 3 + 1}));         // left corner
    EXPECT_EQ(SourceOf(top.Pixel(8, 1)), (TPoint{5 + 6 + 8 % 7, 3 + 1})); // tile phase from 0
    EXPECT_EQ(SourceOf(top.Pixel(30, 2)), (TPoint{5 + 19, 3 + 2}));       // right corner
    // Left: ClRect.Top..LTPt.Y on top (2 rows), then LBPt.Y..ClRect.Bottom (2 rows) at the end.
    EXPECT_EQ(SourceOf(left.Pixel(0, 0)), (TPoint{5, 3 + 3}));
    EXPECT_EQ(SourceOf(left.Pixel(0, 2)), (TPoint{5, 3 + 5 + 2 % 5}));
    EXPECT_EQ(SourceOf(left.Pixel(1, left.Height() - 1)), (TPoint{6, 3 + 11}));

    // No top band: no top strip, the sides span everything above the bottom strip.
    TskSkinCorners flat = kSkin;
    flat.ClRect.Top = 0;
    TskBitmap l2, t2, r2, b2;
    CreateSkinBorderImages(flat, NewSkinCorners(flat, TSize{20, 16}, TSize{w, h}),
                           TskBorderImages<TskBitmap>{l2, t2, r2, b2}, Picture, kSkinRect, w, h, TskStretchFlags{});
    EXPECT_TRUE(t2.Empty());
    EXPECT_EQ(l2.Height(), h - b2.Height());
}

TEST_F(TBuilderFixture, EmptyPictureOrCoincidingCornersOnlySizeTheImage)
{
    TskBitmap empty, b;
    CreateSkinImage(kSkin, Fresh(30, 20), b, empty, kSkinRect, 30, 20, true, TskStretchFlags{});
    EXPECT_EQ(b.Width(), 30);
    EXPECT_EQ(b.Pixel(0, 0), 0u);
    TskSkinCorners degenerate = kSkin;
    degenerate.RBPt.X = degenerate.LTPt.X;
    CreateSkinImage(degenerate, Fresh(30, 20), b, Picture, kSkinRect, 30, 20, true, TskStretchFlags{});
    EXPECT_EQ(b.Pixel(0, 0), 0u);
}

} // namespace
} // namespace tovrel::test
