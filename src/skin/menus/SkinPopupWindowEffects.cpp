// A level's looks beyond its rows' pictures: the rows' morph and animation
// ticks, the shape from the skin's mask and the alpha and fade-in of a
// layered level.
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Window.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/draw/MaskRegions.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

#include <algorithm>

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
    const TskSkinCorners skin{PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect};
    const int W = Width(), H = Height(), pw = WindowPicture->Width(), ph = WindowPicture->Height();
    const TskSkinCorners fresh{PW->LTPoint, Point(W - (pw - PW->RTPoint.X), PW->RTPoint.Y),
                               Point(PW->LBPoint.X, H - (ph - PW->LBPoint.Y)),
                               Point(W - (pw - PW->RBPoint.X), H - (ph - PW->RBPoint.Y)), NewItemsRect};
    // The layer owns the region from here; a null one takes the shape away.
    SetWindowRgn(Handle(), CreateSkinRegion(skin, fresh, *MaskPicture, W, H), true);
}

void TskSkinPopupWindow::PrepareAlpha()
{
    FFadeIn = false;
    if (!ParentMenu->AlphaBlend || !LayeredWindowsAvailable())
        return;
    // Only the first level of a popup fades; sub-menus appear at their alpha.
    FFadeIn = ParentMenu->AlphaBlendAnimation && ParentMenu->First();
    const HWND wnd = Handle();
    SetWindowLongPtr(wnd, GWL_EXSTYLE, GetWindowLongPtr(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    FadeAlpha = FFadeIn ? 0 : ParentMenu->AlphaBlendValue;
    SetLayeredWindowAttributes(wnd, 0, BYTE(FadeAlpha), LWA_ALPHA);
}

void TskSkinPopupWindow::StartFadeIn()
{
    // One step per tick, so the fade runs from the message loop and the
    // layer's clock instead of holding the thread in a waiting loop.
    if (FFadeIn)
        FFadeTimer->SetEnabled(true);
}

void TskSkinPopupWindow::FadeTick()
{
    const int target = ParentMenu->AlphaBlendValue;
    FadeAlpha = std::min(target, FadeAlpha + std::max(1, target / kLevelFadeSteps));
    if (HandleAllocated())
        SetLayeredWindowAttributes(Handle(), 0, BYTE(FadeAlpha), LWA_ALPHA);
    if (FadeAlpha >= target)
        FFadeTimer->SetEnabled(false);
}

} // namespace tovrel
