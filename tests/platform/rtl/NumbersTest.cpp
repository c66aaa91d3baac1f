#include "platform/rtl/Numbers.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ExpectMessage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tovrel::test {
namespace {

TEST(NumbersTest, RoundHalfToEvenAndTruncTable)
{
    struct Case {
        double value;
        std::int64_t rounded;
        std::int64_t truncated;
    };
    const Case cases[] = {
        {0.5, 0, 0},
        {1.5, 2, 1},
        {2.5, 2, 2},
        {-0.5, 0, 0},
        {-1.5, -2, -1},
        {-2.5, -2, -2},
        {2.4999, 2, 2},
        {2.5001, 3, 2},
        {-2.7, -3, -2},
        {1e15 + 0.5, 1000000000000000, 1000000000000000},
        {12.345 * 100, 1234, 1234}, // 1234.4999999999998
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.value), c.rounded) << c.value;
        EXPECT_EQ(Trunc(c.value), c.truncated) << c.value;
    }
    for (double bad : {std::nan(""), double(INFINITY), 9.3e18, -9.3e18}) {
        EXPECT_THROW(Round(bad), EInvalidOp) << bad;
        EXPECT_THROW(Trunc(bad), EInvalidOp) << bad;
    }
}

TEST(NumbersTest, DivModTruncateTowardZero)
{
    EXPECT_EQ(Div(-7, 2), -3);
    EXPECT_EQ(Mod(-7, 2), -1);
    EXPECT_EQ(Div(7, -2), -3);
    EXPECT_EQ(Mod(7, -2), 1);
    EXPECT_EQ(Div(std::numeric_limits<std::int64_t>::min(), -1), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Mod(std::numeric_limits<std::int64_t>::min(), -1), 0);
    EXPECT_THROW(Div(1, 0), EDivByZero);
    EXPECT_THROW(Mod(1, 0), EDivByZero);
}

TEST(NumbersTest, StrToIntTable)
{
    struct Case {
        const char* text;
        bool valid;
        int value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"  42", true, 42},
        {"+7", true, 7},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483647", true, 2147483647},
        {"$1F", true, 31},
        {"0x1f", true, 31},
        {"0X10", true, 16},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1}, // hex fills the 32 bits
        {"2147483648", false, 0},
        {"$100000000", false, 0},
        {"42 ", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x", false, 0},
        {"1.5", false, 0},
        {"abc", false, 0},
        {"1e3", false, 0},
    };
    for (const auto& c : cases) {
        int value = -99;
        EXPECT_EQ(TryStrToInt(c.text, value), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(value, c.value) << c.text;
            EXPECT_EQ(StrToInt(c.text), c.value);
        } else {
            EXPECT_EQ(StrToIntDef(c.text, -5), -5) << c.text;
        }
    }
    test::ExpectThrowsMessage<EConvertError>([] { StrToInt("12ab"); }, "'12ab' is not a valid integer value");
}

TEST(NumbersTest, StrToInt64RangeAndHex)
{
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(StrToInt64("2147483648"), 2147483648LL);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToInt64Def("x", 3), 3);
}

TEST(NumbersTest, IntToStrAndHex)
{
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x12345, 2), "12345");
}

} // namespace
} // namespace tovrel::test
