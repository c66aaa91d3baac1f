#pragma once
// Non-windowed skinned control with a resizable skin image (no region).
#include "skin/controls/GraphicSkinControl.h"
#include "skin/controls/SkinCustomized.h"

namespace tovrel {

class TskGraphicSkinCustomControl : public TskSkinCustomized<TskGraphicSkinControl> {
public:
    explicit TskGraphicSkinCustomControl(TComponent* AOwner) : TskSkinCustomized(AOwner) {}
};

} // namespace tovrel
