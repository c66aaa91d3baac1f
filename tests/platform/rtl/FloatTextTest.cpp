#include "platform/rtl/FloatText.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ExpectMessage.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace tovrel::test {
namespace {

TEST(FloatTextTest, FloatToStrShortestFormWith15Digits)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {12.5, "12.5"},
        {0.1 + 0.2, "0.3"},
        {-3, "-3"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1234567890123456.0, "1.23456789012346E15"},
        {0.0001, "0.0001"},
        {0.00001, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {999999999999999.9, "1E15"}, // rounding carries into a new digit
        {INFINITY, "INF"},
        {-INFINITY, "-INF"},
        {std::nan(""), "NAN"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStr(c.value), c.text) << c.value;
}

TEST(FloatTextTest, StrToFloatTable)
{
    struct Case {
        const char* text;
        bool valid;
        double value;
    };
    const Case cases[] = {
        {"1.5", true, 1.5},
        {" -0.25 ", true, -0.25},
        {"+2", true, 2},
        {".5", true, 0.5},
        {"5.", true, 5},
        {"1e3", true, 1000},
        {"2.5E-2", true, 0.025},
        {"1e-400", true, 0},
        {"1,5", false, 0},
        {"", false, 0},
        {"e5", false, 0},
        {"1e", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"0x10", false, 0},
        {"1e400", false, 0},
        {"1.5x", false, 0},
        {".", false, 0},
        // Exponents beyond what a long holds: too large, and too small (zero).
        {"4E44444444444444444444", false, 0},
        {"4E-44444444444444444444", true, 0},
    };
    for (const auto& c : cases) {
        double value = -99;
        EXPECT_EQ(TryStrToFloat(c.text, value), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
    test::ExpectThrowsMessage<EConvertError>([] { StrToFloat("abc"); }, "'abc' is not a valid floating point value");
}

// A GUI may set a locale with a decimal comma; the text forms must not change.
TEST(FloatTextTest, IndependentOfTheNumericLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    const bool haveCommaLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_EQ(FloatToTextFixed(1234.5, 2, true), "1,234.50");
    EXPECT_EQ(StrToFloat("2.5"), 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!haveCommaLocale)
        GTEST_SKIP() << "no locale with a decimal comma installed";
}

TEST(FloatTextTest, FixedRoundsHalvesAwayFromZero)
{
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {2.5, 0, "3"},         {0.125, 2, "0.13"},  {-0.125, 2, "-0.13"},
        {0.005, 2, "0.01"},    {-0.001, 2, "0.00"}, // rounds to zero: no sign
        {99.995, 2, "100.00"}, {0.05, 0, "0"},      {1234567.891, 1, "1234567.9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToTextFixed(c.value, c.decimals, false), c.text) << c.value;
}

} // namespace
} // namespace tovrel::test
