#pragma once
// An icon table (skins/icons/*.tsv): one picture per row, by index, with the
// glyph, colour and style it is drawn in. Lines starting with ";" are
// comments; the first other line names the columns.
#include <string>
#include <vector>

#include "IconPainter.h"

namespace tovrel::skingen {

// Rows in index order; raises std::runtime_error naming the file and line for
// a malformed row or an index out of sequence.
std::vector<TIconSpec> LoadIconTable(const std::string& fileName);

// Draws every icon of the table at size x size into folder/<index>.png.
void WriteIcons(const std::vector<TIconSpec>& icons, int size, const std::string& folder);

} // namespace tovrel::skingen
