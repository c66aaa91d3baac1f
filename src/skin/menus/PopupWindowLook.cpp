#include "skin/menus/PopupWindowLook.h"

#include "platform/vcl/Bitmap.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinFixedEntries.h"
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

void CreatePopupWindowImage(TBitmap& B, const TskDataSkinPopupWindow& entry, TBitmap& picture, int width, int height,
                            bool drawClient)
{
    const TskSkinCorners skin{entry.LTPoint, entry.RTPoint, entry.LBPoint, entry.RBPoint, entry.ItemsRect};
    const TSize pictureSize{picture.Width(), picture.Height()};
    CreateSkinImage2(skin, NewSkinCorners(skin, pictureSize, {width, height}), B, picture,
                     Rect(0, 0, pictureSize.cx, pictureSize.cy), width, height, drawClient, StretchFlagsOf(entry));
}

} // namespace tovrel
