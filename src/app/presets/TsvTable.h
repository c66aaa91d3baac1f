#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

// The pieces of `text` between the separators (one piece for a text without one).
std::vector<std::string> SplitFields(std::string_view text, char separator);

// A tab-separated table whose first line names the columns. Fields are taken as
// they stand (no quoting); blank lines are ignored.
class TTsvTable {
public:
    // Throws EPresetDataError naming `source` when a row's width differs from the
    // header's.
    static TTsvTable Parse(std::string_view text, std::string_view source);

    const std::vector<std::string>& Header() const { return FHeader; }
    std::size_t RowCount() const { return FRows.size(); }
    bool HasColumn(std::string_view name) const;

    // Field of row `row` in column `name`; throws EPresetDataError when the
    // column is missing.
    const std::string& Field(std::size_t row, std::string_view name) const;
    // Integer field; throws EPresetDataError when it is not a decimal integer.
    int IntField(std::size_t row, std::string_view name) const;
    // "True" or "False"; anything else throws EPresetDataError.
    bool BoolField(std::size_t row, std::string_view name) const;

private:
    std::size_t ColumnIndex(std::string_view name) const;
    [[noreturn]] void Fail(std::size_t row, std::string_view name, std::string_view what) const;

    std::string FSource;
    std::vector<std::string> FHeader;
    std::vector<std::vector<std::string>> FRows;
};

} // namespace tovrel
