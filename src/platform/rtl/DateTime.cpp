#include "platform/rtl/DateTime.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace tovrel {
namespace {

constexpr const char* kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kLongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kLongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(std::int64_t(yoe) + era * 400 + (month <= 2));
}

bool IsLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Whole days and milliseconds of the day; the fraction counts forward from
// midnight whatever the sign of the value.
struct TimeStamp {
    std::int64_t days;
    std::int64_t msecOfDay;
};

TimeStamp ToTimeStamp(TDateTime value)
{
    std::int64_t days = Trunc(value);
    std::int64_t ms = Round(std::fabs(value - double(days)) * MSecsPerDay);
    if (ms >= std::int64_t(MSecsPerDay)) { // rounding reached the next midnight
        ms -= std::int64_t(MSecsPerDay);
        days += value < 0 ? -1 : 1;
    }
    return {days, ms};
}

std::string TwoDigits(int v)
{
    return (v < 10 ? "0" : "") + std::to_string(v);
}

std::string Padded(int v, int width)
{
    std::string s = std::to_string(v);
    return s.size() < size_t(width) ? std::string(size_t(width) - s.size(), '0') + s : s;
}

class DateTimeFormatter {
public:
    DateTimeFormatter(std::string_view format, TDateTime value) : format_(format)
    {
        DecodeDate(value, year_, month_, day_);
        DecodeTime(value, hour_, minute_, second_, msec_);
        dayOfWeek_ = DayOfWeek(value);
        twelveHour_ = HasAmPm();
    }

    std::string Run()
    {
        std::string out;
        bool lastWasHour = false;
        size_t i = 0;
        while (i < format_.size()) {
            const char c = format_[i];
            const char lower = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
            const size_t run = RunLength(i, lower);
            bool isHour = false;
            if (c == '"' || c == '\'') {
                const size_t close = format_.find(c, i + 1);
                const size_t end = close == std::string_view::npos ? format_.size() : close;
                out.append(format_.substr(i + 1, end - i - 1));
                i = end == format_.size() ? end : end + 1;
                continue;
            }
            if (lower == 'a' && StartsWithNoCase(i, "am/pm")) {
                out += hour_ < 12 ? "am" : "pm";
                AdjustCase(out, 2, format_.substr(i, 2));
                lastWasHour = false;
                i += 5;
                continue;
            }
            if (lower == 'a' && StartsWithNoCase(i, "a/p")) {
                out += hour_ < 12 ? 'a' : 'p';
                AdjustCase(out, 1, format_.substr(i, 1));
                lastWasHour = false;
                i += 3;
                continue;
            }
            switch (lower) {
            case 'y': out += run <= 2 ? TwoDigits(year_ % 100) : Padded(year_, 4); break;
            case 'm':
                if (lastWasHour && run <= 2)
                    out += run == 1 ? std::to_string(minute_) : TwoDigits(minute_);
                else
                    out += run == 1   ? std::to_string(month_)
                           : run == 2 ? TwoDigits(month_)
                           : run == 3 ? kShortMonths[month_ - 1]
                                      : kLongMonths[month_ - 1];
                break;
            case 'd':
                out += run == 1   ? std::to_string(day_)
                       : run == 2 ? TwoDigits(day_)
                       : run == 3 ? kShortDays[dayOfWeek_ - 1]
                                  : kLongDays[dayOfWeek_ - 1];
                break;
            case 'h': {
                const int h = twelveHour_ ? (hour_ % 12 == 0 ? 12 : hour_ % 12) : hour_;
                out += run == 1 ? std::to_string(h) : TwoDigits(h);
                isHour = true;
                break;
            }
            case 'n': out += run == 1 ? std::to_string(minute_) : TwoDigits(minute_); break;
            case 's': out += run == 1 ? std::to_string(second_) : TwoDigits(second_); break;
            case 'z': out += run >= 3 ? Padded(msec_, 3) : std::to_string(msec_); break;
            default: out.append(format_.substr(i, run)); break;
            }
            // Separators between them keep "h" and "m" together ("hh:mm").
            if (lower >= 'a' && lower <= 'z')
                lastWasHour = isHour;
            i += (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 'n' || lower == 's' ||
                  lower == 'z')
                     ? ClampRun(lower, run)
                     : run;
        }
        return out;
    }

private:
    size_t RunLength(size_t i, char lower) const
    {
        size_t n = 1;
        while (i + n < format_.size() && LowerAt(i + n) == lower)
            ++n;
        return n;
    }

