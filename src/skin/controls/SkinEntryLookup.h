#pragma once
// The one rule every skinned control uses to find its entry in a skin.
#include "skin/data/SkinData.h"

#include <string_view>

namespace tovrel {

// Position of the named control entry; -1 without skin data, while the skin
// is empty, or when the skin has no such entry.
int FindSkinEntry(const TskSkinData* skinData, std::string_view name);

// Entry Index when it is of kind T; null for -1 or another kind.
template <class T> T* SkinEntryAt(const TskSkinData* skinData, int Index)
{
    return Index == -1 ? nullptr : dynamic_cast<T*>(skinData->CtrlList[std::size_t(Index)].get());
}

// The named entry when the skin has it and it is of kind T.
template <class T> T* FindSkinEntryAs(const TskSkinData* skinData, std::string_view name)
{
    return SkinEntryAt<T>(skinData, FindSkinEntry(skinData, name));
}

// The disabled text colour of the skin's "edit" entry, which the boxes that
// hold an edit part share; clGrayText without one.
TColor EditEntryDisabledFontColor(const TskSkinData* skinData);

} // namespace tovrel
