// TskBitmap: sizing, registry, flags, alpha, colour adjustments and drawing.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "platform/gdi/Gdi.h"
#include "skin/draw/PixelRoutines.h"
#include "skin/draw/SkinBitmapLink.h"

namespace tovrel::test {
namespace {

using test::CoordColor;
using test::FillWithCoordinates;
using test::SourceOf;

TEST(SkinBitmap, SetSizeTakesAbsoluteValuesAndIgnoresZeroAndRepeats)
{
    TskBitmap b;
    EXPECT_TRUE(b.Empty());
    b.SetSize(0, 10);
    b.SetSize(10, 0);
    EXPECT_TRUE(b.Empty());
    b.SetSize(-3, -4);
    ASSERT_FALSE(b.Empty());
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(b.Pixel(2, 3), 0u);
    b.Pixel(1, 1) = 0x12345678;
    HDC dc = b.DC();
    b.SetSize(3, 4); // same size: nothing happens
    EXPECT_EQ(b.Pixel(1, 1), 0x12345678u);
    EXPECT_EQ(b.DC(), dc);
    EXPECT_THROW(b.SetSize(1 << 20, 1 << 20), EskBitmapError);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(TskBitmap::FindBitmapByDC(dc), nullptr);
}

TEST(SkinBitmap, RegistryFollowsEveryResizeAndDestruction)
{
    HDC oldDC;
    {
        TskBitmap b;
        b.SetSize(2, 2);
        oldDC = b.DC();
        b.SetSize(5, 5);
        EXPECT_EQ(TskBitmap::FindBitmapByDC(oldDC), nullptr);
        EXPECT_EQ(TskBitmap::FindBitmapByDC(b.DC()), &b);
        oldDC = b.DC();
    }
    EXPECT_EQ(TskBitmap::FindBitmapByDC(oldDC), nullptr);
    TskBitmap later;
    later.SetSize(1, 1);
    EXPECT_EQ(TskBitmap::FindBitmapByDC(later.DC()), &later);
}

TEST(SkinBitmap, CheckingFlagsReadThePixels)
{
    TskBitmap b;
    b.CheckingAlphaBlend();
    EXPECT_FALSE(b.AlphaBlend);
    b.SetSize(3, 1);
    b.Pixel(0, 0) = 0xFF000000;
    b.CheckingAlphaBlend();
    EXPECT_FALSE(b.AlphaBlend);
    b.Pixel(1, 0) = 0x80000000;
    b.CheckingAlphaBlend();
    EXPECT_TRUE(b.AlphaBlend);

    const TskColor key = SkColor(100, 100, 100, 255);
    b.Pixel(0, 0) = SkColor(105, 95, 105, 200);  // 5 off in each channel
    b.Pixel(1, 0) = SkColor(106, 100, 100, 255); // 6 off in one
    b.Pixel(2, 0) = SkColor(100, 100, 94, 255);
    b.CheckingTransparent(key);
    EXPECT_TRUE(b.Transparent);
    EXPECT_EQ(b.Pixel(0, 0), TransparentKeyColor);
    EXPECT_EQ(b.Pixel(1, 0), SkColor(106, 100, 100, 255));
    EXPECT_EQ(b.Pixel(2, 0), SkColor(100, 100, 94, 255));
}

TEST(SkinBitmap, SetAlphaAndFillRectAreClippedToTheBitmap)
{
    TskBitmap b;
    b.SetSize(4, 3);
    b.Clear(0xFF102030);
    const TRect nothing[] = {Rect(4, 0, 8, 3), Rect(0, 3, 4, 5), Rect(-5, -5, -1, -1), Rect(1, 1, 1, 3)};
    for (const TRect& r : nothing) {
        b.SetAlpha(0x40, r);
        b.FillRect(r, 0);
    }
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(b.Pixel(x, y), 0xFF102030u);
    b.SetAlpha(0x40, Rect(-2, 2, 2, 9));
    EXPECT_EQ(b.Pixel(0, 2), 0x40102030u);
    EXPECT_EQ(b.Pixel(1, 2), 0x40102030u);
    EXPECT_EQ(b.Pixel(2, 2), 0xFF102030u);
    EXPECT_EQ(b.Pixel(1, 1), 0xFF102030u);

    b.FillRect(Rect(3, -1, 9, 1), 0x80FFFFFF); // plain fill: all four bytes
    EXPECT_EQ(b.Pixel(3, 0), 0x80FFFFFFu);
    b.AlphaBlend = true; // blended fill over white gives 254
    b.Clear(0xFFFFFFFF);
    b.FillRect(Rect(0, 0, 1, 1), 0x80FFFFFF);
    EXPECT_EQ(b.Pixel(0, 0), 0xFFFEFEFEu);
}

TEST(SkinBitmap, ReflectionsFadeAlphaDownToTheMiddle)
{
    TskBitmap one;
    one.SetSize(1, 1);
    one.Pixel(0, 0) = 0xF0123456;
    one.Reflection();
    EXPECT_EQ(one.Pixel(0, 0), 0x50123456u); // 240 div 3

    TskBitmap b;
    b.SetSize(1, 4);
    for (int y = 0; y < 4; ++y)
        b.Pixel(0, y) = SkColor(std::uint8_t(y), 0, 0, 200);
    b.Pixel(0, 0) = 0; // transparent pixels stay so
    b.Reflection3();
    // Flipped: rows 3, 2, 1, 0; factors 1, 0.5, 0, -0.5.
    EXPECT_EQ(b.Pixel(0, 0), SkColor(3, 0, 0, 100));
    EXPECT_EQ(b.Pixel(0, 1), SkColor(2, 0, 0, 50));
    EXPECT_EQ(b.Pixel(0, 2), SkColor(1, 0, 0, 0));
    EXPECT_EQ(b.Pixel(0, 3), 0u);
}

TEST(SkinBitmap, HueSaturationAndBrightnessKeepAlphaAndSkipHoles)
{
    TskBitmap b;
    b.SetSize(3, 1);
    b.Pixel(0, 0) = SkColor(255, 0, 0, 128);
    b.Pixel(1, 0) = SkColor(0, 0, 255, 0);
    b.Pixel(2, 0) = SkColor(100, 150, 200, 255);
    b.ChangeBitmapHue(0);
    b.ChangeBitmapSat(0);
    b.ChangeBitmapBrightness(0);
    EXPECT_EQ(b.Pixel(2, 0), SkColor(100, 150, 200, 255));

    b.SetBitmapHue(85); // a third of the circle: red becomes green
    EXPECT_EQ(b.Pixel(0, 0), SkColor(0, 255, 0, 128));
    EXPECT_EQ(b.Pixel(1, 0), SkColor(0, 0, 255, 0));
    b.ChangeBitmapHue(85); // green becomes blue
    EXPECT_EQ(b.Pixel(0, 0), SkColor(0, 0, 255, 128));
    b.ChangeBitmapSat(-255); // saturation 0: grey of the same lightness
    EXPECT_EQ(b.Pixel(0, 0), SkColor(128, 128, 128, 128));
    b.ChangeBitmapBrightness(-130); // clamped at 0
    EXPECT_EQ(b.Pixel(0, 0), SkColor(0, 0, 0, 128));
    EXPECT_EQ(b.Pixel(1, 0), SkColor(0, 0, 255, 0));
}

TEST(SkinBitmap, TileCutsTheLastCellsFromTheSourceTopLeft)
{
    TskBitmap src, dst;
    FillWithCoordinates(src, 10, 10);
    dst.SetSize(30, 14);
    src.Tile(dst, Rect(1, 1, 26, 13), Rect(0, 0, 10, 10));
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 1 && x < 26 && y >= 1 && y < 13;
            const TPoint expected = inside ? TPoint{(x - 1) % 10, (y - 1) % 10} : TPoint{-1, -1};
            ASSERT_EQ(SourceOf(dst.Pixel(x, y)), expected) << x << "," << y;
        }
}

TEST(SkinBitmap, DrawOntoAnotherBitmapsDCHonoursItsWindowOrigin)
{
    TskBitmap src, dst;
    FillWithCoordinates(src, 4, 4);
    dst.SetSize(8, 8);
    SetWindowOrgEx(dst.DC(), 2, 3, nullptr);
    src.Draw(dst.DC(), 5, 6, Rect(1, 1, 3, 3));
    EXPECT_EQ(SourceOf(dst.Pixel(3, 3)), (TPoint{1, 1}));
    EXPECT_EQ(SourceOf(dst.Pixel(4, 4)), (TPoint{2, 2}));
    EXPECT_EQ(dst.Pixel(5, 5), 0u);
}

TEST(SkinBitmap, DrawOntoAPlainDCBlendsThroughATemporaryBitmap)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateCompatibleBitmap(dc, 4, 4);
    SelectObject(dc, ToGdiObj(target));
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    const RECT all = Rect(0, 0, 4, 4);
    tovrel::FillRect(dc, &all, white);
    TskBitmap src;
    src.SetSize(2, 2);
    src.Clear(0x80FFFFFF);
    src.AlphaBlend = true;
    src.Draw(dc, 1, 1);
    TskBitmap back;
    back.AssignBitmap(target);
    EXPECT_EQ(back.Pixel(1, 1), 0xFFFEFEFEu);
    EXPECT_EQ(back.Pixel(0, 0), 0xFFFFFFFFu);
    DeleteDC(dc);
    DeleteObject(ToGdiObj(target));
    DeleteObject(ToGdiObj(white));
}

