#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovrel {

// Locale-free number texts: a GUI may change LC_NUMERIC, and "29.97" must read
// the same whatever it is.

// Optional sign and decimal digits only, the whole text; nothing on overflow.
std::optional<int> ParseDecimalInt(std::string_view text);

// Decimal fraction with "." as the separator, the whole text.
std::optional<double> ParseDecimalFraction(std::string_view text);

// Shortest text of `value` with at most 15 significant digits ("12200", "1.43").
std::string FloatToText(double value);

// Text without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tovrel
