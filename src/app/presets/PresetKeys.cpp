#include "app/presets/PresetKeys.h"

#include "app/presets/PresetCatalog.h"

namespace tovrel {

std::optional<int> CategoryCode(int categoryPosition)
{
    const TPresetCategory* category = MainPresets().Category(categoryPosition);
    if (category == nullptr)
        return std::nullopt;
    return category->Code;
}

std::optional<int> PresetKey(int categoryPosition, int formatPosition)
{
    const std::optional<int> code = CategoryCode(categoryPosition);
    if (!code)
        return std::nullopt;
    return formatPosition + (*code + 1) * 100;
}

int DialogPresetKey(int categoryIndex, int formatIndex)
{
    return (categoryIndex + 1) * 100 + formatIndex;
}

int RowCategoryCode(int categoryPosition, int formatPosition)
{
    return (categoryPosition + 1) * 100 + formatPosition;
}

TCategoryFormatPositions DecodeRowCategoryCode(int rowCategoryCode)
{
    const int hundreds = rowCategoryCode / 100;
    return {hundreds - 1, rowCategoryCode - 100 * hundreds};
}

} // namespace tovrel
