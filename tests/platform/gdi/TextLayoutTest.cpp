// DrawText layout on a made-up font whose widths are easy to add up.
#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextFlags.h"
#include "platform/gdi/TextUtf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

// Latin letters 10 px, 'i' 4, space 5, Chinese 20; cell 16 px, leading 2, tabs 8 x 7 px.
class TFakeMeasurer : public ITextMeasurer {
public:
    int CharWidth(char32_t c) override
    {
        if (c == U' ')
            return 5;
        if (c == U'i')
            return 4;
        if (c < 0x20)
            return 0;
        return c >= 0x2E80 ? 20 : 10;
    }
    int LineHeight() override { return 16; }
    int ExternalLeading() override { return 2; }
    int AveCharWidth() override { return 7; }
};

std::string LineText(const TLaidLine& line)
{
    std::u32string s;
    for (const auto& c : line.Chars)
        s.push_back(c.Char);
    return EncodeUtf8(s);
}

std::vector<std::string> Lines(const TTextLayout& layout)
{
    std::vector<std::string> out;
    for (const auto& line : layout.Lines)
        out.push_back(LineText(line));
    return out;
}

struct TBreakCase {
    const char* Name;
    const char* Text;
    int Width;
    unsigned Flags;
    std::vector<std::string> Expected;
};

class TextLayoutBreaks : public testing::TestWithParam<TBreakCase> {};

