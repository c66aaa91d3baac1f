#include "skin/controls/SkinEntryLookup.h"

#include "skin/data/SkinData.h"

namespace tovrel {

int FindSkinEntry(const TskSkinData* skinData, std::string_view name)
{
    if (skinData == nullptr || skinData->Empty)
        return -1;
    return skinData->GetControlIndex(name);
}

} // namespace tovrel
