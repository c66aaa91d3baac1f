#pragma once
// A bar at the bottom of a form with an optional size grip in its
// bottom-right corner, drawn from the skin entry ("statusbar") or as diagonal
// lines. The grip answers the hit test with the bottom-right sizing code, so
// the layer's size loop sizes the form from it.
//
// The bar carries the panel look it uses (no border, no caption): the
// default face, or the entry's client block laid over the whole bar.
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinGripperImage.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

class TskSkinStatusBar : public TskSkinCustomControl {
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
    void ChangeSkinData() override;
    void AdjustClientRect(TRect& Rect) const override;
    // (0, 0, Width, Height) through AdjustClientRect: without the grip's strip.
    TRect GetSkinClientRect() const;
    // The grip's rectangle in client coordinates.
    TRect GetGripRect() const;

protected:
    void WndProc(TMessage& Message) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;

private:
    bool HasGripperPicture() const { return FIndex != -1 && !IsNullRect(Gripper.Rect); }
    bool ClientBlockOnly() const;
    void DrawGripLines(TCanvas& Canvas, TColor LightColor, TColor ShadowColor) const;

    bool FSizeGrip = false;
    bool FShowGrip = true;
    int BGPictureIndex = -1;
    TskGripperImage Gripper;
};

} // namespace tovrel
