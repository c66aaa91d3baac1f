#include "GdiTestSupport.h"

namespace tovrel::test {
namespace {

using test::kBlack;
using test::kBlue;
using test::kLegend;
using test::kRed;
using test::kWhite;
using test::Rows;
using test::TTestCanvas;

struct TLineCase {
    TPoint From, To;
    int Width;
    const char* Name;
    std::string Expected;
};

TEST(DrawTest, LinesExcludeTheirEndPixel)
{
    const TLineCase cases[] = {
        {{1, 1}, {5, 1}, 1, "horizontal", Rows({"......", ".####.", "......", "......", "......", "......"})},
        {{4, 1}, {0, 1}, 1, "leftwards", Rows({"......", ".####.", "......", "......", "......", "......"})},
        {{1, 0}, {1, 4}, 1, "vertical", Rows({".#....", ".#....", ".#....", ".#....", "......", "......"})},
        {{0, 0}, {4, 4}, 1, "diagonal", Rows({"#.....", ".#....", "..#...", "...#..", "......", "......"})},
        {{4, 0}, {0, 4}, 1, "anti-diagonal", Rows({"....#.", "...#..", "..#...", ".#....", "......", "......"})},
        {{0, 0}, {4, 2}, 1, "shallow", Rows({"##....", "..##..", "......", "......", "......", "......"})},
        // Wide pens stamp a square of their width centred on each pixel of the thin line.
        {{1, 2}, {5, 2}, 2, "two wide", Rows({"......", "#####.", "#####.", "......", "......", "......"})},
        {{1, 2}, {4, 2}, 3, "three wide", Rows({"......", "#####.", "#####.", "#####.", "......", "......"})},
        {{2, 2}, {2, 2}, 1, "no length", Rows({"......", "......", "......", "......", "......", "......"})},
    };
    for (const TLineCase& c : cases) {
        TTestCanvas canvas(6, 6);
        HPEN pen = CreatePen(PS_SOLID, c.Width, kBlack);
        HGDIOBJ old = SelectObject(canvas.Dc, ToGdiObj(pen));
        MoveToEx(canvas.Dc, c.From.X, c.From.Y, nullptr);
        EXPECT_TRUE(LineTo(canvas.Dc, c.To.X, c.To.Y));
        EXPECT_EQ(canvas.Picture(kLegend), c.Expected) << c.Name;
        POINT pos{};
        MoveToEx(canvas.Dc, 0, 0, &pos);
        EXPECT_EQ(pos, c.To) << c.Name;
        SelectObject(canvas.Dc, old);
        DeleteObject(ToGdiObj(pen));
    }
}

TEST(DrawTest, PolylineSharesVerticesOnceUnderXor)
{
    TTestCanvas canvas(5, 5);
    SetROP2(canvas.Dc, R2_NOT);
    const POINT path[] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
    EXPECT_TRUE(Polyline(canvas.Dc, path, 4));
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"####.", "...#.", "...#.", ".###.", "....."}));
    EXPECT_FALSE(Polyline(canvas.Dc, path, 1));
}

struct TShapeCase {
    const char* Name;
    int PenStyle;
    int PenWidth;
    bool NullBrush;
    BOOL (*Draw)(HDC);
    std::string Expected;
};