TEST(SkinBitmap, MergeDrawPutsTheSourceBehind)
{
    TskBitmap src, dst;
    FillWithCoordinates(src, 3, 3);
    dst.SetSize(3, 3);
    dst.Pixel(1, 1) = 0xFF000000;
    dst.Pixel(2, 2) = 0x80FFFFFF;
    dst.MergeDraw(src, 0, 0, Rect(-1, 0, 3, 3)); // a negative left moves the target right
    EXPECT_EQ(SourceOf(dst.Pixel(1, 0)), (TPoint{0, 0}));
    EXPECT_EQ(dst.Pixel(0, 0), 0u);
    EXPECT_EQ(dst.Pixel(1, 1), 0xFF000000u);
    EXPECT_EQ(dst.Pixel(2, 2), PlainBlendPixel(0x80FFFFFF, CoordColor(1, 2)));
}

TEST(SkinBitmap, LinkDrawsItsRectangleAndChecksMaskByRegion)
{
    TskBitmap img, dst;
    FillWithCoordinates(img, 6, 6);
    dst.SetSize(4, 4);
    auto link = GetBitmapLink(img, Rect(2, 2, 4, 5));
    link->Draw(dst, 1, 0);
    EXPECT_EQ(SourceOf(dst.Pixel(1, 0)), (TPoint{2, 2}));
    EXPECT_EQ(SourceOf(dst.Pixel(2, 2)), (TPoint{3, 4}));
    EXPECT_EQ(dst.Pixel(3, 0), 0u);

    EXPECT_EQ(GetBitmapLink(img, "1, 2, 3, 4")->Rect, Rect(1, 2, 3, 4));
    EXPECT_FALSE(GetBitmapLink(img, "1, 2, 3")->Assigned());

    link->Rect = Rect(0, 0, 4, 4);
    link->CheckingMasked();
    EXPECT_FALSE(link->Masked);
    img.Pixel(0, 0) = 0x80000000; // a corner
    img.Pixel(3, 2) = MaskIgnoreColor;
    link->CheckingMasked();
    EXPECT_TRUE(link->Masked);
    link->CheckingMasked(Rect(1, 1, 1, 1));
    EXPECT_TRUE(link->MaskedAngles);
    EXPECT_FALSE(link->MaskedBorder);
    EXPECT_FALSE(link->Masked);
    link->CheckingMasked(Rect(0, 0, 0, 5)); // not all zero: the region path (bottom edge band)
    EXPECT_TRUE(link->MaskedBorder);
    EXPECT_FALSE(link->Masked);
}

} // namespace
} // namespace tovrel::test
