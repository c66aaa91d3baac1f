#pragma once
// A file mask as the file boxes take it: patterns separated by ";" ("*.mp4;
// *.mkv"). Blanks around a pattern are not part of it, so " *.aiff" finds
// .aiff files; empty patterns match nothing.
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

// The mask's patterns, trimmed, empty ones left out; any character of
// Separators ends a pattern.
std::vector<std::string> FileMaskPatterns(std::string_view Mask, std::string_view Separators = ";");
// True when any pattern matches Name (file-search wildcard rules, "*.*"
// matching every name).
bool MatchesFileMask(std::string_view Name, std::string_view Mask);
// The names that match, in their order, each listed once however many
// patterns it matches.
std::vector<std::string> NamesMatchingFileMask(const std::vector<std::string>& Names, std::string_view Mask);

} // namespace tovrel
