#include "platform/rtl/Numbers.h"

#include "platform/rtl/Exceptions.h"

#include <cmath>
#include <limits>
#include <optional>

namespace tovrel {
namespace {

// 2^63 exactly; every double below it (and >= -2^63) fits an Int64.
constexpr double kTwo63 = 9223372036854775808.0;

std::int64_t ToInt64OrRaise(double whole)
{
    if (!(whole >= -kTwo63 && whole < kTwo63))
        throw EInvalidOp();
    return static_cast<std::int64_t>(whole);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Parses into the bits of a value of `bits` width; nullopt when invalid.
std::optional<std::int64_t> ParseInteger(std::string_view s, int bits)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return std::nullopt;
    const std::uint64_t hexLimit = bits == 64 ? std::numeric_limits<std::uint64_t>::max() : 0xFFFFFFFFull;
    const std::uint64_t decimalLimit = (std::uint64_t(1) << (bits - 1)) - (negative ? 0 : 1);
    const std::uint64_t limit = hex ? hexLimit : decimalLimit;
    const unsigned base = hex ? 16 : 10;
    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const int digit = HexDigit(s[i]);
        if (digit < 0 || unsigned(digit) >= base)
            return std::nullopt;
        if (magnitude > (limit - unsigned(digit)) / base)
            return std::nullopt;
        magnitude = magnitude * base + unsigned(digit);
    }
    if (negative)
        magnitude = ~magnitude + 1; // two's complement in 64 bits
    if (bits == 32)
        return static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)));
    return static_cast<std::int64_t>(magnitude);
}

[[noreturn]] void RaiseNotInteger(std::string_view s)
{
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

} // namespace

std::int64_t Round(double value)
{
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    double whole = floorValue;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floorValue, 2.0) != 0.0))
        whole += 1.0;
    return ToInt64OrRaise(whole);
}

std::int64_t Trunc(double value)
{
    return ToInt64OrRaise(std::trunc(value));
}

std::int64_t Div(std::int64_t a, std::int64_t b)
{
    if (b == 0)
        throw EDivByZero();
    if (b == -1)
        return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(a)); // wraps for the minimum
    return a / b;
}

std::int64_t Mod(std::int64_t a, std::int64_t b)
{
    if (b == 0)
        throw EDivByZero();
    if (b == -1)
        return 0;
    return a % b;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value)
{
    const auto parsed = ParseInteger(s, 64);
    if (parsed)
        value = *parsed;
    return parsed.has_value();
}

bool TryStrToInt(std::string_view s, int& value)
{
    const auto parsed = ParseInteger(s, 32);
    if (parsed)
        value = static_cast<int>(*parsed);
    return parsed.has_value();
}

int StrToInt(std::string_view s)
{
    int value = 0;
    if (!TryStrToInt(s, value))
        RaiseNotInteger(s);
    return value;
}

std::int64_t StrToInt64(std::string_view s)
{
    std::int64_t value = 0;
    if (!TryStrToInt64(s, value))
        RaiseNotInteger(s);
    return value;
}

int StrToIntDef(std::string_view s, int defaultValue)
{
    int value = 0;
    return TryStrToInt(s, value) ? value : defaultValue;
}

std::int64_t StrToInt64Def(std::string_view s, std::int64_t defaultValue)
{
    std::int64_t value = 0;
    return TryStrToInt64(s, value) ? value : defaultValue;
}

std::string IntToStr(std::int64_t value)
{
    return std::to_string(value);
}

std::string IntToHex(std::uint64_t value, int digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (int(out.size()) < digits)
        out.insert(0, size_t(digits) - out.size(), '0');
    return out;
}

} // namespace tovrel
