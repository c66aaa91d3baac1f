#pragma once
// Small text rules of the option text: blanks, ASCII case and time values.
#include <cstdint>
#include <string>

namespace tovrel {

// Removes every character up to the space (control characters too) at both ends.
std::string TrimBlanks(const std::string& text);
std::string LowerCaseAscii(std::string text);
bool SameTextAscii(const std::string& a, const std::string& b);
// A 64-bit time in microseconds; text that is not a number gives kUnsetTime.
std::int64_t TimeFromText(const std::string& text);

} // namespace tovrel