TEST(DrawTest, ShapesFillWithBrushAndOutlineWithPen)
{
    auto rectangle = [](HDC dc) { return Rectangle(dc, 1, 1, 6, 5); };
    const TShapeCase cases[] = {
        {"rectangle", PS_SOLID, 1, false, rectangle,
         Rows({".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#####.", "......."})},
        {"rectangle, null pen", PS_NULL, 1, false, rectangle,
         Rows({".......", ".rrrr..", ".rrrr..", ".rrrr..", ".......", "......."})},
        {"rectangle, null brush", PS_SOLID, 1, true, rectangle,
         Rows({".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."})},
        {"rectangle, inside frame 2", PS_INSIDEFRAME, 2, false, rectangle,
         Rows({".......", ".#####.", ".#####.", ".#####.", ".#####.", "......."})},
        {"rectangle, corners swapped", PS_SOLID, 1, false, [](HDC dc) { return Rectangle(dc, 6, 5, 1, 1); },
         Rows({".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#####.", "......."})},
        {"ellipse", PS_SOLID, 1, false, [](HDC dc) { return Ellipse(dc, 0, 0, 7, 6); },
         Rows({"..###..", "##rrr##", "#rrrrr#", "#rrrrr#", "##rrr##", "..###.."})},
        {"round rect", PS_SOLID, 1, false, [](HDC dc) { return RoundRect(dc, 0, 0, 7, 6, 4, 4); },
         Rows({".#####.", "#rrrrr#", "#rrrrr#", "#rrrrr#", "#rrrrr#", ".#####."})},
        {"round rect, pen wider than the corners", PS_INSIDEFRAME, 2, false,
         [](HDC dc) { return RoundRect(dc, 0, 0, 7, 6, 4, 4); },
         Rows({".#####.", "#######", "##rrr##", "##rrr##", "#######", ".#####."})},
        {"polygon", PS_NULL, 1, false,
         [](HDC dc) {
             const POINT tri[] = {{0, 0}, {6, 0}, {0, 6}};
             return Polygon(dc, tri, 3);
         },
         Rows({"rrrrr..", "rrrr...", "rrr....", "rr.....", "r......", "......."})},
    };
    struct TFormat {
        int BitCount;
        bool BottomUp;
    };
    for (const TFormat format : {TFormat{32, false}, TFormat{24, false}, TFormat{32, true}, TFormat{24, true}})
        for (const TShapeCase& c : cases) {
            SCOPED_TRACE(testing::Message() << format.BitCount << (format.BottomUp ? " bottom-up" : " top-down"));
            TTestCanvas canvas(7, 6, format.BitCount, format.BottomUp);
            HPEN pen = CreatePen(c.PenStyle, c.PenWidth, kBlack);
            HBRUSH brush = CreateSolidBrush(kRed);
            SelectObject(canvas.Dc, ToGdiObj(pen));
            SelectObject(canvas.Dc, c.NullBrush ? GetStockObject(NULL_BRUSH) : ToGdiObj(brush));
            EXPECT_TRUE(c.Draw(canvas.Dc)) << c.Name;
            EXPECT_EQ(canvas.Picture(kLegend), c.Expected) << c.Name;
            SelectObject(canvas.Dc, GetStockObject(BLACK_PEN));
            SelectObject(canvas.Dc, GetStockObject(WHITE_BRUSH));
            DeleteObject(ToGdiObj(pen));
            DeleteObject(ToGdiObj(brush));
        }
}

TEST(DrawTest, FillsFramesAndInversions)
{
    TTestCanvas canvas(6, 5);
    HBRUSH blue = CreateSolidBrush(kBlue);
    const RECT outer{0, 0, 6, 5}, inner{1, 1, 5, 4}, spot{2, 2, 3, 3};
    EXPECT_TRUE(FrameRect(canvas.Dc, &outer, blue));
    EXPECT_TRUE(FillRect(canvas.Dc, &inner,
                         HandleCast<HBRUSH>(reinterpret_cast<HGDIOBJ>(std::uintptr_t(COLOR_WINDOWTEXT + 1)))));
    EXPECT_TRUE(InvertRect(canvas.Dc, &spot));
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"bbbbbb", "b####b", "b#.##b", "b####b", "bbbbbb"}));
    // FillRect ignores the mix mode; Rectangle follows it.
    SetROP2(canvas.Dc, R2_NOT);
    EXPECT_TRUE(FillRect(canvas.Dc, &inner, blue));
    EXPECT_EQ(canvas.At(1, 1), kBlue);
    EXPECT_FALSE(FillRect(canvas.Dc, &inner, nullptr));
    DeleteObject(ToGdiObj(blue));
}

TEST(DrawTest, RegionPaintingInLogicalCoordinates)
{
    TTestCanvas canvas(6, 5);
    SetWindowOrgEx(canvas.Dc, 10, 10, nullptr);
    HRGN square = CreateRectRgn(10, 10, 15, 14);
    HBRUSH blue = CreateSolidBrush(kBlue);
    EXPECT_TRUE(FillRgn(canvas.Dc, square, blue));
    EXPECT_TRUE(FrameRgn(canvas.Dc, square, HandleCast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 2, 1));
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"#####.", "##b##.", "##b##.", "#####.", "......"}));
    EXPECT_TRUE(InvertRgn(canvas.Dc, square));
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"......", "..?...", "..?...", "......", "......"}));
    EXPECT_EQ(canvas.At(2, 1), RGB(255, 255, 0));
    // PaintRgn uses the selected brush; DC_BRUSH paints in the DC's own colour.
    SelectObject(canvas.Dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(canvas.Dc, kRed);
    EXPECT_TRUE(PaintRgn(canvas.Dc, square));
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_FALSE(FrameRgn(canvas.Dc, square, blue, 0, 1));
    DeleteObject(ToGdiObj(square));
    EXPECT_FALSE(FillRgn(canvas.Dc, square, blue));
    DeleteObject(ToGdiObj(blue));
}

