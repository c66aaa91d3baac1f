// Text on device contexts, checked by geometry: where ink lands against the
// measured rectangles, clips, origins, backgrounds and underlines. Glyph
// shapes are the installed fonts' business and are not compared.
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tovrel::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class TextOutput : public testing::Test {
protected:
    void SetUp() override { Prepare(CreateCompatibleBitmap(nullptr, 240, 120)); }

    void Prepare(HBITMAP bitmap)
    {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = bitmap;
        SelectObject(dc_, ToGdiObj(bitmap_));
        SelectFont(-16, "Arial");
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkMode(dc_, TRANSPARENT);
        Clear();
    }

    void TearDown() override
    {
        DeleteDC(dc_);
        DeleteObject(ToGdiObj(bitmap_));
        if (font_)
            DeleteObject(ToGdiObj(font_));
    }

    void SelectFont(int height, const char* face, bool underline = false, bool strikeOut = false)
    {
        LOGFONT lf;
        lf.lfHeight = height;
        lf.lfFaceName = face;
        lf.lfUnderline = underline;
        lf.lfStrikeOut = strikeOut;
        HFONT font = CreateFontIndirect(&lf);
        SelectObject(dc_, ToGdiObj(font));
        if (font_)
            DeleteObject(ToGdiObj(font_));
        font_ = font;
    }

    void Clear()
    {
        HBRUSH white = CreateSolidBrush(kWhite);
        RECT all{0, 0, 240, 120};
        FillRect(dc_, &all, white);
        DeleteObject(ToGdiObj(white));
    }

    COLORREF At(int x, int y) const
    {
        const TSurface& s = FindBitmap(bitmap_)->Surface();
        const std::uint8_t* p = s.ScanLine(y) + x * s.BytesPerPixel();
        return RGB(p[2], p[1], p[0]);
    }

    // Bounding box of every pixel that is not white (empty when there is none).
    TRect Ink() const
    {
        const TSurface& s = FindBitmap(bitmap_)->Surface();
        TRect box{s.Width(), s.Height(), 0, 0};
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x)
                if (At(x, y) != kWhite)
                    box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                                std::max(box.Bottom, y + 1)};
        return box.IsEmpty() ? TRect{} : box;
    }

    static bool Inside(const TRect& inner, const TRect& outer)
    {
        return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
               inner.Bottom <= outer.Bottom;
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
};

TEST_F(TextOutput, InkStaysInsideTheMeasuredRectangle)
{
    for (const char* text : {"Hello world", "视频转换 OK", "Typography jq"}) {
        SCOPED_TRACE(text);
        Clear();
        RECT r{10, 10, 230, 110};
        const int height = DrawText(dc_, text, &r, DT_SINGLELINE | DT_CALCRECT);
        TEXTMETRIC tm;
        ASSERT_TRUE(GetTextMetrics(dc_, &tm));
        EXPECT_EQ(height, tm.tmHeight);
        EXPECT_EQ(r.Bottom - r.Top, tm.tmHeight);
        SIZE extent;
        ASSERT_TRUE(GetTextExtentPoint32(dc_, text, &extent));
        EXPECT_EQ(r.Right - r.Left, extent.cx);
        EXPECT_TRUE(Ink().IsEmpty()) << "measuring draws nothing";

        DrawText(dc_, text, &r, DT_SINGLELINE | DT_NOCLIP);
        const TRect ink = Ink();
        EXPECT_FALSE(ink.IsEmpty());
        EXPECT_TRUE(Inside(ink, TRect{r.Left - 1, r.Top, r.Right + 1, r.Bottom}))
            << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
        EXPECT_GT(ink.Width(), extent.cx * 3 / 4);
    }
}

TEST_F(TextOutput, DrawTextExReportsTheBytesTakenAndChecksItsRecord)
{
    TEXTMETRIC tm;
    GetTextMetrics(dc_, &tm);
    RECT r{10, 10, 230, 10 + tm.tmHeight};
    DRAWTEXTPARAMS params;
    params.iLeftMargin = 4;
    EXPECT_EQ(DrawTextEx(dc_, "第一行\nsecond", &r, 0, &params), 2 * tm.tmHeight);
    EXPECT_EQ(params.uiLengthDrawn, 10u) << "the second line starts below the rectangle";
    EXPECT_TRUE(Inside(Ink(), TRect{14 - 1, r.Top, r.Right, r.Bottom}));

    RECT measured{10, 10, 230, 10};
    DrawTextEx(dc_, "ab", &measured, DT_CALCRECT | DT_SINGLELINE, &params);
    SIZE extent;
    GetTextExtentPoint32(dc_, "ab", &extent);
    EXPECT_EQ(measured.Right, 10 + 4 + extent.cx);
    EXPECT_EQ(params.uiLengthDrawn, 2u);

    params.cbSize = 0;
    EXPECT_EQ(DrawTextEx(dc_, "ab", &r, 0, &params), 0);
    EXPECT_EQ(DrawTextEx(dc_, "ab", &r, DT_SINGLELINE, nullptr), tm.tmHeight);

    // DrawText itself takes the characters per tab from bits 8-15.
    RECT line{0, 0, 240, 40};
    for (const int tabChars : {2, 8}) {
        Clear();
        DrawText(dc_, "\tW", &line, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | UINT(tabChars << 8));
        EXPECT_NEAR(Ink().Left, tabChars * tm.tmAveCharWidth, 2) << tabChars;
    }
}

