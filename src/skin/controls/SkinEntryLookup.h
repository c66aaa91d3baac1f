#pragma once
// The one rule every skinned control uses to find its entry in a skin.
#include <string_view>

namespace tovrel {

class TskSkinData;

// Position of the named control entry; -1 without skin data, while the skin
// is empty, or when the skin has no such entry.
int FindSkinEntry(const TskSkinData* skinData, std::string_view name);

} // namespace tovrel
