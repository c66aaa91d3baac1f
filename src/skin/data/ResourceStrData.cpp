#include "skin/data/ResourceStrData.h"

#include <stdexcept>

#include "embedded/skin_tables.h"
#include "platform/rtl/Text.h"

namespace tovrel {

namespace {

// data/skin/resource-strings.tsv: a header row, then "NAME<TAB>text" per line.
std::vector<std::string> ParseDefaultLines(std::string_view tsv)
{
    std::vector<std::string> lines;
    const auto headerEnd = tsv.find('\n');
    tsv = headerEnd == std::string_view::npos ? std::string_view{} : tsv.substr(headerEnd + 1);
    while (!tsv.empty()) {
        const auto end = tsv.find('\n');
        std::string_view row = tsv.substr(0, end);
        tsv = end == std::string_view::npos ? std::string_view{} : tsv.substr(end + 1);
        if (row.ends_with('\r'))
            row.remove_suffix(1);
        if (row.empty())
            continue;
        const auto tab = row.find('\t');
        if (tab == std::string_view::npos)
            throw std::logic_error("string table row without a tab: " + std::string(row));
        lines.push_back(std::string(row.substr(0, tab)) + "=" + std::string(row.substr(tab + 1)));
    }
    return lines;
}

} // namespace

const std::vector<std::string>& TskResourceStrData::DefaultResStrings()
{
    static const std::vector<std::string> lines =
        ParseDefaultLines(embedded::skin_tables::Find("resource-strings.tsv").value_or(std::string_view{}));
    return lines;
}

TskResourceStrData::TskResourceStrData() : FResStrs(DefaultResStrings()) {}

std::string TskResourceStrData::GetResStr(std::string_view ResName) const
{
    for (const std::string& line : FResStrs) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && SameText(std::string_view(line).substr(0, equals), ResName))
            return line.substr(equals + 1);
    }
    return {};
}

} // namespace tovrel
