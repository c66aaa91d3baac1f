#include "platform/rtl/Text.h"

#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

TEST(TextTest, TrimDropsEverythingUpToSpaceAtBothEnds)
{
    EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
    EXPECT_EQ(Trim("\x1f\x7f"), "\x7f"); // DEL is above space
    EXPECT_EQ(Trim("  "), "");
    EXPECT_EQ(Trim(" 中文 "), "中文"); // UTF-8 bytes are above space
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(TextTest, LinesSplitAtEveryKindOfLineBreak)
{
    struct Case {
        std::string_view Text;
        std::vector<std::string_view> Lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n", {"a"}}, // a final break starts no line
        {"\n", {""}},
        {"a\n\r\nb", {"a", "", "b"}}, // LF then CR LF: an empty line between
        {"a\r\r\nb", {"a", "", "b"}}, // a lone CR ends a line of its own
        {"a\n\rb", {"a", "", "b"}},   // LF CR is two breaks
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitLines(c.Text), c.Lines) << testing::PrintToString(std::string(c.Text));
}

TEST(TextTest, CaseRulesAreAsciiOnly)
{
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"abc", "ABC", 0}, {"abc", "abd", -1}, {"b", "A", 1},
        {"ab", "abc", -1}, {"", "", 0},        {"É", "é", -1}, // not ASCII: compared as bytes
        {"_", "a", 1},                                         // 'a' is compared as 'A' (0x41), below '_' (0x5F)
    };
    for (const auto& c : cases) {
        const int r = CompareText(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ(SameText(c.a, c.b), c.sign == 0) << c.a << " / " << c.b;
    }
    EXPECT_EQ(UpperCase("abcÉé"), "ABCÉé");
    EXPECT_EQ(LowerCase("ABC.AVI"), "abc.avi");
}

TEST(TextTest, CharacterLevelCopyLengthAndPos)
{
    const std::string s = "视频a转换"; // 5 characters, 13 bytes
    EXPECT_EQ(Utf8Length(s), 5);
    EXPECT_EQ(Utf8Copy(s, 2, 2), "频a");
    EXPECT_EQ(Utf8Copy(s, 0, 1), "视");     // an index below 1 counts from 1
    EXPECT_EQ(Utf8Copy(s, 4, 100), "转换"); // count past the end stops there
    EXPECT_EQ(Utf8Copy(s, 6, 1), "");
    EXPECT_EQ(Utf8Copy(s, 1, 0), "");
    EXPECT_EQ(Utf8Pos("a", s), 3);
    EXPECT_EQ(Utf8Pos("x", s), 0);
    EXPECT_EQ(Utf8Pos("", s), 0);
    // A broken sequence counts one character per bad byte and is never split further.
    EXPECT_EQ(Utf8Length("a\xE8\xA7"), 3);
    EXPECT_EQ(Utf8Copy("\xE8\xA7x", 3, 1), "x");
}

TEST(TextTest, Utf16RoundTripAndReplacement)
{
    const std::string s = "A视😀";
    const std::u16string wide = Utf8ToUtf16(s);
    EXPECT_EQ(wide, (std::u16string{u'A', u'视', 0xD83D, 0xDE00}));
    EXPECT_EQ(Utf16ToUtf8(wide), s);
    EXPECT_EQ(Utf8ToUtf16("\xFF"), std::u16string(1, char16_t(0xFFFD)));
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), std::u16string(2, char16_t(0xFFFD)));     // overlong
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD"); // lone surrogate
}

} // namespace
} // namespace tovrel::test
