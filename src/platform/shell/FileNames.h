#pragma once
// File names as the file system keeps them: raw bytes, usually UTF-8 but not
// always. Items keep the bytes; only what is shown is made readable.
#include <string>
#include <string_view>

namespace tovrel {

// UTF-8 text for the name: valid sequences as they are, every other byte as
// "\xNN", so a name with a broken byte still shows and stays distinct.
std::string FileNameDisplayText(std::string_view rawName);
// True for a name that can be given to an entry in a folder: not empty, not
// "." or "..", without "/" and NUL.
bool IsValidEntryName(std::string_view name);
// Names without regard to case (ASCII letters folded), raw bytes breaking ties:
// negative, 0 (identical bytes only) or positive.
int CompareEntryNames(std::string_view a, std::string_view b);
// Names starting with "." are hidden.
bool IsHiddenEntryName(std::string_view name);

} // namespace tovrel
