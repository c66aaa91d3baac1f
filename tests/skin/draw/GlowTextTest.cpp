// The triangular blur against its numbers and a direct sum; glow and
// reflection text on a skin bitmap canvas.
#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"
#include "skin/draw/GlowText.h"

#include <algorithm>
#include <vector>

namespace tovrel::test {
namespace {

TEST(BlurBitmap, SinglePixelGivesSixtyThreeThirtyOneAndFifteen)
{
    TskBitmap b;
    b.SetSize(5, 5);
    b.Clear(0xFF000000);
    b.Pixel(2, 2) = 0xFFFFFFFF;
    BlurBitmap(b, 1);
    EXPECT_EQ(b.Pixel(2, 2), 0xFF3F3F3Fu);
    EXPECT_EQ(b.Pixel(2, 1), 0xFF1F1F1Fu);
    EXPECT_EQ(b.Pixel(3, 2), 0xFF1F1F1Fu);
    EXPECT_EQ(b.Pixel(1, 1), 0xFF0F0F0Fu);
    EXPECT_EQ(b.Pixel(0, 0), 0xFF000000u);
}

TEST(BlurBitmap, ZeroRadiusLeavesAndUniformStaysButTurnsOpaque)
{
    TskBitmap b;
    b.SetSize(4, 3);
    b.Clear(0x40A0B0C0);
    BlurBitmap(b, 0);
    BlurBitmap(b, -2);
    EXPECT_EQ(b.Pixel(1, 1), 0x40A0B0C0u);
    BlurBitmap(b, 7);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(b.Pixel(x, y), 0xFFA0B0C0u);
    TskBitmap empty;
    BlurBitmap(empty, 3);
}

// The blur written as its definition: each output a weighted sum of clamped samples.
std::vector<int> DirectBlur(const std::vector<int>& in, int w, int h, int r)
{
    const int d = (r + 1) * (r + 1);
    std::vector<int> mid(in.size()), out(in.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            long s = 0;
            for (int k = -r; k <= r; ++k)
                s += long(r + 1 - std::abs(k)) * in[std::size_t(y * w + std::clamp(x + k, 0, w - 1))];
            mid[std::size_t(y * w + x)] = int(s / d);
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            long s = 0;
            for (int k = -r; k <= r; ++k)
                s += long(r + 1 - std::abs(k)) * mid[std::size_t(std::clamp(y + k, 0, h - 1) * w + x)];
            out[std::size_t(y * w + x)] = int(s / d);
        }
    return out;
}

TEST(BlurBitmap, RunningSumsEqualTheWeightedSumsAtAnyRadius)
{
    const int w = 9, h = 6;
    std::vector<int> green(std::size_t(w * h));
    for (std::size_t i = 0; i < green.size(); ++i)
        green[i] = int((i * 97 + 31) % 256);
    for (int r : {1, 2, 4, 8, 20}) {
        TskBitmap b;
        b.SetSize(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                b.Pixel(x, y) = SkColor(0, std::uint8_t(green[std::size_t(y * w + x)]), 0, 0);
        BlurBitmap(b, r);
        const std::vector<int> expected = DirectBlur(green, w, h, r);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(GreenOf(b.Pixel(x, y)), expected[std::size_t(y * w + x)]) << r << ": " << x << "," << y;
    }
}

struct TTextCanvas : ::testing::Test {
    TskBitmap Canvas;
    HFONT Font = nullptr;
    static constexpr TskColor White = 0xFFFFFFFF;
    TTextCanvas()
    {
        Canvas.SetSize(120, 60);
        Canvas.Clear(White);
        LOGFONT lf;
        lf.lfHeight = -16;
        lf.lfFaceName = "DejaVu Sans";
        Font = CreateFontIndirect(&lf);
        SelectObject(Canvas.DC(), ToGdiObj(Font));
        SetTextColor(Canvas.DC(), RGB(0, 0, 0));
    }
    ~TTextCanvas() override
    {
        Canvas.SetEmpty();
        DeleteObject(ToGdiObj(Font));
    }
    // The box of pixels that are no longer white, or an empty rectangle.
    TRect Changed() const
    {
        TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = 0; y < Canvas.Height(); ++y)
            for (int x = 0; x < Canvas.Width(); ++x)
                if ((Canvas.Pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box.Left == INT32_MAX ? TRect{} : box;
    }
    bool HasBluePixel() const
    {
        for (int y = 0; y < Canvas.Height(); ++y)
            for (int x = 0; x < Canvas.Width(); ++x) {
                const TskColor p = Canvas.Pixel(x, y);
                if (BlueOf(p) > 200 && RedOf(p) < 150 && GreenOf(p) < 150)
                    return true;
            }
        return false;
    }
};

TEST_F(TTextCanvas, SharpGlowIsTheTextDilatedByOnePixelInTheGlowColour)
{
    const RECT r = Rect(20, 10, 100, 40);
    RECT textOnly = r;
    TskBitmap plain;
    plain.SetSize(120, 60);
    plain.Clear(White);
    SelectObject(plain.DC(), ToGdiObj(Font));
    DrawText(plain.DC(), "Hi", &textOnly, DT_SINGLELINE);
    DrawGlowText(Canvas.DC(), r, "Hi", 0, TColor(RGB(0, 0, 255)), 0, DT_SINGLELINE);
    EXPECT_TRUE(HasBluePixel());
    const TRect changed = Changed();
    ASSERT_FALSE(changed.IsEmpty());
    EXPECT_GE(changed.Left, r.Left - 1);
    EXPECT_GE(changed.Top, r.Top - 1);
    EXPECT_LE(changed.Right, r.Right + 1);
    plain.SetEmpty();
}

TEST_F(TTextCanvas, SoftGlowReachesTwelvePixelsBeyondTheRectangleAndNoFurther)
{
    const RECT r = Rect(30, 20, 90, 40);
    WideDrawVistaGlowText(Canvas.DC(), r, "Glow", TColor(RGB(0, 0, 255)), DT_SINGLELINE | DT_VCENTER);
    const TRect changed = Changed();
    EXPECT_GE(changed.Left, r.Left - 12);
    EXPECT_GE(changed.Top, r.Top - 12);
    EXPECT_LE(changed.Right, r.Right + 12);
    EXPECT_LE(changed.Bottom, r.Bottom + 12);
    EXPECT_NE(Canvas.Pixel(r.Left - 3, (r.Top + r.Bottom) / 2), White); // the halo around the filled band
    EXPECT_TRUE(HasBluePixel());
}

TEST_F(TTextCanvas, ReflectionMirrorsBelowTheTextAndEmptyTextDrawsNothing)
{
    const RECT r = Rect(10, 5, 110, 30);
    DrawReflectionText(Canvas.DC(), r, "", TColor(RGB(0, 0, 255)), 0, DT_SINGLELINE);
    EXPECT_TRUE(Changed().IsEmpty());

    DrawReflectionText(Canvas.DC(), r, "Mirror", TColor(RGB(0, 0, 255)), 2, DT_SINGLELINE);
    RECT measured = r;
    DrawText(Canvas.DC(), "Mirror", &measured, DT_SINGLELINE | DT_CALCRECT);
    const TRect changed = Changed();
    EXPECT_GE(changed.Top, r.Top);
    EXPECT_GT(changed.Bottom, measured.Bottom + 2); // the mirror hangs below the text
    EXPECT_TRUE(HasBluePixel());
}

} // namespace
} // namespace tovrel::test
