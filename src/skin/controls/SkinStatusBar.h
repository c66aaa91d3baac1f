#pragma once
// A bar at the bottom of a form with an optional size grip in its
// bottom-right corner, drawn from the skin entry ("statusbar") or as diagonal
// lines. The grip answers the hit test with the bottom-right sizing code, so
// the layer's size loop sizes the form from it.
//
// It is a panel without border and caption: the default face, or the
// entry's client block laid over the whole bar.
#include "skin/controls/SkinGripperImage.h"
#include "skin/controls/SkinPanel.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

class TskSkinStatusBar : public TskSkinPanel {
public:
    explicit TskSkinStatusBar(TComponent* AOwner);

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    // Off while the form is maximized.
    bool ShowGrip() const { return FShowGrip; }
    void SetShowGrip(bool Value);
    bool GripActive() const { return FSizeGrip && FShowGrip; }

    // Also hands the skin data to every skinned child.
    void SetSkinData(TskSkinData* Value) override;
    void GetSkinData() override;
    // The panel's, without the grip's strip.
    void AdjustClientRect(TRect& Rect) const override;
    // The grip's rectangle in client coordinates.
    TRect GetGripRect() const;

protected:
    void WndProc(TMessage& Message) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;

private:
    bool HasGripperPicture() const { return FIndex != -1 && !IsNullRect(Gripper.Rect); }
    void DrawGripLines(TCanvas& Canvas, TColor LightColor, TColor ShadowColor) const;

    bool FSizeGrip = false;
    bool FShowGrip = true;
    TskGripperImage Gripper;
};

} // namespace tovrel
