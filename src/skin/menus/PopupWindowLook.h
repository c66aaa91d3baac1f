#pragma once
// What the menu level windows and the images grid share: the window kind of
// a popup that never activates, hiding it in place, and the skin's
// popup-window picture and mask cut to a window size.
#include "platform/gdi/GdiTypes.h"
#include "platform/vcl/WinControl.h"

namespace tovrel {

class TBitmap;
class TskDataSkinPopupWindow;

// WS_POPUP tool window without an owner that saves the bits it covers.
void SetMenuPopupParams(TWinControl::TCreateParams& params);
// Hides the window without moving, sizing, restacking or activating anything.
void HideMenuPopup(TWinControl& window);
// B := the entry's whole picture as a nine-slice image of width x height.
void CreatePopupWindowImage(TBitmap& B, const TskDataSkinPopupWindow& entry, TBitmap& picture, int width, int height,
                            bool drawClient);
// The shape of a popup of width x height from the entry's mask (black is
// inside); null when nothing is inside. The caller owns it.
HRGN CreatePopupWindowRegion(const TskDataSkinPopupWindow& entry, const TBitmap& picture, TBitmap& mask, int width,
                             int height);

} // namespace tovrel