    static size_t ClampRun(char lower, size_t run)
    {
        switch (lower) {
        case 'y': return run; // yy or yyyy (any longer run is four digits)
        case 'm':
        case 'd': return run > 4 ? 4 : run;
        case 'z': return run >= 3 ? 3 : 1;
        default: return run > 2 ? 2 : run;
        }
    }

    char LowerAt(size_t i) const
    {
        const char c = format_[i];
        return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }

    bool StartsWithNoCase(size_t i, std::string_view word) const
    {
        return format_.size() - i >= word.size() && SameText(format_.substr(i, word.size()), word);
    }

    bool HasAmPm() const
    {
        for (size_t i = 0; i < format_.size(); ++i)
            if (StartsWithNoCase(i, "am/pm") || StartsWithNoCase(i, "a/p"))
                return true;
        return false;
    }

    // "AM/PM" gives "AM", "am/pm" gives "am".
    static void AdjustCase(std::string& out, size_t count, std::string_view pattern)
    {
        if (pattern[0] >= 'A' && pattern[0] <= 'Z')
            for (size_t k = out.size() - count; k < out.size(); ++k)
                out[k] = char(out[k] - 'a' + 'A');
    }

    std::string_view format_;
    int year_, month_, day_, hour_, minute_, second_, msec_, dayOfWeek_;
    bool twelveHour_;
};

} // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError("Invalid argument to date encode");
    return double(DaysFromCivil(year, unsigned(month), unsigned(day))) + UnixDateDelta;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw EConvertError("Invalid argument to time encode");
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / MSecsPerDay;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    const TimeStamp ts = ToTimeStamp(value);
    CivilFromDays(ts.days - std::int64_t(UnixDateDelta), year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond)
{
    std::int64_t ms = ToTimeStamp(value).msecOfDay;
    millisecond = int(ms % 1000);
    ms /= 1000;
    second = int(ms % 60);
    ms /= 60;
    minute = int(ms % 60);
    hour = int(ms / 60);
}

int DayOfWeek(TDateTime value)
{
    // 1899-12-30 was a Saturday.
    const std::int64_t days = ToTimeStamp(value).days;
    return int(((days + 6) % 7 + 7) % 7) + 1;
}

double LocalTimeOffsetDays(std::int64_t unixSeconds)
{
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    if (!localtime_r(&t, &local))
        return 0;
    return double(local.tm_gmtoff) / SecsPerDay;
}

TDateTime UnixTimeToLocalDateTime(std::int64_t unixSeconds)
{
    return double(unixSeconds) / SecsPerDay + UnixDateDelta + LocalTimeOffsetDays(unixSeconds);
}

std::int64_t LocalDateTimeToUnixTime(TDateTime value)
{
    // Take the offset at the instant as if the value were universal time, then
    // once more at the corrected instant, so a value near a change of offset
    // lands on the right side of it.
    const std::int64_t asUtc = Round((value - UnixDateDelta) * SecsPerDay);
    const std::int64_t guess = asUtc - Round(LocalTimeOffsetDays(asUtc) * SecsPerDay);
    return asUtc - Round(LocalTimeOffsetDays(guess) * SecsPerDay);
}

TDateTime Now()
{
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::int64_t seconds = sinceEpoch / 1000;
    return UnixTimeToLocalDateTime(seconds) + double(sinceEpoch % 1000) / MSecsPerDay;
}

std::string FormatDateTime(std::string_view format, TDateTime value)
{
    return DateTimeFormatter(format, value).Run();
}

} // namespace tovrel
