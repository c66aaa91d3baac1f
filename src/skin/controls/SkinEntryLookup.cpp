#include "skin/controls/SkinEntryLookup.h"

#include "platform/gdi/SysColors.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEditEntries.h"

namespace tovrel {

int FindSkinEntry(const TskSkinData* skinData, std::string_view name)
{
    if (skinData == nullptr || skinData->Empty)
        return -1;
    return skinData->GetControlIndex(name);
}

TColor EditEntryDisabledFontColor(const TskSkinData* skinData)
{
    const auto* edit = FindSkinEntryAs<const TskDataSkinEditControl>(skinData, "edit");
    return edit ? edit->DisabledFontColor : clGrayText;
}

} // namespace tovrel