TEST_P(TextLayoutBreaks, GivesTheExpectedLines)
{
    TFakeMeasurer m;
    const auto& c = GetParam();
    const auto layout = LayoutDrawText(m, c.Text, Rect(0, 0, c.Width, 100), c.Flags);
    EXPECT_EQ(Lines(layout), c.Expected);
    EXPECT_EQ(layout.Result, 16 * int(c.Expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextLayoutBreaks,
    testing::Values(
        TBreakCase{"WordsWrapAtSpaces", "aaa bbb ccc", 75, DT_WORDBREAK, {"aaa bbb", "ccc"}},
        TBreakCase{"SpacesAtABreakAreDropped", "aaa    bbb", 35, DT_WORDBREAK, {"aaa", "bbb"}},
        TBreakCase{"LongWordStaysWhole", "aaaaaaaaaa b", 30, DT_WORDBREAK, {"aaaaaaaaaa", "b"}},
        TBreakCase{"ChineseBreaksBetweenCharacters", "你好世界", 45, DT_WORDBREAK, {"你好", "世界"}},
        TBreakCase{"ChineseCommaNeverStartsALine", "你好，世界", 45, DT_WORDBREAK, {"你", "好，", "世界"}},
        TBreakCase{"MixedLatinAndChinese", "ab你好", 35, DT_WORDBREAK, {"ab", "你", "好"}},
        TBreakCase{"LineBreaksSplitParagraphs", "a\r\nb\nc\rd", 100, 0, {"a", "b", "c", "d"}},
        TBreakCase{"LineFeedCarriageReturnIsOneBreak", "a\n\rb\r\n\r\nc", 100, 0, {"a", "b", "", "c"}},
        TBreakCase{"EmptyParagraphKeepsItsLine", "a\n\nb", 100, 0, {"a", "", "b"}},
        TBreakCase{"FinalLineBreakAddsNoLine", "a\n", 100, 0, {"a"}},
        TBreakCase{"SingleLineIgnoresBreaks", "a\r\nb c", 10, DT_SINGLELINE | DT_WORDBREAK, {"ab c"}},
        TBreakCase{"NoWordBreakKeepsLongLines", "aaa bbb ccc", 20, 0, {"aaa bbb ccc"}},
        TBreakCase{"DoubleAmpersandIsLiteral", "a&&b", 100, 0, {"a&b"}},
        TBreakCase{"NoPrefixKeepsAmpersands", "&File", 100, DT_NOPREFIX, {"&File"}},
        TBreakCase{"EndEllipsis", "abcdefgh", 50, DT_SINGLELINE | DT_END_ELLIPSIS, {"ab..."}},
        TBreakCase{"EndEllipsisLeavesFittingText", "abcde", 50, DT_SINGLELINE | DT_END_ELLIPSIS, {"abcde"}},
        TBreakCase{
            "PathEllipsisKeepsTheFileName", "/home/user/file", 120, DT_SINGLELINE | DT_PATH_ELLIPSIS, {"/hom.../file"}},
        TBreakCase{
            "PathEllipsisCutsATooLongFileName", "/a/verylongname", 60, DT_SINGLELINE | DT_PATH_ELLIPSIS, {"/a/..."}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TextLayout, PathEllipsisOnAVeryLongPathFits)
{
    TFakeMeasurer m;
    std::string path;
    for (int i = 0; i < 5000; ++i)
        path += "/dir";
    path += "/file.mp4";
    const auto layout = LayoutDrawText(m, path, Rect(0, 0, 200, 20), DT_SINGLELINE | DT_PATH_ELLIPSIS);
    const std::string shown = LineText(layout.Lines[0]);
    EXPECT_LE(layout.Lines[0].Width, 200);
    EXPECT_EQ(shown.substr(shown.size() - 12), ".../file.mp4");
}

TEST(TextLayout, PrefixMarksTheCharacterAfterTheAmpersand)
{
    TFakeMeasurer m;
    const auto layout = LayoutDrawText(m, "E&xit", Rect(0, 0, 100, 20), DT_SINGLELINE);
    ASSERT_EQ(layout.Lines.size(), 1u);
    const auto& chars = layout.Lines[0].Chars;
    ASSERT_EQ(chars.size(), 4u);
    EXPECT_FALSE(chars[0].Prefixed);
    EXPECT_TRUE(chars[1].Prefixed);
    EXPECT_EQ(chars[1].X, 10);
    EXPECT_EQ(chars[1].Width, 10);

    const auto hidden = LayoutDrawText(m, "E&xit", Rect(0, 0, 100, 20), DT_SINGLELINE | DT_HIDEPREFIX);
    for (const auto& c : hidden.Lines[0].Chars)
        EXPECT_FALSE(c.Prefixed);
}

TEST(TextLayout, CalcRectGrowsFromTheTopLeftCorner)
{
    TFakeMeasurer m;
    const auto layout = LayoutDrawText(m, "aaa bbb ccc", Rect(10, 20, 85, 25), DT_WORDBREAK | DT_CALCRECT | DT_CENTER);
    EXPECT_EQ(layout.Bounds, Rect(10, 20, 10 + 65, 20 + 32));
    EXPECT_EQ(layout.Result, 32);

    const auto empty = LayoutDrawText(m, "", Rect(10, 20, 85, 25), DT_CALCRECT);
    EXPECT_TRUE(empty.Lines.empty());
    EXPECT_EQ(empty.Bounds, Rect(10, 20, 10, 20));
    EXPECT_EQ(empty.Result, 0);
    EXPECT_TRUE(LayoutDrawText(m, "&", Rect(0, 0, 50, 50), DT_CALCRECT).Lines.empty());
}

TEST(TextLayout, AlignmentPlacesEachLine)
{
    TFakeMeasurer m;
    struct TCase {
        unsigned Flags;
        int Left;
        int Top;
        int Result;
    };
    // "ab" is 20 wide and 16 high in a 100 x 40 rectangle at (10, 20).
    const TCase cases[] = {
        {DT_SINGLELINE, 10, 20, 16},
        {DT_SINGLELINE | DT_CENTER, 50, 20, 16},
        {DT_SINGLELINE | DT_RIGHT, 90, 20, 16},
        {DT_SINGLELINE | DT_VCENTER, 10, 32, 28},
        {DT_SINGLELINE | DT_BOTTOM, 10, 44, 40},
        {DT_VCENTER, 10, 20, 16}, // vertical placement needs a single line
    };
    for (const auto& c : cases) {
        const auto layout = LayoutDrawText(m, "ab", Rect(10, 20, 110, 60), c.Flags);
        ASSERT_EQ(layout.Lines.size(), 1u);
        EXPECT_EQ(layout.Lines[0].Left, c.Left) << c.Flags;
        EXPECT_EQ(layout.Lines[0].Top, c.Top) << c.Flags;
        EXPECT_EQ(layout.Result, c.Result) << c.Flags;
    }
    const auto leading = LayoutDrawText(m, "a\nb", Rect(0, 0, 100, 100), DT_EXTERNALLEADING);
    EXPECT_EQ(leading.Lines[1].Top, 18);
}

TEST(TextLayout, TabsExpandToEightAverageCharacters)
{
    TFakeMeasurer m;
    const auto expanded = LayoutDrawText(m, "a\tb\tc", Rect(0, 0, 500, 20), DT_EXPANDTABS);
    const auto& chars = expanded.Lines[0].Chars;
    EXPECT_EQ(chars[2].X, 56);
    EXPECT_EQ(chars[4].X, 112);
    const auto plain = LayoutDrawText(m, "a\tb", Rect(0, 0, 500, 20), 0);
    EXPECT_EQ(plain.Lines[0].Chars[2].X, 10); // an unexpanded tab has no width in this font
}

TEST(TextLayout, TabbedLineUsesTheGivenStops)
{
    TFakeMeasurer m;
    const int listStops[] = {40, 0, 0}; // stops "40", "x1", "" of a list box
    auto line = LayoutTabbedLine(m, "a\tb\tc", listStops, 0, 0);
    EXPECT_EQ(line.Chars[2].X, 40);
    EXPECT_EQ(line.Chars[4].X, 55); // past the last stop a tab is one space

    const int every25[] = {25};
    line = LayoutTabbedLine(m, "a\tb\tc", every25, 0, 0);
    EXPECT_EQ(line.Chars[2].X, 25);
    EXPECT_EQ(line.Chars[4].X, 50);

    line = LayoutTabbedLine(m, "a\tb", every25, 10, 0); // stops count from the origin, not from x
    EXPECT_EQ(line.Chars[2].X, 15);
    EXPECT_EQ(line.Left, 10);

    line = LayoutTabbedLine(m, "a\tb", {}, 0, 0);
    EXPECT_EQ(line.Chars[2].X, 56);
}

TEST(TextLayout, DrawTextExSetsTabsAndMargins)
{
    TFakeMeasurer m;
    struct TCase {
        const char* Name;
        const char* Text;
        int Width;
        unsigned Flags;
        TDrawTextParams Params;
        std::vector<int> Lefts; // of each line
        int LastX;              // of the first line's last character
        int CalcRight;          // of the DT_CALCRECT rectangle
    } cases[] = {
        {"a tab stop every four average characters", "a\tb", 100, DT_EXPANDTABS | DT_TABSTOP, {4, 0, 0}, {0}, 28, 38},
        {"the tab length needs DT_TABSTOP", "a\tb", 100, DT_EXPANDTABS, {4, 0, 0}, {0}, 56, 66},
        {"a left margin", "ab", 100, 0, {8, 5, 0}, {5}, 10, 25},
        {"a right margin, right-aligned", "ab", 100, DT_RIGHT, {8, 0, 10}, {70}, 10, 30},
        {"centred between the margins", "ab", 100, DT_CENTER, {8, 10, 30}, {30}, 10, 60},
        {"margins narrow the line", "aaa bbb", 70, DT_WORDBREAK, {8, 5, 5}, {5, 5}, 20, 40},
    };
    for (const auto& c : cases) {
        const auto layout = LayoutDrawText(m, c.Text, Rect(0, 0, c.Width, 100), c.Flags, c.Params);
        std::vector<int> lefts;
        for (const auto& line : layout.Lines)
            lefts.push_back(line.Left);
        EXPECT_EQ(lefts, c.Lefts) << c.Name;
        EXPECT_EQ(layout.Lines[0].Chars.back().X, c.LastX) << c.Name;
        const auto measured = LayoutDrawText(m, c.Text, Rect(0, 0, c.Width, 100), c.Flags | DT_CALCRECT, c.Params);
        EXPECT_EQ(measured.Bounds.Right, c.CalcRight) << c.Name;
    }
}

TEST(TextLayout, TheLengthDrawnStopsAtTheFirstLineBelowTheRectangle)
{
    TFakeMeasurer m; // lines 16 high
    struct TCase {
        const char* Name;
        const char* Text;
        int Width, Height;
        unsigned Flags;
        std::size_t LengthDrawn; // bytes
    } cases[] = {
        {"everything fits", "aa\nbb", 100, 32, 0, 5},
        {"a line partly inside is drawn", "aa\nbb\ncc", 100, 20, 0, 6},
        {"bytes of UTF-8", "你好\n世界", 100, 10, 0, 7},
        {"wrapped lines", "aaa bbb ccc", 35, 16, DT_WORDBREAK, 4},
        {"an empty line", "a\n\nb", 100, 16, 0, 2},
        {"a prefixed line starts at its ampersand", "&a\n&b", 100, 10, 0, 3},
        {"DT_NOCLIP takes all", "aa\nbb\ncc", 100, 20, DT_NOCLIP, 8},
        {"DT_CALCRECT takes all", "aa\nbb\ncc", 100, 20, DT_CALCRECT, 8},
        {"one line takes all", "aa\nbb", 100, 1, DT_SINGLELINE, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutDrawText(m, c.Text, Rect(0, 0, c.Width, c.Height), c.Flags).LengthDrawn, c.LengthDrawn)
            << c.Name;
}

TEST(TextUtf8, MalformedBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(DecodeUtf8("a\xE4\xBD\xA0"), U"a你");
    EXPECT_EQ(DecodeUtf8("\xE4\xBD"), U"\uFFFD\uFFFD");           // truncated sequence
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");           // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD"); // surrogate
    EXPECT_EQ(EncodeUtf8(U"a你😀"), "a\xE4\xBD\xA0\xF0\x9F\x98\x80");
}

} // namespace
} // namespace tovrel::test