TEST(DrawTest, PatBltRasterOperations)
{
    struct TCase {
        DWORD Rop;
        COLORREF Before;
        COLORREF After;
    };
    const TCase cases[] = {
        {PATCOPY, kWhite, kRed},
        {PATINVERT, RGB(255, 255, 0), RGB(0, 255, 0)},
        {DSTINVERT, RGB(1, 2, 3), RGB(254, 253, 252)},
        {BLACKNESS, kWhite, kBlack},
        {WHITENESS, kBlack, kWhite},
    };
    for (const TCase& c : cases) {
        TTestCanvas canvas(4, 4, 32, false, c.Before);
        HBRUSH brush = CreateSolidBrush(kRed);
        SelectObject(canvas.Dc, ToGdiObj(brush));
        // Negative extents cover the rectangle to the left and above.
        EXPECT_TRUE(PatBlt(canvas.Dc, 3, 3, -2, -2, c.Rop));
        EXPECT_EQ(canvas.At(1, 1), c.After) << std::hex << c.Rop;
        EXPECT_EQ(canvas.At(2, 2), c.After) << std::hex << c.Rop;
        EXPECT_EQ(canvas.At(3, 3), c.Before) << std::hex << c.Rop;
        SelectObject(canvas.Dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(ToGdiObj(brush));
    }
    TTestCanvas canvas(2, 2);
    EXPECT_FALSE(PatBlt(canvas.Dc, 0, 0, 2, 2, SRCCOPY)); // needs a source
}

TEST(DrawTest, PatternBrushTilesFromTheBrushOrigin)
{
    TTestCanvas tile(2, 1);
    tile.SetRaw(0, 0, PixelFromColor(kRed));
    tile.SetRaw(1, 0, PixelFromColor(kBlue));
    HBRUSH brush = CreatePatternBrush(tile.Bitmap);
    ASSERT_NE(brush, nullptr);
    TTestCanvas canvas(5, 2);
    SetBrushOrgEx(canvas.Dc, 1, 0, nullptr);
    const RECT all{0, 0, 5, 2};
    FillRect(canvas.Dc, &all, brush);
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"brbrb", "brbrb"}));
    DeleteObject(ToGdiObj(brush));
}

TEST(DrawTest, EdgesUseTheSystemColours)
{
    // In the classic scheme 3D light equals button face, so 'f' stands for both.
    ASSERT_EQ(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNFACE));
    const std::map<COLORREF, char> legend = {{kWhite, '.'},
                                             {GetSysColor(COLOR_BTNFACE), 'f'},
                                             {GetSysColor(COLOR_BTNSHADOW), 's'},
                                             {GetSysColor(COLOR_3DDKSHADOW), 'd'}};
    struct TCase {
        UINT Edge;
        UINT Flags;
        std::string Expected;
        RECT After;
    };
    const TCase cases[] = {
        {EDGE_RAISED,
         BF_RECT | BF_MIDDLE | BF_ADJUST,
         Rows({"fffffd", "f...sd", "f.ffsd", "fssssd", "dddddd"}),
         {2, 2, 4, 3}},
        {EDGE_SUNKEN, BF_RECT, Rows({"sssss.", "sdddf.", "sd..f.", "sffff.", "......"}), {0, 0, 6, 5}},
        {BDR_SUNKENOUTER, BF_TOP | BF_LEFT, Rows({"ssssss", "s.....", "s.....", "s.....", "s....."}), {0, 0, 6, 5}},
        {EDGE_ETCHED, BF_BOTTOM | BF_ADJUST, Rows({"......", "......", "......", "ssssss", "......"}), {0, 0, 6, 3}},
    };
    for (const TCase& c : cases) {
        TTestCanvas canvas(6, 5);
        RECT r{0, 0, 6, 5};
        EXPECT_TRUE(DrawEdge(canvas.Dc, &r, c.Edge, c.Flags));
        EXPECT_EQ(canvas.Picture(legend), c.Expected) << c.Edge << " " << c.Flags;
        EXPECT_EQ(r, c.After) << c.Edge << " " << c.Flags;
    }
}

