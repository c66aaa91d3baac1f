#pragma once
// TDateTime: days since 1899-12-30 as a double, the time of day in the
// fraction (for negative values the fraction still counts forward from
// midnight, as the run-time library defined it).
#include <cstdint>
#include <string>
#include <string_view>

namespace tovrel {

using TDateTime = double;

constexpr double UnixDateDelta = 25569.0; // 1970-01-01
constexpr double SecsPerDay = 86400.0;
constexpr double MSecsPerDay = 86400000.0;

// Invalid parts raise EConvertError.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
int DayOfWeek(TDateTime value); // 1 = Sunday ... 7 = Saturday

// Local time now, to the millisecond.
TDateTime Now();

// Local time minus universal time, in days, at the given instant, with
// daylight saving applied when it is in force then.
double LocalTimeOffsetDays(std::int64_t unixSeconds);
// Unix seconds <-> local TDateTime, with the offset in force at that time.
TDateTime UnixTimeToLocalDateTime(std::int64_t unixSeconds);
std::int64_t LocalDateTimeToUnixTime(TDateTime value);

// Tokens: d dd ddd dddd, m mm mmm mmmm (minutes right after h/hh), yy yyyy,
// h hh, n nn, s ss, z zzz, am/pm and a/p (12-hour clock), '/' and ':' as
// separators, "..." and '...' as literal text; any other character is copied.
// Day and month names are English.
std::string FormatDateTime(std::string_view format, TDateTime value);

} // namespace tovrel