TEST_F(TextOutput, WordBreakMeasuresAndDrawsSeveralLines)
{
    RECT r{5, 5, 85, 5};
    const int height = DrawText(dc_, "转换视频文件 and more words", &r, DT_WORDBREAK | DT_CALCRECT);
    TEXTMETRIC tm;
    GetTextMetrics(dc_, &tm);
    EXPECT_GE(height, 2 * tm.tmHeight);
    EXPECT_EQ(height % tm.tmHeight, 0);
    EXPECT_LE(r.Right, 85);
    EXPECT_EQ(r.Bottom, 5 + height);
    DrawText(dc_, "转换视频文件 and more words", &r, DT_WORDBREAK);
    EXPECT_TRUE(Inside(Ink(), TRect{r.Left - 1, r.Top, r.Right + 1, r.Bottom}));
    EXPECT_GT(Ink().Height(), tm.tmHeight);
}

TEST_F(TextOutput, RectangleClipsUnlessNoClip)
{
    RECT narrow{20, 20, 50, 40};
    DrawText(dc_, "A long line of text", &narrow, DT_SINGLELINE);
    EXPECT_TRUE(Inside(Ink(), TRect{20, 20, 50, 40}));
    EXPECT_FALSE(Ink().IsEmpty());
    Clear();
    DrawText(dc_, "A long line of text", &narrow, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink().Right, 60);

    // The DC's own clip applies too, and is left as it was.
    Clear();
    IntersectClipRect(dc_, 0, 0, 30, 120);
    RECT wide{10, 10, 230, 40};
    DrawText(dc_, "A long line of text", &wide, DT_SINGLELINE);
    EXPECT_LE(Ink().Right, 30);
    RECT box;
    GetClipBox(dc_, &box);
    EXPECT_EQ(box, Rect(0, 0, 30, 120));
}

TEST_F(TextOutput, EndEllipsisFitsTheRectangle)
{
    const char* text = "C:/Program Files/Tovrel/output/very long file name.mp4";
    for (UINT ellipsis : {DT_END_ELLIPSIS, DT_PATH_ELLIPSIS}) {
        Clear();
        RECT r{10, 10, 130, 40};
        DrawText(dc_, text, &r, DT_SINGLELINE | DT_NOCLIP | ellipsis);
        const TRect ink = Ink();
        EXPECT_FALSE(ink.IsEmpty());
        EXPECT_LE(ink.Right, 131) << ellipsis;
        EXPECT_GT(ink.Right, 100) << "uses the room it has";
    }
}

TEST_F(TextOutput, PrefixUnderlinesOneCharacterBelowTheBaseline)
{
    TEXTMETRIC tm;
    GetTextMetrics(dc_, &tm);
    RECT r{10, 10, 230, 60};
    DrawText(dc_, "Hello", &r, DT_SINGLELINE | DT_NOCLIP);
    const TRect plain = Ink();
    Clear();
    DrawText(dc_, "&Hello", &r, DT_SINGLELINE | DT_NOCLIP);
    const TRect prefixed = Ink();
    EXPECT_EQ(prefixed.Left, 10); // the underline spans the character's cell
    EXPECT_LE(prefixed.Left, plain.Left);
    EXPECT_EQ(prefixed.Right, plain.Right);
    EXPECT_GT(prefixed.Bottom, 10 + tm.tmAscent); // underline sits below the baseline
    EXPECT_LE(prefixed.Bottom, 10 + tm.tmHeight);
    // The underline row has ink only under the 'H'.
    SIZE h;
    GetTextExtentPoint32(dc_, "H", &h);
    const int row = prefixed.Bottom - 1;
    for (int x = 0; x < 240; ++x) {
        const bool underH = x >= 10 && x < 10 + h.cx;
        if (!underH) {
            EXPECT_EQ(At(x, row), kWhite) << x;
        }
    }
    EXPECT_EQ(At(10 + h.cx / 2, row), RGB(0, 0, 0));

    Clear();
    DrawText(dc_, "&&Hello", &r, DT_SINGLELINE | DT_NOCLIP | DT_CALCRECT);
    SIZE withAmpersand;
    GetTextExtentPoint32(dc_, "&Hello", &withAmpersand);
    EXPECT_EQ(r.Right - r.Left, withAmpersand.cx);
}

TEST_F(TextOutput, FontUnderlineAndStrikeOutSpanTheText)
{
    SelectFont(-20, "Tahoma", true, true);
    TEXTMETRIC tm;
    GetTextMetrics(dc_, &tm);
    SIZE extent;
    GetTextExtentPoint32(dc_, "a b", &extent);
    TextOut(dc_, 10, 10, "a b");
    // Between the letters, over the space, only the two lines have ink.
    const int x = 10 + extent.cx / 2;
    std::vector<int> rows;
    for (int y = 10; y < 10 + tm.tmHeight; ++y)
        if (At(x, y) != kWhite)
            rows.push_back(y);
    ASSERT_FALSE(rows.empty());
    EXPECT_LT(rows.front(), 10 + tm.tmAscent);    // strikeout above the baseline
    EXPECT_GT(rows.back(), 10 + tm.tmAscent - 1); // underline below it
}

