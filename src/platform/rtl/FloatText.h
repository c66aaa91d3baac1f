#pragma once
// Locale-free float text: "." is always the decimal separator, whatever a
// later setlocale says. Rounding works on the value's first 18 significant
// decimal digits and rounds halves away from zero, as the run-time library did.
#include <string>
#include <string_view>

namespace tovrel {

// Blanks around the number are allowed; "1.5", "-.5", "2e-3". Anything else
// (and a value out of the double range) raises EConvertError
// "'%s' is not a valid floating point value".
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& value);
double StrToFloatDef(std::string_view s, double defaultValue);

// 15 significant digits, shortest form: "0.3", "12.5", "1E15", "1E-5",
// "INF", "-INF", "NAN".
std::string FloatToStr(double value);

// The building blocks of FloatToStr and Format's float directives.
// General: precision significant digits, fixed unless the exponent is above
// precision or below -3; exponent written with at least minExponentDigits
// digits and a sign only when negative.
std::string FloatToTextGeneral(double value, int precision, int minExponentDigits);
// "-d.dddE+ddd": precision significant digits, exponent always signed.
std::string FloatToTextExponent(double value, int precision, int minExponentDigits);
// decimals digits after the point; with thousands, "," every three digits.
std::string FloatToTextFixed(double value, int decimals, bool thousands);

} // namespace tovrel
