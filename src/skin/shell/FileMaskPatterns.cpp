#include "skin/shell/FileMaskPatterns.h"

#include "platform/rtl/Masks.h"
#include "platform/rtl/Text.h"

#include <algorithm>

namespace tovrel {

std::vector<std::string> FileMaskPatterns(std::string_view Mask, std::string_view Separators)
{
    std::vector<std::string> patterns;
    while (!Mask.empty()) {
        const std::size_t bar = Mask.find_first_of(Separators);
        std::string pattern = Trim(Mask.substr(0, bar));
        if (!pattern.empty())
            patterns.push_back(std::move(pattern));
        Mask = bar == std::string_view::npos ? std::string_view() : Mask.substr(bar + 1);
    }
    return patterns;
}

bool MatchesFileMask(std::string_view Name, std::string_view Mask)
{
    const std::vector<std::string> patterns = FileMaskPatterns(Mask);
    return std::any_of(patterns.begin(), patterns.end(),
                       [Name](const std::string& pattern) { return MatchesWildcard(Name, pattern); });
}

std::vector<std::string> NamesMatchingFileMask(const std::vector<std::string>& Names, std::string_view Mask)
{
    std::vector<std::string> matching;
    for (const std::string& name : Names)
        if (MatchesFileMask(name, Mask))
            matching.push_back(name);
    return matching;
}

} // namespace tovrel
