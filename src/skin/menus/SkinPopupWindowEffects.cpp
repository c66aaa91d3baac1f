// A level's looks beyond its rows' pictures: the rows' morph and animation
// ticks, the shape from the skin's mask and the alpha and fade-in of a
// layered level.
#include "platform/vcl/Timer.h"
#include "platform/wm/Paint.h"
#include "skin/menus/PopupFade.h"
#include "skin/menus/PopupWindowLook.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

namespace tovrel {

void TskSkinPopupWindow::MorphTick()
{
    bool changed = false;
    for (auto& item : ItemList) {
        if (item->EnableMorphing() && item->CanMorphing()) {
            item->DoMorphing();
            changed = true;
        } else if (item->EnableAnimation() && item->AnimationStep()) {
            changed = true;
        }
    }
    if (!changed)
        MorphTimer->SetEnabled(false);
}

void TskSkinPopupWindow::SetMenuRegion()
{
    // The layer owns the region from here; a null one takes the shape away.
    SetWindowRgn(Handle(), CreatePopupWindowRegion(*PW, *WindowPicture, *MaskPicture, Width(), Height()), true);
}

void TskSkinPopupWindow::PrepareAlpha()
{
    const TskSkinMenu& engine = *ParentMenu;
    // Only the first level of a popup fades; sub-menus appear at their alpha.
    FFade->Prepare(Handle(), engine.AlphaBlend, engine.AlphaBlendAnimation && engine.First(), engine.AlphaBlendValue,
                   engine.AlphaBlendValue / kLevelFadeSteps);
}

} // namespace tovrel
