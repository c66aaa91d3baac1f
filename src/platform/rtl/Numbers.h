#pragma once
// Integer semantics of the run-time library: Round (half to even), Trunc,
// truncating div/mod, and integer text with decimal, "$" and "0x" hex forms.
#include <cstdint>
#include <string>
#include <string_view>

namespace tovrel {

// Both raise EInvalidOp for NaN, infinities and values outside Int64.
std::int64_t Round(double value);
std::int64_t Trunc(double value);
// Truncate toward zero like C++; a zero divisor raises EDivByZero.
std::int64_t Div(std::int64_t a, std::int64_t b);
std::int64_t Mod(std::int64_t a, std::int64_t b);

// Leading blanks and a sign are allowed; "$1F", "0x1F" and "-$1F" are hex.
// A hex text fills the type's bits ("$FFFFFFFF" is -1 as a 32-bit value);
// a decimal text must be in range. Anything else raises EConvertError
// "'%s' is not a valid integer value".
int StrToInt(std::string_view s);
std::int64_t StrToInt64(std::string_view s);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, std::int64_t& value);
int StrToIntDef(std::string_view s, int defaultValue);
std::int64_t StrToInt64Def(std::string_view s, std::int64_t defaultValue);

std::string IntToStr(std::int64_t value);
// Upper-case hex with at least digits digits.
std::string IntToHex(std::uint64_t value, int digits);

} // namespace tovrel
