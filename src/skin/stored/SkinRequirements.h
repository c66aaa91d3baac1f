#pragma once
// The entries the program's windows look up in a stored skin, by name, with
// the kind word of their class and, for images cut into pieces, the resize
// mode their corner points must give.
#include <optional>
#include <span>
#include <string_view>

#include "skin/stored/SkinValidation.h"

namespace tovrel {

// The resize modes of a pieced image (corner-point rule of the skinned controls).
enum class TskResizeMode { Fixed = 0, Both = 1, WidthOnly = 2, HeightOnly = 3 };

struct TskRequiredEntry {
    std::string_view Name;
    std::string_view Kind;
    bool Object = false;
    bool User = true;
    bool Tools = false;
    std::optional<TskResizeMode> Resize;
};

std::span<const TskRequiredEntry> RequiredSkinEntries();

} // namespace tovrel
