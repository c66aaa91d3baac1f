#pragma once
// Text helpers over UTF-8 std::string with the run-time library's meanings:
// Trim drops every character <= ' ' at the ends, case rules are ASCII only,
// and Copy/Length/Pos count characters (code points), 1-based like the Parts.
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// The lines of text, split at CR, LF or CR LF as string lists split them; a
// break at the very end starts no further line.
std::vector<std::string_view> SplitLines(std::string_view text);

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// < 0, 0 or > 0 comparing the ASCII-uppercased texts byte by byte.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// Characters in s; a byte that does not start a valid sequence counts as one.
int Utf8Length(std::string_view s);
// count characters from the 1-based character index (clamped as Copy does:
// an index below 1 counts from 1, past the end gives "").
std::string Utf8Copy(std::string_view s, int index, int count);
// 1-based character index of the first sub in s, 0 when absent or sub is empty.
int Utf8Pos(std::string_view sub, std::string_view s);

// Code points, for matching character by character. Invalid input becomes U+FFFD.
std::u32string Utf8ToUtf32(std::string_view s);
// For stored formats that keep UTF-16. Invalid input becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

} // namespace tovrel
