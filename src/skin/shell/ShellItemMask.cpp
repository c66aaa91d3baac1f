#include "skin/shell/ShellItemMask.h"

#include "platform/rtl/Masks.h"

namespace tovrel {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool PatternMatches(std::string_view FileName, std::string_view Pattern)
{
    if (Pattern == "*")
        return true;
    return Pattern.find('.') != std::string_view::npos && MatchesMask(FileName, Pattern);
}

} // namespace

bool NameMatchesShellMask(std::string_view FileName, std::string_view Mask)
{
    while (!Mask.empty()) {
        const auto end = Mask.find_first_of(";|");
        if (PatternMatches(FileName, Trimmed(Mask.substr(0, end))))
            return true;
        if (end == std::string_view::npos)
            break;
        Mask.remove_prefix(end + 1);
    }
    return false;
}

} // namespace tovrel
