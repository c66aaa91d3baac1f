#pragma once
// Windowed skinned control with a resizable skin image and a window region
// from the entry's mask.
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinCustomized.h"

namespace tovrel {

class TskSkinCustomControl : public TskSkinCustomized<TskSkinControl> {
public:
    explicit TskSkinCustomControl(TComponent* AOwner) : TskSkinCustomized(AOwner) {}

    // With a nine-slice entry, paint only the border strips and lay the
    // client block straight onto the screen (controls that hold child windows,
    // where a control-sized bitmap would be large and mostly covered).
    bool ForcebackGround = false;
    // In that mode, whether the client block is laid down at all.
    bool DrawbackGround = true;
    bool HasRegion() const { return hasRegion_; }

protected:
    void Paint() override;
    void SetControlRegion() override;
    void StretchedResize() override { CheckControlsBackground(); }
    bool PaintsBackgroundDirectly() const override { return ForcebackGround; }

private:
    void PaintBorderStrips();

    bool hasRegion_ = false;
};

} // namespace tovrel
