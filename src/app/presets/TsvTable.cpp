#include "app/presets/TsvTable.h"

#include <algorithm>

#include "app/presets/PresetErrors.h"
#include "platform/rtl/Numbers.h"

namespace tovrel {

std::vector<std::string> SplitFields(std::string_view text, char separator)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        fields.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

TTsvTable TTsvTable::Parse(std::string_view text, std::string_view source)
{
    TTsvTable table;
    table.FSource = std::string(source);
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        std::vector<std::string> fields = SplitFields(line, '\t');
        if (table.FHeader.empty()) {
            table.FHeader = std::move(fields);
            continue;
        }
        if (fields.size() != table.FHeader.size()) {
            throw EPresetDataError(table.FSource + ": line " + std::to_string(lineNumber) + " has " +
                                   std::to_string(fields.size()) + " fields, the header " +
                                   std::to_string(table.FHeader.size()));
        }
        table.FRows.push_back(std::move(fields));
    }
    if (table.FHeader.empty())
        throw EPresetDataError(table.FSource + ": no header line");
    return table;
}

bool TTsvTable::HasColumn(std::string_view name) const
{
    return std::find(FHeader.begin(), FHeader.end(), name) != FHeader.end();
}

std::size_t TTsvTable::ColumnIndex(std::string_view name) const
{
    const auto it = std::find(FHeader.begin(), FHeader.end(), name);
    if (it == FHeader.end())
        throw EPresetDataError(FSource + ": no column " + std::string(name));
    return static_cast<std::size_t>(it - FHeader.begin());
}

void TTsvTable::Fail(std::size_t row, std::string_view name, std::string_view what) const
{
    throw EPresetDataError(FSource + ": row " + std::to_string(row + 1) + ", column " + std::string(name) + ": " +
                           std::string(what));
}

const std::string& TTsvTable::Field(std::size_t row, std::string_view name) const
{
    return FRows.at(row)[ColumnIndex(name)];
}

int TTsvTable::IntField(std::size_t row, std::string_view name) const
{
    const std::string& text = Field(row, name);
    int value = 0;
    if (!TryStrToInt(text, value))
        Fail(row, name, "\"" + text + "\" is not an integer");
    return value;
}

bool TTsvTable::BoolField(std::size_t row, std::string_view name) const
{
    const std::string& text = Field(row, name);
    if (text == "True")
        return true;
    if (text != "False")
        Fail(row, name, "\"" + text + "\" is neither True nor False");
    return false;
}

} // namespace tovrel
