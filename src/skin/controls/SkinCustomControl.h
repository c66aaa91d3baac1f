#pragma once
// Windowed skinned control with a resizable skin image and a window region
// from the entry's mask.
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinCustomized.h"

namespace tovrel {

class TskSkinCustomControl : public TskSkinCustomized<TskSkinControl> {
public:
    explicit TskSkinCustomControl(TComponent* AOwner) : TskSkinCustomized(AOwner) {}

protected:
    void StretchedResize() override { CheckControlsBackground(); }
};

} // namespace tovrel
