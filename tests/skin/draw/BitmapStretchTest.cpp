// Copies and nearest-neighbour scaling between skin bitmaps and into sections.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "platform/gdi/Gdi.h"
#include "skin/draw/PixelRoutines.h"

#include <vector>

namespace tovrel::test {
namespace {

using test::FillWithCoordinates;
using test::SourceOf;

TEST(BitmapStretch, OnePixelSpansSampleTheMiddleAndFullSpansStartAtTheLeft)
{
    TskBitmap src, dst;
    FillWithCoordinates(src, 8, 8);
    dst.SetSize(10, 10);
    src.Draw(dst, Rect(0, 0, 1, 5), Rect(2, 1, 7, 6)); // middle column (2 + 7 - 1) div 2 = 4
    EXPECT_EQ(SourceOf(dst.Pixel(0, 0)), (TPoint{4, 1}));
    EXPECT_EQ(SourceOf(dst.Pixel(0, 4)), (TPoint{4, 5}));
    src.Draw(dst, Rect(2, 0, 9, 3), Rect(1, 0, 4, 8)); // 3 -> 7 columns, 8 -> 3 rows
    // fx = 2 / 6 as a float: columns 1 + Trunc(i / 3); fy = 7 / 2: rows Trunc(j * 3.5).
    const int columns[] = {1, 1, 1, 2, 2, 2, 3};
    const int rows[] = {0, 3, 7};
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 7; ++i)
            ASSERT_EQ(SourceOf(dst.Pixel(2 + i, j)), (TPoint{columns[i], rows[j]})) << i << "," << j;
}

TEST(BitmapStretch, ClippedDrawShowsTheSamePixelsAsTheWholeDraw)
{
    TskBitmap src;
    FillWithCoordinates(src, 9, 7);
    struct Case {
        TRect Dst, Src;
    };
    const Case cases[] = {
        {Rect(-3, -2, 6, 5), Rect(0, 0, 9, 7)},  // same size, partly outside
        {Rect(-4, 2, 13, 19), Rect(1, 1, 8, 6)}, // scaled up, outside on three sides
        {Rect(3, -5, 7, 4), Rect(0, 0, 9, 7)},   // scaled down
    };
    for (const Case& c : cases) {
        TskBitmap whole, clipped;
        whole.SetSize(40, 40);
        clipped.SetSize(10, 10);
        src.Draw(whole, Rect(c.Dst.Left + 10, c.Dst.Top + 10, c.Dst.Right + 10, c.Dst.Bottom + 10), c.Src);
        src.Draw(clipped, c.Dst, c.Src);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                ASSERT_EQ(clipped.Pixel(x, y), whole.Pixel(x + 10, y + 10)) << x << "," << y;
    }
}

TEST(BitmapStretch, SourceOutsideTheBitmapOrWithoutAreaDrawsNothing)
{
    TskBitmap src, dst;
    FillWithCoordinates(src, 4, 4);
    dst.SetSize(4, 4);
    const TRect sources[] = {Rect(-1, 0, 3, 3), Rect(0, 0, 5, 4), Rect(1, 1, 1, 3), Rect(0, 2, 4, 5)};
    for (const TRect& s : sources)
        src.Draw(dst, Rect(0, 0, 4, 4), s);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(dst.Pixel(x, y), 0u);
}

TEST(BitmapStretch, AlphaAndKeyedVariantsBlendAndSkipHoles)
{
    TskBitmap src, dst;
    src.SetSize(2, 1);
    src.Pixel(0, 0) = 0x80FFFFFF;
    src.Pixel(1, 0) = TransparentKeyColor;
    dst.SetSize(4, 1);
    dst.Clear(0xFFFFFFFF);
    src.AlphaBlend = true;
    src.Draw(dst, Rect(0, 0, 2, 1), Rect(0, 0, 1, 1)); // scaled
    EXPECT_EQ(dst.Pixel(1, 0), 0xFFFEFEFEu);
    src.AlphaBlend = false;
    src.Transparent = true;
    src.Draw(dst, 2, 0);
    EXPECT_EQ(dst.Pixel(2, 0), 0xFFFFFFFFu); // 0x80FFFFFF made opaque
    EXPECT_EQ(dst.Pixel(3, 0), 0xFFFFFFFFu); // hole
}

TEST(BitmapStretch, BottomUpSectionRowsRoundToNearest)
{
    TskBitmap src;
    FillWithCoordinates(src, 1, 2);
    std::vector<TskColor> memory(4, 0);
    // Source rows 0, 1/3, 2/3, 1 round to 0, 0, 1, 1; memory holds the bottom row first.
    PixelRoutines().StretchToDIBCopy(memory.data(), Rect(0, 0, 1, 4), Rect(0, 0, 1, 4), Rect(0, 0, 1, 2), &src, 4, 1);
    EXPECT_EQ(SourceOf(memory[3]), (TPoint{0, 0}));
    EXPECT_EQ(SourceOf(memory[2]), (TPoint{0, 0}));
    EXPECT_EQ(SourceOf(memory[1]), (TPoint{0, 1}));
    EXPECT_EQ(SourceOf(memory[0]), (TPoint{0, 1}));
    EXPECT_THROW(PixelRoutines().BltCopy(src, Rect(0, 0, 1, 1), *std::make_unique<TskBitmap>(), 0, 0), Exception);
}

TEST(BitmapStretch, TileOntoABottomUpSectionWritesItsMemoryDirectly)
{
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 5;
    info.bmiHeader.biHeight = 3; // bottom-up
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, ToGdiObj(section));
    SetWindowOrgEx(dc, 1, 0, nullptr);
    TskBitmap src;
    FillWithCoordinates(src, 2, 2);
    src.Tile(dc, Rect(1, 0, 6, 3), Rect(0, 0, 2, 2));
    const auto* memory = static_cast<const TskColor*>(bits);
    auto at = [&](int x, int y) { return SourceOf(memory[(3 - 1 - y) * 5 + x]); };
    EXPECT_EQ(at(0, 0), (TPoint{0, 0}));
    EXPECT_EQ(at(3, 1), (TPoint{1, 1}));
    EXPECT_EQ(at(4, 2), (TPoint{0, 0}));
    DeleteDC(dc);
    DeleteObject(ToGdiObj(section));
}

} // namespace
} // namespace tovrel::test
