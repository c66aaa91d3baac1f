#include "skin/menus/PopupWindowLook.h"

#include "platform/vcl/Bitmap.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/draw/MaskRegions.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

void SetMenuPopupParams(TWinControl::TCreateParams& params)
{
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOOLWINDOW;
    params.WindowClassStyle |= CS_SAVEBITS;
    params.WndParent = nullptr;
}

void HideMenuPopup(TWinControl& window)
{
    if (window.HandleAllocated())
        SetWindowPos(window.Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    window.SetVisible(false);
}

namespace {

TskSkinCorners CornersOf(const TskDataSkinPopupWindow& entry)
{
    return {entry.LTPoint, entry.RTPoint, entry.LBPoint, entry.RBPoint, entry.ItemsRect};
}

} // namespace

HRGN CreatePopupWindowRegion(const TskDataSkinPopupWindow& entry, const TBitmap& picture, TBitmap& mask, int width,
                             int height)
{
    const TskSkinCorners skin = CornersOf(entry);
    const TskSkinCorners fresh = NewSkinCorners(skin, {picture.Width(), picture.Height()}, {width, height});
    return CreateSkinRegion(skin, fresh, mask, width, height);
}

void CreatePopupWindowImage(TBitmap& B, const TskDataSkinPopupWindow& entry, TBitmap& picture, int width, int height,
                            bool drawClient)
{
    const TskSkinCorners skin = CornersOf(entry);
    const TSize pictureSize{picture.Width(), picture.Height()};
    TskStretchFlags flags;
    flags.LeftStretch = entry.LeftStretch;
    flags.TopStretch = entry.TopStretch;
    flags.RightStretch = entry.RightStretch;
    flags.BottomStretch = entry.BottomStretch;
    flags.StretchEffect = entry.StretchEffect;
    flags.StretchType = entry.StretchType;
    CreateSkinImage2(skin, NewSkinCorners(skin, pictureSize, {width, height}), B, picture,
                     Rect(0, 0, pictureSize.cx, pictureSize.cy), width, height, drawClient, flags);
}

} // namespace tovrel
