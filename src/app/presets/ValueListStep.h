#pragma once

#include <string>
#include <vector>

#include "app/presets/PresetCatalog.h"

namespace tovrel {

// What one parameter box holds after the value-list step.
struct TBoxFill {
    std::vector<std::string> Items;
    int Selected = -1; // -1: no item selected (the box keeps its old text)
    bool Enabled = true;
};

struct TParameterBoxesFill {
    bool KeyFound = false;
    TPerBox<TBoxFill> Boxes;
};

// The value-list step for a preset key: each box gets its list and default
// position; an audio-only key disables the frame-size, video-bitrate, frame-rate
// and aspect boxes. A key without a row leaves six empty, enabled boxes.
TParameterBoxesFill FillParameterBoxes(const TPresetCatalog& catalog, int key);

} // namespace tovrel