TEST_F(TextOutput, OpaqueModeFillsTheTextCell)
{
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, RGB(0, 0, 255));
    SetTextColor(dc_, RGB(255, 0, 0));
    TextOut(dc_, 30, 20, "Mix 视频");
    SIZE extent;
    GetTextExtentPoint32(dc_, "Mix 视频", &extent);
    EXPECT_EQ(Ink(), Bounds(30, 20, extent.cx, extent.cy));
    EXPECT_EQ(At(30, 20), RGB(0, 0, 255));

    Clear();
    SetBkMode(dc_, TRANSPARENT);
    RECT box{5, 5, 100, 50};
    ExtTextOut(dc_, 10, 10, ETO_OPAQUE, &box, "");
    EXPECT_EQ(Ink(), Rect(5, 5, 100, 50));
    EXPECT_EQ(At(99, 49), RGB(0, 0, 255));

    Clear();
    RECT clip{10, 10, 25, 60};
    ExtTextOut(dc_, 10, 10, ETO_CLIPPED, &clip, "Clipped text");
    EXPECT_TRUE(Inside(Ink(), Rect(10, 10, 25, 60)));
}

TEST_F(TextOutput, OriginsAndAlignmentMoveTheText)
{
    TextOut(dc_, 40, 30, "Origin");
    const TRect plain = Ink();
    Clear();
    SetViewportOrgEx(dc_, 20, 10, nullptr);
    TextOut(dc_, 40, 30, "Origin");
    TRect moved = Ink();
    EXPECT_EQ(moved, Rect(plain.Left + 20, plain.Top + 10, plain.Right + 20, plain.Bottom + 10));
    SetViewportOrgEx(dc_, 0, 0, nullptr);

    SIZE extent;
    GetTextExtentPoint32(dc_, "Origin", &extent);
    Clear();
    SetTextAlign(dc_, TA_RIGHT | TA_TOP);
    TextOut(dc_, 40 + extent.cx, 30, "Origin");
    EXPECT_EQ(Ink(), plain);
    Clear();
    TEXTMETRIC tm;
    GetTextMetrics(dc_, &tm);
    SetTextAlign(dc_, TA_LEFT | TA_BASELINE);
    TextOut(dc_, 40, 30 + tm.tmAscent, "Origin");
    EXPECT_EQ(Ink(), plain);
}

TEST_F(TextOutput, TabbedTextReportsItsExtent)
{
    const int stops[] = {60};
    TEXTMETRIC tm;
    GetTextMetrics(dc_, &tm);
    const LONG result = TabbedTextOut(dc_, 10, 10, "a\tb", 1, stops, 10);
    EXPECT_EQ(result >> 16, tm.tmHeight);
    SIZE b;
    GetTextExtentPoint32(dc_, "b", &b);
    EXPECT_EQ(result & 0xFFFF, 60 + b.cx);
    EXPECT_GE(Ink().Right, 70);
}

TEST(TextOutputSurface, DrawsOn24BitBitmaps)
{
    BITMAPINFO info;
    info.bmiHeader.biWidth = 60;
    info.bmiHeader.biHeight = -30;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, ToGdiObj(bitmap));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    EXPECT_TRUE(TextOut(dc, 2, 2, "Hi 你"));
    const TSurface& s = FindBitmap(bitmap)->Surface();
    int lit = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            lit += s.ScanLine(y)[x * 3 + 1] > 128;
    EXPECT_GT(lit, 20);
    DeleteDC(dc);
    DeleteObject(ToGdiObj(bitmap));
}

TEST(TextOutputHandles, DeadHandlesFail)
{
    RECT r{0, 0, 10, 10};
    SIZE size;
    TEXTMETRIC tm;
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    EXPECT_FALSE(TextOut(dead, 0, 0, "x"));
    EXPECT_EQ(DrawText(dead, "x", &r, 0), 0);
    EXPECT_FALSE(GetTextExtentPoint32(dead, "x", &size));
    EXPECT_FALSE(GetTextMetrics(dead, &tm));
    EXPECT_EQ(TabbedTextOut(dead, 0, 0, "x", 0, nullptr, 0), 0);
}

TEST_F(TextOutput, ScreenOfTextFillsTheRectangle)
{
    TEXTMETRIC tm;
    GetTextMetrics(dc_, &tm);
    const int lines = DrawTextScreen(dc_, RECT{0, 0, 240, 120}, "0123456789 格式转换器 the quick brown fox");
    EXPECT_EQ(lines, 120 / tm.tmHeight);
    EXPECT_GT(Ink().Bottom, 120 - 2 * tm.tmHeight);
}

} // namespace
} // namespace tovrel::test
