#include "platform/rtl/FloatText.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tovrel {
namespace {

constexpr int kMaxDigits = 18;

// value = 0.digits × 10^exponent; digits has no leading zero (empty for 0).
struct DecimalValue {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

DecimalValue ToDecimal(double value)
{
    DecimalValue d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kMaxDigits - 1, std::fabs(value));
    // Read digits and exponent without trusting the locale's decimal point.
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits += *p;
    d.exponent = std::atoi(p + 1) + 1;
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundDigits(DecimalValue& d, int keep)
{
    if (keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[size_t(keep)] >= '5';
    d.digits.resize(size_t(keep));
    if (up) {
        int i = keep - 1;
        for (; i >= 0 && d.digits[size_t(i)] == '9'; --i)
            d.digits[size_t(i)] = '0';
        if (i >= 0) {
            ++d.digits[size_t(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

std::string NonFinite(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string ExponentText(int exponent, int minDigits, bool alwaysSigned)
{
    std::string digits = std::to_string(std::abs(exponent));
    if (int(digits.size()) < minDigits)
        digits.insert(0, size_t(minDigits) - digits.size(), '0');
    const char* sign = exponent < 0 ? "-" : (alwaysSigned ? "+" : "");
    return "E" + std::string(sign) + digits;
}

char DigitAt(const DecimalValue& d, int index)
{
    return index >= 0 && index < int(d.digits.size()) ? d.digits[size_t(index)] : '0';
}

std::string Signed(const DecimalValue& d, std::string text)
{
    // A value that rounds to zero has no sign.
    return d.negative && !d.digits.empty() ? "-" + text : text;
}

// Power of ten of the leading non-zero digit of a checked number text, plus one.
int DecimalMagnitude(std::string_view text)
{
    size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    int magnitude = 0;
    bool leading = true;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.')
            continue;
        const bool beforePoint = text.find('.') == std::string_view::npos || i < text.find('.');
        if (leading && text[i] == '0') {
            if (!beforePoint)
                --magnitude;
            continue;
        }
        leading = false;
        if (beforePoint)
            ++magnitude;
    }
    long exponent = 0;
    // strtol saturates an exponent of many digits; bounded here, adding the
    // magnitude cannot overflow and the result is clamped the same.
    if (i < text.size())
        exponent = std::clamp(std::strtol(std::string(text.substr(i + 1)).c_str(), nullptr, 10), -(1L << 40), 1L << 40);
    return int(std::clamp(exponent + magnitude, -100000L, 100000L));
}

} // namespace

bool TryStrToFloat(std::string_view s, double& value)
{
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && s[begin] == ' ')
        ++begin;
    while (end > begin && s[end - 1] == ' ')
        --end;
    const std::string_view text = s.substr(begin, end - begin);
    // Check the syntax ourselves: from_chars also takes "inf", "nan" and hex.
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t mantissaDigits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        ++mantissaDigits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            ++mantissaDigits;
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    const bool plus = text[0] == '+';
    const char* first = text.data() + (plus ? 1 : 0);
    double parsed = 0;
    const auto result = std::from_chars(first, text.data() + text.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars says this for overflow and underflow alike.
        if (DecimalMagnitude(text) > 0)
            return false;
        parsed = text[0] == '-' ? -0.0 : 0.0;
    } else if (result.ec != std::errc()) {
        return false;
    }
    value = parsed;
    return true;
}

double StrToFloat(std::string_view s)
{
    double value = 0;
    if (!TryStrToFloat(s, value))
        throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
    return value;
}

double StrToFloatDef(std::string_view s, double defaultValue)
{
    double value = 0;
    return TryStrToFloat(s, value) ? value : defaultValue;
}

std::string FloatToTextGeneral(double value, int precision, int minExponentDigits)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    precision = std::clamp(precision, 1, kMaxDigits);
    DecimalValue d = ToDecimal(value);
    RoundDigits(d, precision);
    if (d.digits.empty())
        return "0";
    const int e = d.exponent;
    if (e > precision || e < -3) {
        std::string mantissa(1, d.digits[0]);
        if (d.digits.size() > 1)
            mantissa += "." + d.digits.substr(1);
        return Signed(d, mantissa + ExponentText(e - 1, minExponentDigits, false));
    }
    std::string text;
    if (e <= 0) {
        text = "0." + std::string(size_t(-e), '0') + d.digits;
    } else {
        for (int i = 0; i < e; ++i)
            text += DigitAt(d, i);
        if (int(d.digits.size()) > e)
            text += "." + d.digits.substr(size_t(e));
    }
    return Signed(d, text);
}

std::string FloatToTextExponent(double value, int precision, int minExponentDigits)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    precision = std::clamp(precision, 1, kMaxDigits);
    DecimalValue d = ToDecimal(value);
    RoundDigits(d, precision);
    std::string text(1, DigitAt(d, 0));
    if (precision > 1) {
        text += '.';
        for (int i = 1; i < precision; ++i)
            text += DigitAt(d, i);
    }
    const int exponent = d.digits.empty() ? 0 : d.exponent - 1;
    return Signed(d, text + ExponentText(exponent, minExponentDigits, true));
}

std::string FloatToTextFixed(double value, int decimals, bool thousands)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    DecimalValue d = ToDecimal(value);
    RoundDigits(d, d.exponent + decimals);
    std::string whole;
    for (int i = 0; i < d.exponent; ++i)
        whole += DigitAt(d, i);
    if (whole.empty())
        whole = "0";
    if (thousands)
        for (int at = int(whole.size()) - 3; at > 0; at -= 3)
            whole.insert(size_t(at), 1, ',');
    std::string text = whole;
    if (decimals > 0) {
        text += '.';
        for (int i = 0; i < decimals; ++i)
            text += DigitAt(d, d.exponent + i);
    }
    return Signed(d, text);
}

std::string FloatToStr(double value)
{
    return FloatToTextGeneral(value, 15, 0);
}

} // namespace tovrel
