#include "platform/rtl/DateTime.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace tovrel::test {
namespace {

TEST(DateTimeTest, EncodeDecodeAgainstKnownDays)
{
    struct Case {
        int y, m, d;
        double days;
    };
    const Case cases[] = {
        {1899, 12, 30, 0}, {1970, 1, 1, 25569}, {2000, 2, 29, 36585}, {1899, 12, 29, -1}, {2026, 12, 10, 46366},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.days) << c.y << "-" << c.m << "-" << c.d;
        int y, m, d;
        DecodeDate(c.days < 0 ? c.days - 0.75 : c.days + 0.75, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    }
    EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);

    int h, n, s, ms;
    DecodeTime(EncodeTime(13, 5, 9, 7), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 130509007);
    // Before day zero the fraction still counts from midnight: -1.25 is 1899-12-29 06:00.
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(DayOfWeek(0), 7); // a Saturday
}

TEST(DateTimeTest, FormatDateTimeTokens)
{
    const TDateTime t = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 9, 42);
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"yyyy-mm-dd hh:nn:ss", "2026-03-07 14:05:09"},
        {"hhnnss", "140509"},
        {"yy/m/d", "26/3/7"},
        {"hh:mm", "14:05"}, // m after h is minutes
        {"h:mm am/pm", "2:05 pm"},
        {"hh AM/PM", "02 PM"},
        {"h a/p", "2 p"},
        {"zzz z", "042 42"},
        {"ddd dddd mmm mmmm", "Sat Saturday Mar March"},
        {"'at' hh \"o'clock\"", "at 14 o'clock"},
        {"视频_hhnn", "视频_1405"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, t), c.text) << c.format;
}

// Runs a body with TZ set to zone, restoring it afterwards.
template <class Body> void WithTimeZone(const char* zone, Body body)
{
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    setenv("TZ", zone, 1);
    tzset();
    body();
    if (previous)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(DateTimeTest, LocalOffsetFollowsDaylightSaving)
{
    // Rules written out, so no zone database is needed: UTC+1, +2 in summer.
    WithTimeZone("CET-1CEST,M3.5.0,M10.5.0/3", [] {
        const std::int64_t winter = 1767225600; // 2026-01-01 00:00 UTC
        const std::int64_t summer = 1782864000; // 2026-07-01 00:00 UTC
        EXPECT_DOUBLE_EQ(LocalTimeOffsetDays(winter), 1.0 / 24);
        EXPECT_DOUBLE_EQ(LocalTimeOffsetDays(summer), 2.0 / 24);
        EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", UnixTimeToLocalDateTime(summer)), "2026-07-01 02:00");
        for (std::int64_t t : {winter, summer, winter + 12345})
            EXPECT_EQ(LocalDateTimeToUnixTime(UnixTimeToLocalDateTime(t)), t);
    });
    WithTimeZone("UTC0", [] { EXPECT_EQ(UnixTimeToLocalDateTime(0), UnixDateDelta); });
}

TEST(DateTimeTest, NowIsLocalTimeToday)
{
    const std::time_t before = std::time(nullptr);
    const TDateTime now = Now();
    const std::time_t after = std::time(nullptr);
    EXPECT_GE(LocalDateTimeToUnixTime(now), before - 1);
    EXPECT_LE(LocalDateTimeToUnixTime(now), after + 1);
}

} // namespace
} // namespace tovrel::test
