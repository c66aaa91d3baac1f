#pragma once
// Which files a shell list shows: a mask of patterns joined by ";" or "|".
#include <string_view>

namespace tovrel {

// True when FileName matches one pattern of Mask: a pattern holding "." by
// the file-mask rules, or a pattern that is exactly "*". Patterns are trimmed
// of blanks first, so " *.aiff" in a filter text still finds .aiff files. An
// empty mask matches nothing; a malformed pattern raises EMaskException.
bool NameMatchesShellMask(std::string_view FileName, std::string_view Mask);

} // namespace tovrel