TEST(DrawTest, FocusRectIsDottedAndUndoesItself)
{
    TTestCanvas canvas(6, 5);
    const RECT r{0, 0, 6, 5};
    EXPECT_TRUE(DrawFocusRect(canvas.Dc, &r));
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"#.#.#.", ".....#", "#.....", ".....#", "#.#.#."}));
    EXPECT_TRUE(DrawFocusRect(canvas.Dc, &r));
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"......", "......", "......", "......", "......"}));
}

TEST(DrawTest, PixelsFollowOriginsAndClip)
{
    TTestCanvas canvas(4, 4);
    SetViewportOrgEx(canvas.Dc, 1, 1, nullptr);
    EXPECT_EQ(SetPixel(canvas.Dc, 0, 0, kRed), kRed);
    EXPECT_EQ(canvas.At(1, 1), kRed);
    EXPECT_EQ(GetPixel(canvas.Dc, 0, 0), kRed);
    EXPECT_EQ(GetPixel(canvas.Dc, 3, 3), CLR_INVALID); // off the bitmap
    EXPECT_EQ(SetPixel(canvas.Dc, -2, 0, kRed), CLR_INVALID);
    IntersectClipRect(canvas.Dc, 1, 1, 2, 2);
    EXPECT_EQ(GetPixel(canvas.Dc, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.Dc, 1, 1, kBlue), kBlue);
    EXPECT_EQ(canvas.At(2, 2), kBlue);
}

// Colour primitives leave alpha 0 on what they paint; inversions invert it.
TEST(DrawTest, AlphaByteRule)
{
    TTestCanvas canvas(4, 1);
    for (int x = 0; x < 4; ++x)
        canvas.SetRaw(x, 0, 0x80FFFFFFu);
    const RECT first{0, 0, 1, 1}, third{2, 0, 3, 1};
    HBRUSH red = CreateSolidBrush(kRed);
    FillRect(canvas.Dc, &first, red);
    SetPixel(canvas.Dc, 1, 0, kRed);
    InvertRect(canvas.Dc, &third);
    EXPECT_EQ(canvas.Raw(0, 0), 0x00FF0000u);
    EXPECT_EQ(canvas.Raw(1, 0), 0x00FF0000u);
    EXPECT_EQ(canvas.Raw(2, 0), 0x7F000000u);
    EXPECT_EQ(canvas.Raw(3, 0), 0x80FFFFFFu);
    DeleteObject(ToGdiObj(red));
}

TEST(DrawTest, HugeAndDeadInputsStayInBounds)
{
    TTestCanvas canvas(8, 8);
    HDC dc = canvas.Dc;
    HPEN wide = CreatePen(PS_SOLID, 1000000, kBlack);
    SelectObject(dc, ToGdiObj(wide));
    EXPECT_TRUE(Rectangle(dc, -2000000000, -2000000000, 2000000000, 2000000000));
    EXPECT_TRUE(Ellipse(dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    MoveToEx(dc, INT32_MIN, INT32_MIN, nullptr);
    EXPECT_TRUE(LineTo(dc, INT32_MAX, INT32_MAX - 7));
    EXPECT_TRUE(PatBlt(dc, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MIN, PATCOPY));
    SetViewportOrgEx(dc, INT32_MAX, INT32_MIN, nullptr);
    EXPECT_TRUE(Rectangle(dc, INT32_MAX, 0, INT32_MIN, 5));
    RECT everything{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_TRUE(DrawEdge(dc, &everything, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(ToGdiObj(wide));

    const RECT r{0, 0, 2, 2};
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    EXPECT_FALSE(LineTo(dead, 1, 1));
    EXPECT_FALSE(Rectangle(dead, 0, 0, 1, 1));
    EXPECT_FALSE(FillRect(dead, &r, HandleCast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    EXPECT_FALSE(DrawEdge(dead, const_cast<RECT*>(&r), EDGE_RAISED, BF_RECT));
    EXPECT_EQ(GetPixel(dead, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DrawFocusRect(dc, nullptr));
}

} // namespace
} // namespace tovrel::test
