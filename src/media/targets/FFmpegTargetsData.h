#pragma once
// The engine's tables kept as data (data/media/*.tsv, embedded at build time):
// tab-separated, the first line naming the columns, an empty field meaning
// "not set".
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

struct TMediaTable {
    std::vector<std::string> Header;
    std::vector<std::vector<std::string>> Rows; // each as wide as the header

    // The column's index; EAssertionFailed when the table has no such column.
    std::size_t Column(std::string_view name) const;
};

// The embedded table of that file name, parsed once. A missing or malformed
// table is a build fault and raises EAssertionFailed.
const TMediaTable& EmbeddedMediaTable(std::string_view fileName);

// Parses table text; EAssertionFailed names `source` when a row's width
// differs from the header's.
TMediaTable ParseMediaTable(std::string_view text, std::string_view source);

} // namespace tovrel
