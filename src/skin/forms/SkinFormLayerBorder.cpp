// When the skin's layered border shows around the form, and its following
// of the form's bounds, state and activation.
#include "platform/vcl/Forms.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowState.h"
#include "skin/forms/LayerBorder.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

bool TskSkinForm::CanShowBorderLayer() const
{
    return FSD && !FSD->Empty && FSD->ShowLayeredBorders() && FSD->LayerFrame.PictureIndex != -1 &&
           FBorderLayer->HasFrame() && LayeredUsable() && FSkinnableForm && !AlwaysDisableLayeredFrames &&
           !PreviewMode && Bordered() && FForm->FormStyle() != fsMDIChild;
}

bool TskSkinForm::IsBorderFadeMode() const
{
    return CanShowBorderLayer() && !FAlphaBlend && !AlphaBlendAnimation && !FSD->AnimationForAllWindows;
}

void TskSkinForm::UpdateBorderLayer()
{
    TskFormLayerBorder& border = *FBorderLayer;
    const bool shown = FForm->HandleAllocated() && IsWindowVisible(FForm->Handle()) && !IsIconic(FForm->Handle());
    if (!CanShowBorderLayer() || !shown || FWindowState != wsNormal) {
        if (border.Visible())
            border.Hide();
        return;
    }
    if (!border.Visible()) {
        border.FActive = FFormActive;
        border.ShowWithForm();
        return;
    }
    const TRect now = FForm->BoundsRect(), was = border.ShownFor();
    if (now.Width() != was.Width() || now.Height() != was.Height())
        border.SetBoundsWithForm();
    else if (now != was)
        border.MoveWithForm();
}

} // namespace tovrel
