#include "GdiTestSupport.h"

#include <vector>

namespace tovrel::test {
namespace {

using test::kBlack;
using test::kBlue;
using test::kGreen;
using test::kLegend;
using test::kRed;
using test::kWhite;
using test::Rows;
using test::TTestCanvas;

// A 3 x 2 source: r g b / # r .
void PaintSource(TTestCanvas& src)
{
    const COLORREF colours[2][3] = {{kRed, kGreen, kBlue}, {kBlack, kRed, kWhite}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            SetPixel(src.Dc, x, y, colours[y][x]);
}

struct TStretchCase {
    const char* Name;
    int X, Y, Width, Height, SrcX, SrcY, SrcWidth, SrcHeight;
    std::string Expected;
};

TEST(BlitTest, StretchSamplesNearestAndMirrors)
{
    const TStretchCase cases[] = {
        {"copy", 1, 1, 3, 2, 0, 0, 3, 2, Rows({"......", ".rgb..", ".#r...", "......"})},
        {"double", 0, 0, 6, 4, 0, 0, 3, 2, Rows({"rrggbb", "rrggbb", "##rr..", "##rr.."})},
        {"halve", 0, 0, 2, 1, 0, 0, 3, 2, Rows({"#.....", "......", "......", "......"})},
        {"mirror x", 4, 0, -3, 2, 0, 0, 3, 2, Rows({".bgr..", "..r#..", "......", "......"})},
        {"mirror y by source", 0, 0, 3, 2, 0, 2, 3, -2, Rows({"#r....", "rgb...", "......", "......"})},
        {"source partly outside", 0, 0, 3, 2, 1, 1, 3, 2, Rows({"r.....", "......", "......", "......"})},
        {"destination partly outside", -1, -1, 3, 2, 0, 0, 3, 2, Rows({"r.....", "......", "......", "......"})},
    };
    for (const TStretchCase& c : cases) {
        TTestCanvas src(3, 2), dst(6, 4);
        PaintSource(src);
        EXPECT_TRUE(
            StretchBlt(dst.Dc, c.X, c.Y, c.Width, c.Height, src.Dc, c.SrcX, c.SrcY, c.SrcWidth, c.SrcHeight, SRCCOPY))
            << c.Name;
        EXPECT_EQ(dst.Picture(kLegend), c.Expected) << c.Name;
    }
}

TEST(BlitTest, BitBltHonoursOriginsClipAndRasterOps)
{
    TTestCanvas src(3, 2), dst(5, 3);
    PaintSource(src);
    SetWindowOrgEx(dst.Dc, 10, 0, nullptr);
    IntersectClipRect(dst.Dc, 11, 0, 13, 3);
    EXPECT_TRUE(BitBlt(dst.Dc, 10, 0, 3, 2, src.Dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.Picture(kLegend), Rows({".gb..", ".r...", "....."}));

    struct TCase {
        DWORD Rop;
        COLORREF Source, Dest, Result;
    };
    const TCase cases[] = {
        {SRCCOPY, RGB(1, 2, 3), RGB(9, 9, 9), RGB(1, 2, 3)},
        {SRCAND, RGB(0xF0, 0x0F, 0xFF), RGB(0x3C, 0x3C, 0x3C), RGB(0x30, 0x0C, 0x3C)},
        {SRCPAINT, RGB(0xF0, 0x0F, 0x00), RGB(0x0F, 0x00, 0x01), RGB(0xFF, 0x0F, 0x01)},
        {SRCINVERT, RGB(0xFF, 0x00, 0x0F), RGB(0x0F, 0x0F, 0x0F), RGB(0xF0, 0x0F, 0x00)},
        {NOTSRCCOPY, RGB(0, 0x80, 0xFF), RGB(9, 9, 9), RGB(0xFF, 0x7F, 0)},
        {SRCERASE, RGB(0xFF, 0xFF, 0x00), RGB(0x0F, 0xF0, 0x00), RGB(0xF0, 0x0F, 0x00)},
        {MERGECOPY, RGB(0xFF, 0x0F, 0xF0), RGB(9, 9, 9), RGB(0xFF, 0, 0)}, // brush red AND source
        {DSTINVERT, RGB(1, 1, 1), RGB(0, 0x10, 0xFF), RGB(0xFF, 0xEF, 0)},
        {PATCOPY, RGB(1, 1, 1), RGB(9, 9, 9), kRed},
    };
    for (const TCase& c : cases) {
        TTestCanvas s(1, 1, 32, false, c.Source), d(1, 1, 32, false, c.Dest);
        HBRUSH red = CreateSolidBrush(kRed);
        SelectObject(d.Dc, ToGdiObj(red));
        EXPECT_TRUE(BitBlt(d.Dc, 0, 0, 1, 1, s.Dc, 0, 0, c.Rop));
        EXPECT_EQ(d.At(0, 0), c.Result) << std::hex << c.Rop;
        SelectObject(d.Dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(ToGdiObj(red));
    }
}

TEST(BlitTest, OverlappingCopyWithinOneBitmap)
{
    TTestCanvas canvas(5, 1);
    const COLORREF row[] = {kRed, kGreen, kBlue, kBlack, kWhite};
    for (int x = 0; x < 5; ++x)
        SetPixel(canvas.Dc, x, 0, row[x]);
    EXPECT_TRUE(BitBlt(canvas.Dc, 1, 0, 4, 1, canvas.Dc, 0, 0, SRCCOPY));
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"rrgb#"}));
    EXPECT_TRUE(BitBlt(canvas.Dc, 0, 0, 4, 1, canvas.Dc, 1, 0, SRCCOPY));
    EXPECT_EQ(canvas.Picture(kLegend), Rows({"rgb##"}));
}

TEST(BlitTest, AlphaBlendConstantAndPerPixel)
{
    struct TCase {
        const char* Name;
        TPixel Source, Dest;
        BLENDFUNCTION Blend;
        TPixel Result;
    };
    const TCase cases[] = {
        {"constant half", 0x00FF0000, 0x000000FF, {AC_SRC_OVER, 0, 128, 0}, 0x0080007F},
        {"opaque pixel", 0xFF00FF00, 0x80FF00FF, {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA}, 0xFF00FF00},
        {"transparent pixel", 0x00000000, 0x40102030, {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA}, 0x40102030},
        {"premultiplied half", 0x80800000, 0x000000FF, {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA}, 0x8080007F},
        {"per pixel and constant", 0xFF0000FF, 0x00FF0000, {AC_SRC_OVER, 0, 51, AC_SRC_ALPHA}, 0x33CC0033},
    };
    for (const TCase& c : cases) {
        TTestCanvas s(2, 2), d(2, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                s.SetRaw(x, y, c.Source);
                d.SetRaw(x, y, c.Dest);
            }
        EXPECT_TRUE(AlphaBlend(d.Dc, 0, 0, 2, 2, s.Dc, 0, 0, 2, 2, c.Blend)) << c.Name;
        EXPECT_EQ(d.Raw(1, 1), c.Result) << c.Name << std::hex << " got " << d.Raw(1, 1);
    }
    TTestCanvas s(2, 2), d(2, 2);
    EXPECT_FALSE(AlphaBlend(d.Dc, 0, 0, -2, 2, s.Dc, 0, 0, 2, 2, {AC_SRC_OVER, 0, 255, 0}));
    TTestCanvas rgb(2, 2, 24);
    EXPECT_FALSE(AlphaBlend(d.Dc, 0, 0, 2, 2, rgb.Dc, 0, 0, 2, 2, {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA}));
}

TEST(BlitTest, TransparentBltSkipsTheKeyColour)
{
    TTestCanvas src(3, 2), dst(6, 2, 32, false, kBlue);
    PaintSource(src);
    EXPECT_TRUE(TransparentBlt(dst.Dc, 0, 0, 6, 2, src.Dc, 0, 0, 3, 2, kRed));
    EXPECT_EQ(dst.Picture(kLegend), Rows({"bbggbb", "##bb.."}));
}

TEST(BlitTest, SourceAlphaAndFormats)
{
    // SRCCOPY carries alpha from 32-bit sources; 24-bit sources give alpha 0.
    TTestCanvas src32(1, 1), src24(1, 1, 24), dst(2, 1);
    src32.SetRaw(0, 0, 0x7F112233);
    src24.SetRaw(0, 0, 0x00445566);
    BitBlt(dst.Dc, 0, 0, 1, 1, src32.Dc, 0, 0, SRCCOPY);
    BitBlt(dst.Dc, 1, 0, 1, 1, src24.Dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.Raw(0, 0), 0x7F112233u);
    EXPECT_EQ(dst.Raw(1, 0), 0x00445566u);
    BitBlt(src24.Dc, 0, 0, 1, 1, dst.Dc, 0, 0, SRCCOPY);
    EXPECT_EQ(src24.Raw(0, 0), 0x00112233u);
}

// 3 x 2 pixels, rows padded to 12 bytes, in either row order.
std::vector<std::uint8_t> ClientPicture(int bitCount, bool bottomUp)
{
    const TPixel rows[2][3] = {{0x00FF0000, 0x0000FF00, 0x000000FF}, {0, 0x00FF0000, 0x00FFFFFF}};
    const int bpp = bitCount / 8, stride = (3 * bpp + 3) & ~3;
    std::vector<std::uint8_t> bits(std::size_t(stride) * 2);
    for (int y = 0; y < 2; ++y) {
        TPixelView line{bits.data() + (bottomUp ? 1 - y : y) * stride, 0, 3, 1, bpp};
        for (int x = 0; x < 3; ++x)
            line.Write(x, 0, rows[y][x]);
    }
    return bits;
}

TEST(BlitTest, ClientMemoryInEitherRowOrder)
{
    for (int bitCount : {24, 32})
        for (bool bottomUp : {false, true}) {
            const auto bits = ClientPicture(bitCount, bottomUp);
            BITMAPINFO bmi{};
            bmi.bmiHeader.biWidth = 3;
            bmi.bmiHeader.biHeight = bottomUp ? 2 : -2;
            bmi.bmiHeader.biBitCount = WORD(bitCount);
            TTestCanvas a(4, 2), b(4, 2);
            EXPECT_EQ(SetDIBitsToDevice(a.Dc, 1, 0, 3, 2, 0, 0, 0, 2, bits.data(), &bmi, DIB_RGB_COLORS), 2);
            EXPECT_EQ(a.Picture(kLegend), Rows({".rgb", ".#r."})) << bitCount << bottomUp;
            // A sub-rectangle, stretched and mirrored: (1,0)-(3,1) = g b, drawn right to left and doubled.
            EXPECT_NE(StretchDIBits(b.Dc, 4, 0, -4, 1, 1, 0, 2, 1, bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY), 0);
            EXPECT_EQ(b.Picture(kLegend), Rows({"bbgg", "...."})) << bitCount << bottomUp;
        }
    BITMAPINFO bad{};
    bad.bmiHeader.biWidth = 3;
    bad.bmiHeader.biHeight = 2;
    bad.bmiHeader.biBitCount = 8;
    std::vector<std::uint8_t> bits(64);
    TTestCanvas c(2, 2);
    EXPECT_EQ(StretchDIBits(c.Dc, 0, 0, 2, 2, 0, 0, 2, 2, bits.data(), &bad, DIB_RGB_COLORS, SRCCOPY), 0);
    bad.bmiHeader.biBitCount = 32;
    EXPECT_EQ(StretchDIBits(c.Dc, 0, 0, 2, 2, 0, 0, 2, 2, nullptr, &bad, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(SetDIBitsToDevice(c.Dc, 0, 0, 2, 2, 0, 0, 1, 1, bits.data(), &bad, DIB_RGB_COLORS), 0);
}

TEST(BlitTest, GetDIBitsConvertsRowsAndFormat)
{
    TTestCanvas canvas(3, 2);
    PaintSource(canvas);
    for (int bitCount : {24, 32})
        for (bool bottomUp : {false, true}) {
            BITMAPINFO bmi{};
            bmi.bmiHeader.biWidth = 3;
            bmi.bmiHeader.biHeight = bottomUp ? 2 : -2;
            bmi.bmiHeader.biBitCount = WORD(bitCount);
            std::vector<std::uint8_t> bits(64, 0xEE);
            EXPECT_EQ(GetDIBits(canvas.Dc, canvas.Bitmap, 0, 2, bits.data(), &bmi, DIB_RGB_COLORS), 2);
            const auto expected = ClientPicture(bitCount, bottomUp);
            EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 3 * bitCount / 8, bits.begin()))
                << bitCount << bottomUp;
            EXPECT_EQ(bits[expected.size()], 0xEE) << "wrote past the rows";
        }
    BITMAPINFO query{};
    EXPECT_EQ(GetDIBits(canvas.Dc, canvas.Bitmap, 0, 0, nullptr, &query, DIB_RGB_COLORS), 2);
    EXPECT_EQ(query.bmiHeader.biWidth, 3);
    EXPECT_EQ(query.bmiHeader.biBitCount, 32);
    // Rows beyond the bitmap are not read.
    BITMAPINFO tall = query;
    tall.bmiHeader.biHeight = -5;
    std::vector<std::uint8_t> bits(5 * 12);
    EXPECT_EQ(GetDIBits(canvas.Dc, canvas.Bitmap, 1, 4, bits.data(), &tall, DIB_RGB_COLORS), 1);
}

TEST(BlitTest, BadHandlesAndExtents)
{
    TTestCanvas a(4, 4), b(4, 4);
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    EXPECT_FALSE(BitBlt(a.Dc, 0, 0, 4, 4, dead, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dead, 0, 0, 4, 4, a.Dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(a.Dc, 0, 0, 4, 4, nullptr, 0, 0, 4, 4, SRCCOPY));
    EXPECT_TRUE(BitBlt(a.Dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, b.Dc, INT32_MAX, 0, SRCCOPY));
    EXPECT_TRUE(StretchBlt(a.Dc, -5, -5, 2000000000, 2000000000, b.Dc, 0, 0, 1, 1, SRCCOPY));
    EXPECT_TRUE(StretchBlt(a.Dc, 0, 0, 4, 4, b.Dc, -2000000000, -2000000000, 2000000000, 2000000000, SRCCOPY));
    EXPECT_TRUE(BitBlt(a.Dc, 0, 0, 0, 0, b.Dc, 0, 0, SRCCOPY));
}

} // namespace
} // namespace tovrel::test
