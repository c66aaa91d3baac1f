// Drawing helpers: layout, glyph strips, focus frame, default glyphs, text
// fitting, rectangle text and monitor areas.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/MainThread.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Wm.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/GlyphLayout.h"
#include "skin/draw/MonitorAreas.h"
#include "skin/draw/RectText.h"
#include "skin/draw/TextHelpers.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

using test::FillWithCoordinates;
using test::SourceOf;

TEST(GlyphLayout, PositionsFollowLayoutAndMargin)
{
    struct Case {
        int Layout, IW, IH, TW, TH, Spacing, Margin;
        TskGlyphPositions Expected; // TextX, TextY, GlyphX, GlyphY
    };
    const RECT r = Rect(0, 0, 100, 40);
    const Case cases[] = {
        {glLeft, 16, 16, 40, 10, 4, -1, {40, 15, 20, 12}},
        {glLeft, 0, 0, 40, 10, 4, -1, {30, 15, 30, 20}}, // no image: spacing ignored
        {glRight, 16, 16, 40, 10, 4, -1, {20, 15, 64, 12}},
        {glTop, 16, 16, 40, 10, 4, -1, {30, 25, 42, 5}},
        {glBottom, 16, 16, 40, 10, 4, 2, {30, 8, 42, 22}},
        {glLeft, 16, 16, 40, 10, 4, 3, {23, 15, 3, 12}},
        {glRight, 16, 16, 40, 10, 4, 3, {37, 15, 81, 12}},
    };
    for (const Case& c : cases) {
        TskGlyphPositions at;
        CalcGlyphLayout(c.Layout, r, c.IW, c.IH, c.TW, c.TH, c.Spacing, c.Margin, at);
        EXPECT_EQ(at.TextX, c.Expected.TextX) << c.Layout << "/" << c.Margin;
        EXPECT_EQ(at.TextY, c.Expected.TextY) << c.Layout << "/" << c.Margin;
        EXPECT_EQ(at.GlyphX, c.Expected.GlyphX) << c.Layout << "/" << c.Margin;
        EXPECT_EQ(at.GlyphY, c.Expected.GlyphY) << c.Layout << "/" << c.Margin;
    }
    TskGlyphPositions untouched{1, 2, 3, 4};
    CalcGlyphLayout(9, r, 16, 16, 40, 10, 4, -1, untouched);
    EXPECT_EQ(untouched.GlyphY, 4);
}

TEST(GlyphLayout, GlyphStripDrawsItsCellWithoutTheKeyColour)
{
    TskBitmap strip, target;
    FillWithCoordinates(strip, 64, 8);
    strip.Pixel(16, 7) = 0xFF00FF00; // bottom-left of glyph 2: the key colour
    strip.Pixel(20, 3) = 0xFF00FF00;
    target.SetSize(20, 10);
    DrawGlyph(target.DC(), 2, 1, strip, 4, 2);
    EXPECT_EQ(SourceOf(target.Pixel(2, 1)), (TPoint{16, 0}));
    EXPECT_EQ(SourceOf(target.Pixel(17, 8)), (TPoint{31, 7}));
    EXPECT_EQ(target.Pixel(6, 4), 0u); // the key-coloured pixel is left out
    EXPECT_EQ(target.Pixel(18, 1), 0u);
    DrawGlyph(target.DC(), 0, 0, TskBitmap{}, 4, 1);
    DrawGlyph(target.DC(), 0, 0, strip, 0, 1);
}

