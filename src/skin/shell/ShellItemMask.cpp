#include "skin/shell/ShellItemMask.h"

#include "platform/rtl/Masks.h"
#include "skin/shell/FileMaskPatterns.h"

#include <algorithm>

namespace tovrel {

namespace {

bool PatternMatches(std::string_view FileName, std::string_view Pattern)
{
    if (Pattern == "*")
        return true;
    return Pattern.find('.') != std::string_view::npos && MatchesMask(FileName, Pattern);
}

} // namespace

bool NameMatchesShellMask(std::string_view FileName, std::string_view Mask)
{
    const std::vector<std::string> patterns = FileMaskPatterns(Mask, ";|");
    return std::any_of(patterns.begin(), patterns.end(),
                       [FileName](const std::string& pattern) { return PatternMatches(FileName, pattern); });
}

} // namespace tovrel
