// TskEffectBmp colour effects, blurs, turns and mask effects against their numbers.
#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/EffectRandom.h"

namespace tovrel::test {
namespace {

TskEffectBmp Filled(int w, int h, std::uint32_t color)
{
    TskEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, color);
    return b;
}

// Pixel (x, y) = 0x00RRGGBB with red x * 16 + y, green y, blue 0x5A.
TskEffectBmp Numbered(int w, int h)
{
    TskEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, (std::uint32_t(x * 16 + y) << 16) | (std::uint32_t(y) << 8) | 0x5A);
    return b;
}

std::uint32_t Grey(int v)
{
    return std::uint32_t(v) * 0x010101u;
}

TEST(EffectBmp, RowsArePaddedToFourBytes)
{
    const int widths[] = {1, 2, 3, 4, 5};
    const int rows[] = {4, 8, 12, 12, 16};
    for (int i = 0; i < 5; ++i) {
        TskEffectBmp b(widths[i], 2);
        EXPECT_EQ(b.RowLength(), rows[i]);
        EXPECT_EQ(b.Size, rows[i] * 2);
    }
    TskEffectBmp none(0, 5), negative(-3, 2);
    EXPECT_EQ(none.Size, 0);
    EXPECT_EQ(negative.Width, 0);
}

TEST(EffectBmp, ColourEffectsGiveTheirNumbers)
{
    struct Case {
        const char* Name;
        std::uint32_t Before;
        void (*Apply)(TskEffectBmp&);
        std::uint32_t After;
    };
    const Case cases[] = {
        {"brightness 0.5 of black", 0x000000, [](TskEffectBmp& b) { b.ChangeBrightness(0.5); }, Grey(128)},
        {"brightness 0.5 of white", 0xFFFFFF, [](TskEffectBmp& b) { b.ChangeBrightness(0.5); }, Grey(255)},
        {"brightness 2 as 1", 0x102030, [](TskEffectBmp& b) { b.ChangeBrightness(2); }, Grey(255)},
        {"darkness 0.3", Grey(100), [](TskEffectBmp& b) { b.ChangeDarkness(0.3); }, Grey(70)},
        {"darkness of black", 0, [](TskEffectBmp& b) { b.ChangeDarkness(0.3); }, 0},
        {"grey of red", 0xFF0000, [](TskEffectBmp& b) { b.GrayScale(); }, Grey(76)},
        {"grey of blue", 0x0000FF, [](TskEffectBmp& b) { b.GrayScale(); }, Grey(28)},
        {"invert", 0x10E0FF, [](TskEffectBmp& b) { b.Invert(); }, 0xEF1F00},
        {"no noise", 0x123456, [](TskEffectBmp& b) { b.AddMonoNoise(0); }, 0x123456},
    };
    for (const Case& c : cases) {
        TskEffectBmp b = Filled(2, 2, c.Before);
        c.Apply(b);
        EXPECT_EQ(b.GetPixel(1, 1), c.After) << c.Name;
    }
}

TEST(EffectBmp, MonoNoiseMovesAllChannelsOfAPixelTogether)
{
    SetEffectRandomSeed(7);
    TskEffectBmp b = Filled(16, 4, Grey(100));
    b.AddMonoNoise(21);
    bool changed = false;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) {
            const std::uint32_t p = b.GetPixel(x, y);
            const int v = int(p & 0xFF);
            EXPECT_EQ(p, Grey(v));
            EXPECT_GE(v, 100 - 10);
            EXPECT_LE(v, 100 + 10);
            changed = changed || v != 100;
        }
    EXPECT_TRUE(changed);
}

