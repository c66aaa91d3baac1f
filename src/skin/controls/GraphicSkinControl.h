#pragma once
// Base of the skinned controls without a window of their own.
#include "platform/vcl/CustomControls.h"
#include "skin/controls/SkinnedControl.h"

namespace tovrel {

class TskGraphicSkinControl : public TskSkinned<TGraphicControl> {
public:
    // Opaque: the whole rectangle comes from the off-screen bitmap.
    explicit TskGraphicSkinControl(TComponent* AOwner) : TskSkinned(AOwner) { ControlStyle.Include(csOpaque); }
};

} // namespace tovrel
