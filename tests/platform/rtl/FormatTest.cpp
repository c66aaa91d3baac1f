#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ExpectMessage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tovrel::test {
namespace {

TEST(FormatTest, IntegerDirectives)
{
    EXPECT_EQ(Format("%d", 42), "42");
    EXPECT_EQ(Format("%.2d:%.2d:%.2d", 1, 2, 3), "01:02:03");
    EXPECT_EQ(Format("%.3d", -5), "-005");
    EXPECT_EQ(Format("%5d|%-5d|", 42, 42), "   42|42   |");
    EXPECT_EQ(Format("%04x", 31), "  1F"); // width pads with blanks, never zeros
    EXPECT_EQ(Format("%.4x", 31), "001F");
    EXPECT_EQ(Format("%X", -1), "FFFFFFFF");
    EXPECT_EQ(Format("%x", std::int64_t(-1)), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%u", -1), "4294967295");
    EXPECT_EQ(Format("%u", 7u), "7");
    EXPECT_EQ(Format("%d", std::uint64_t(18446744073709551615ull)), "18446744073709551615");
    EXPECT_EQ(Format("%d", std::int64_t(-9223372036854775807LL - 1)), "-9223372036854775808");
}

TEST(FormatTest, FloatDirectives)
{
    EXPECT_EQ(Format("%f", 1.0 / 3), "0.33");
    EXPECT_EQ(Format("%.2f GB", 1.005), "1.00 GB"); // 1.00499999...
    EXPECT_EQ(Format("%3.2f", 25.0), "25.00");
    EXPECT_EQ(Format("%1.0f", 2.5), "3");
    EXPECT_EQ(Format("%8.0f|", 1234.0), "    1234|");
    EXPECT_EQ(Format("%e", 1234.5), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", -0.000123), "-1.23E-004");
    EXPECT_EQ(Format("%g", 0.5), "0.5");
    EXPECT_EQ(Format("%g", 1e20), "1E020");
    EXPECT_EQ(Format("%n", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("%.0n", -1234.0), "-1,234");
    EXPECT_EQ(Format("%m", -1234.5), "-¥1,234.50");
}

TEST(FormatTest, TextPointerAndLiteral)
{
    EXPECT_EQ(Format("%s=%s", "a", std::string("b")), "a=b");
    EXPECT_EQ(Format("[%-16s]", "name"), "[name            ]");
    EXPECT_EQ(Format("[%4s]", "视频"), "[  视频]"); // width counts characters
    EXPECT_EQ(Format("%.2s", "视频文件"), "视频");
    EXPECT_EQ(Format("%s", 'c'), "c");
    EXPECT_EQ(Format("100%%"), "100%");
    EXPECT_EQ(Format("%p", reinterpret_cast<const void*>(std::uintptr_t(0xABC))), "0000000000000ABC");
}

TEST(FormatTest, StarAndIndex)
{
    EXPECT_EQ(Format("%*d|%-*d|", 4, 7, 3, 8), "   7|8  |");
    EXPECT_EQ(Format("%.*f", 3, 1.0), "1.000");
    EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b"); // after an index the next argument follows it
}

TEST(FormatTest, BadFormatsRaiseConvertError)
{
    struct Case {
        const char* format;
        const char* message;
    };
    const Case cases[] = {
        {"%d", "No argument for format '%d'"},
        {"%s", "Format '%s' invalid or incompatible with argument"}, // given an integer below
        {"%k", "Format '%k' invalid or incompatible with argument"},
        {"abc%", "Format 'abc%' invalid or incompatible with argument"},
        {"%.f", "Format '%.f' invalid or incompatible with argument"},
    };
    for (const auto& c : cases) {
        const std::string format = c.format;
        test::ExpectThrowsMessage<EConvertError>([&] { format == "%d" ? Format(format) : Format(format, 1); },
                                                 c.message);
    }
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%f", 1), EConvertError);
}

} // namespace
} // namespace tovrel::test