TEST(EffectBmp, SplitBlurReadsReplacedPixelsAndNeverWrapsAround)
{
    TskEffectBmp one = Filled(1, 1, 0x123456);
    one.SplitBlur(1);
    EXPECT_EQ(one.GetPixel(0, 0), 0x123456u);

    TskEffectBmp b(3, 2);
    const int values[2][3] = {{0, 40, 80}, {120, 160, 200}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            b.SetPixel(x, y, Grey(values[y][x]));
    b.SplitBlur(1);
    // Worked by hand in scan order; a missing neighbour is the pixel's own row
    // or column, and replaced pixels are read with their new values:
    // (0,0) 0+120+40+160; (1,0) 80+120+80+200; (2,0) 120+160+80+200;
    // (0,1) 80+120+120+160; (1,1) 80+120+140+200; (2,1) 120+135+140+200.
    const int expected[2][3] = {{80, 120, 140}, {120, 135, 148}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(b.GetPixel(x, y), Grey(expected[y][x])) << x << "," << y;
}

TEST(EffectBmp, MosaicBlocksTakeTheirTopLeftPixel)
{
    TskEffectBmp b = Numbered(4, 4);
    const TskEffectBmp before = b;
    b.Mosaic(3);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(b.GetPixel(x, y), before.GetPixel(x < 3 ? 0 : 3, y < 3 ? 0 : 3)) << x << "," << y;
    TskEffectBmp empty(0, 0);
    empty.Mosaic(3);
    empty.SplitBlur(2);
    empty.Wave(2, 2, 3);
    EXPECT_EQ(empty.Size, 0);
}

TEST(EffectBmp, TurnsAndFlipsMapEveryPixel)
{
    const TskEffectBmp b = Numbered(3, 2);
    TskEffectBmp anti(2, 3), back(3, 2), flipped(3, 2);
    b.Rotate90_1(anti);
    EXPECT_EQ(anti.GetPixel(0, 2), b.GetPixel(0, 0)); // top row becomes the left column, from the bottom
    EXPECT_EQ(anti.GetPixel(1, 0), b.GetPixel(2, 1));
    anti.Rotate90_2(back);
    b.FlipVert(flipped);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(back.GetPixel(x, y), b.GetPixel(x, y));
            EXPECT_EQ(flipped.GetPixel(x, 1 - y), b.GetPixel(x, y));
        }
    TskEffectBmp small(1, 1);
    b.Rotate90_2(small); // pixels outside the target are not written
    EXPECT_EQ(small.GetPixel(0, 0), b.GetPixel(0, 1));
}

TEST(EffectBmp, ResizeWritesBlocksOfEachSourcePixel)
{
    const TskEffectBmp b = Numbered(2, 2);
    TskEffectBmp big(5, 5); // sx = sy = 2: blocks of 3 at 0 and 2; the later overwrites
    b.Resize(big);
    EXPECT_EQ(big.GetPixel(0, 0), b.GetPixel(0, 0));
    EXPECT_EQ(big.GetPixel(2, 2), b.GetPixel(1, 1));
    EXPECT_EQ(big.GetPixel(4, 0), b.GetPixel(1, 0));
    EXPECT_EQ(big.GetPixel(1, 4), b.GetPixel(0, 1));
}

TEST(EffectBmp, WaveShiftsBySinesAndOneByOneStays)
{
    TskEffectBmp one = Filled(1, 1, 0xABCDEF);
    one.Wave(1, 1, 10);
    EXPECT_EQ(one.GetPixel(0, 0), 0xABCDEFu);
    TskEffectBmp b = Numbered(6, 6);
    const TskEffectBmp copy = b;
    b.Wave(2, 3, 2);
    // (1, 3): e = Round(sin(1) * 2 + 1) = 3, f = Round(sin(0.5) * 2 + 3) = 4.
    EXPECT_EQ(b.GetPixel(1, 3), copy.GetPixel(3, 4));
}

TEST(EffectBmp, MaskEffectsSpareWhiteMaskPixels)
{
    TskEffectBmp image = Filled(3, 1, Grey(100));
    TskEffectBmp mask(3, 2); // black except a white middle pixel in row 0
    mask.SetPixel(1, 0, 0xFFFFFF);
    image.MaskFillColor(mask, TColor(RGB(255, 0, 0)), 0.5);
    EXPECT_EQ(image.GetPixel(1, 0), Grey(100));
    EXPECT_EQ(image.GetPixel(0, 0), 0xB23232u); // Round(127.5 + 50) = 178, Round(50) = 50
    TskEffectBmp narrow(2, 2);
    const TskEffectBmp before = image;
    image.MaskFillColor(narrow, 0, 1); // widths differ: nothing
    EXPECT_EQ(image.GetPixel(0, 0), before.GetPixel(0, 0));

    TskEffectBmp edge(3, 1);
    edge.SetPixel(0, 0, Grey(0));
    edge.SetPixel(1, 0, Grey(200));
    edge.SetPixel(2, 0, Grey(40));
    TskEffectBmp m(3, 1); // only pixel 2 white
    m.SetPixel(2, 0, 0xFFFFFF);
    edge.MaskAntialiasing(m, 1);
    EXPECT_EQ(edge.GetPixel(0, 0), Grey(0));                     // its samples (0, 1) are not white
    EXPECT_EQ(edge.GetPixel(1, 0), Grey((0 + 0 + 40 + 40) / 4)); // sample 2 is white
    EXPECT_EQ(edge.GetPixel(2, 0), Grey(40));                    // white: untouched
}

} // namespace
} // namespace tovrel::test