TEST(GlyphLayout, CaptionDrawingPlacesTheImageAndItsMarker)
{
    struct TCall {
        int X, Y, Index;
        bool Enabled;
    };
    std::vector<TCall> calls;
    TskImageSource images;
    images.Width = 16;
    images.Height = 12;
    images.Count = 3;
    images.Draw = [&calls](HDC, int x, int y, int index, bool enabled) { calls.push_back({x, y, index, enabled}); };
    TskBitmap target;
    target.SetSize(100, 40);
    TskCaptionStyle style;
    style.Down = true;
    style.DrawColorMarker = true;
    style.ColorMarkerValue = RGB(255, 0, 0);
    DrawImageAndText(target.DC(), Rect(0, 0, 100, 40), style, "", 2, &images, false);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].X, 50 - 8 + 1); // centred, moved by one when down
    EXPECT_EQ(calls[0].Y, 20 - 6 + 1);
    EXPECT_EQ(calls[0].Index, 2);
    EXPECT_FALSE(calls[0].Enabled);
    // Marker rows GlyphY + IH - 2 .. GlyphY + IH across the image's width.
    EXPECT_EQ(target.Pixel(43, 25) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(target.Pixel(58, 27) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(target.Pixel(59, 27) & 0xFFFFFF, 0u);
    EXPECT_EQ(target.Pixel(43, 28) & 0xFFFFFF, 0u);

    calls.clear();
    DrawImageAndText(target.DC(), Rect(0, 0, 100, 40), style, "", 3, &images, true); // index out of range
    EXPECT_TRUE(calls.empty());
    TskBitmap plain;
    plain.SetSize(20, 20);
    DrawImageAndText(plain.DC(), Rect(0, 0, 20, 20), style, "", -1, nullptr, true); // marker fill instead
    EXPECT_EQ(plain.Pixel(4, 4) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(plain.Pixel(17, 15) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(plain.Pixel(3, 4) & 0xFFFFFF, 0u);
    EXPECT_EQ(plain.Pixel(18, 4) & 0xFFFFFF, 0u);

    TskBitmap strip;
    FillWithCoordinates(strip, 20, 6);
    TskBitmap glyphTarget;
    glyphTarget.SetSize(30, 10);
    TskCaptionStyle glyphStyle;
    DrawGlyphAndText(glyphTarget.DC(), Rect(0, 0, 30, 10), glyphStyle, "", strip, 2, 2);
    EXPECT_EQ(SourceOf(glyphTarget.Pixel(10, 2)), (TPoint{10, 0})); // glyph 2 centred at (10, 2)
}

// The pixels a drawing sets, as text rows of '#' and '.'.
std::vector<std::string> Pattern(int w, int h, const std::function<void(HDC)>& draw)
{
    TskBitmap b;
    b.SetSize(w, h);
    b.Clear(0xFFFFFFFF);
    draw(b.DC());
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x)
            row += (b.Pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

TEST(DefaultGlyphs, FocusFrameAlternatesRoundTheCorners)
{
    EXPECT_EQ(Pattern(5, 5, [](HDC dc) { DrawSkinFocusRect(dc, Rect(0, 0, 5, 5)); }),
              (std::vector<std::string>{".#.#.", "#...#", ".....", "#...#", ".#.#."}));
    EXPECT_EQ(Pattern(6, 5, [](HDC dc) { DrawSkinFocusRect(dc, Rect(0, 0, 6, 5)); }),
              (std::vector<std::string>{"#.#.#.", ".....#", "#.....", ".....#", "#.#.#."}));
    EXPECT_EQ(Pattern(3, 4, [](HDC dc) { DrawSkinFocusRect(dc, Rect(1, 0, 2, 4)); }),
              (std::vector<std::string>{".#.", "...", ".#.", "..."}));
}

TEST(DefaultGlyphs, GlyphsSetTheirPixelPatterns)
{
    const COLORREF black = 0;
    EXPECT_EQ(Pattern(12, 6, [&](HDC dc) { DrawArrowImage(dc, Rect(0, 0, 12, 6), black, 4); }),
              (std::vector<std::string>{"............", "............", "...#######..", "....#####...", ".....###....",
                                        "......#....."}));
    EXPECT_EQ(Pattern(8, 8, [&](HDC dc) { DrawArrowImage(dc, Rect(0, 0, 8, 8), black, 1); }),
              (std::vector<std::string>{"........", ".....#..", "....##..", "...###..", "..####..", "...###..",
                                        "....##..", ".....#.."}));
    EXPECT_EQ(Pattern(6, 6, [&](HDC dc) { DrawDropDownArrow(dc, Rect(0, 0, 6, 6), black); }),
              (std::vector<std::string>{"......", "......", "......", ".#####", "..###.", "...#.."}));
    EXPECT_EQ(Pattern(8, 8, [&](HDC dc) { DrawArrowImage(dc, Rect(0, 0, 8, 8), black, 7); }),
              (std::vector<std::string>(8, "........")));
    EXPECT_EQ(Pattern(9, 9, [&](HDC dc) { DrawCheckImage(dc, 1, 0, black); }),
              (std::vector<std::string>{".........", ".......#.", "......##.", ".#...###.", ".##.###..", ".#####...",
                                        "..###....", "...#.....", "........."}));
    EXPECT_EQ(Pattern(10, 7, [&](HDC dc) { DrawRollDownImage(dc, 0, 0, black); }),
              (std::vector<std::string>{"..........", "..........", ".########.", "..######..", "...####...",
                                        "....##....", ".........."}));
    EXPECT_EQ(Pattern(12, 11, [&](HDC dc) { DrawMaximizeImage(dc, 0, 0, black); }),
              (std::vector<std::string>{"###########.", "###########.", "#.........#.", "#.........#.", "#.........#.",
                                        "#.........#.", "#.........#.", "#.........#.", "#.........#.", "###########.",
                                        "............"}));
    EXPECT_EQ(Pattern(8, 8, [&](HDC dc) { DrawTrayImage(dc, 0, 0, black); }),
              (std::vector<std::string>{"........", "........", "..#####.", "..#####.", "..#####.", "..#####.",
                                        "..#####.", "........"}));
    EXPECT_EQ(Pattern(11, 10, [&](HDC dc) { DrawCloseImage(dc, 0, 0, black); })[1], ".##.....##.");
    EXPECT_EQ(Pattern(7, 7, [&](HDC dc) { DrawRadioImage(dc, 0, 0, black); })[5], "######.");
}

struct TFontDC : ::testing::Test {
    TskBitmap Target;
    HFONT Font;
    TFontDC()
    {
        Target.SetSize(200, 40);
        LOGFONT lf;
        lf.lfHeight = -14;
        lf.lfFaceName = "DejaVu Sans Mono";
        Font = CreateFontIndirect(&lf);
        SelectObject(Target.DC(), ToGdiObj(Font));
    }
    ~TFontDC() override
    {
        Target.SetEmpty();
        DeleteObject(ToGdiObj(Font));
    }
};

TEST_F(TFontDC, FittingKeepsTheLongestPrefixThatFitsWithDots)
{
    const int cell = WideTextWidth(Target.DC(), "x");
    ASSERT_GT(cell, 0);
    std::string text = "abcd efghij"; // eleven characters of a fixed-pitch face
    WideFitTextToWidth(Target.DC(), text, 8 * cell);
    EXPECT_EQ(text, "abcd ...");
    std::string fits = "short";
    FitTextToWidth(Target.DC(), fits, 5 * cell);
    EXPECT_EQ(fits, "short");
    std::string none = "漢字も";
    FitTextToWidth(Target.DC(), none, 0);
    EXPECT_EQ(none, "...");
}

TEST(RectText, FourIntegersOrTheEmptyRectangle)
{
    struct Case {
        const char* Text;
        TRect Expected;
    };
    const Case cases[] = {
        {"1,2,30,40", Rect(1, 2, 30, 40)}, {"1, 2, 30, 40", Rect(1, 2, 30, 40)},
        {"(5;6=7:8)", Rect(0, 0, 0, 0)},   {"5;6=7:8", Rect(5, 6, 7, 8)},
        {"1,2,3", Rect(0, 0, 0, 0)},       {",1,2,3,4", Rect(0, 0, 0, 0)},
        {"1,x,3,4", Rect(0, 0, 0, 0)},     {"$10,0x10,-3,4 trailing", Rect(16, 16, -3, 4)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseRectText(c.Text), c.Expected) << c.Text;
    std::string s = "12 , rest", token;
    ExtractToken(s, token);
    EXPECT_EQ(token, "12");
    EXPECT_EQ(s, ", rest");
}

class TTwoMonitors : public TBackend {
public:
    std::vector<TMonitor> Monitors() override
    {
        return {TMonitor{{0, 0, 1280, 1024}, {0, 0, 1280, 990}}, TMonitor{{1280, 0, 2880, 900}, {1300, 0, 2880, 900}}};
    }
};

TEST(MonitorAreas, OneMonitorOrMissingEntriesUseThePrimaryScreen)
{
    TMainThread::SetCurrent();
    ReleaseSkinPlatformEntries();
    BindSkinPlatformEntries(TskPlatformEntries{});
    auto old = SetBackend(std::make_shared<TTwoMonitors>());
    EXPECT_FALSE(IsMultiMonitor()); // two monitors, but no bound entries
    RECT r{};
    GetMonitorWorkArea(nullptr, false, r);
    EXPECT_EQ(r, Rect(0, 0, 1280, 1024));
    GetScreenWorkArea(true, r);
    EXPECT_EQ(r, Rect(0, 0, 1280, 990));

    BindSkinPlatformEntries(WindowLayerPlatformEntries());
    EXPECT_TRUE(IsMultiMonitor());
    WNDCLASSEX wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "SkinDrawMonitorTest";
    RegisterClassEx(&wc);
    HWND w =
        CreateWindowEx(0, "SkinDrawMonitorTest", "", WS_POPUP, 2000, 100, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr);
    GetMonitorWorkArea(w, true, r);
    EXPECT_EQ(r, Rect(1300, 0, 2880, 900));
    GetMonitorWorkArea(w, false, r);
    EXPECT_EQ(r, Rect(1280, 0, 2880, 900));
    DestroyWindow(w);
    SetBackend(old);
    ReleaseSkinPlatformEntries();
}

} // namespace
} // namespace tovrel::test
