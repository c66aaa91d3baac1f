#pragma once

#include <optional>

namespace tovrel {

// Main window: the category box position mapped through the category code table;
// nothing for a position outside the table.
std::optional<int> CategoryCode(int categoryPosition);

// Main window: format position + (category code + 1) * 100. The format position
// is not checked (-1, no selection, gives a key without a row, such as 1099).
std::optional<int> PresetKey(int categoryPosition, int formatPosition);

// Output format dialog: (category index + 1) * 100 + format index, unchecked.
int DialogPresetKey(int categoryIndex, int formatIndex);

// The code a file-list row keeps: (category position + 1) * 100 + format position.
int RowCategoryCode(int categoryPosition, int formatPosition);

struct TCategoryFormatPositions {
    int CategoryPosition = 0;
    int FormatPosition = 0;
};

// Back to the two positions; format positions stay below 100.
TCategoryFormatPositions DecodeRowCategoryCode(int rowCategoryCode);

} // namespace tovrel
