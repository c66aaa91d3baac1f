#pragma once
// Which check mark a skinned check box or radio button shows for its state,
// and drawing it: the marks are cut out of the skin picture and drawn
// transparent (keyed on their bottom-left pixel).
#include "platform/ctrls/Button.h"
#include "platform/vcl/Bitmap.h"

namespace tovrel {

class TskDataSkinCheckRadioControl;

// The mark rectangles of an entry, with the empty disabled and hot ones
// replaced by the plain checked and unchecked marks. The grayed ones may stay
// empty.
struct TskCheckMarkRects {
    TRect Check, UnCheck, ActiveCheck, ActiveUnCheck, UnEnabledCheck, UnEnabledUnCheck, Grayed, ActiveGrayed;

    static TskCheckMarkRects Of(const TskDataSkinCheckRadioControl& entry);
};

struct TskCheckMark {
    TRect Rect;
    // A grayed mark the skin does not give: the checked one at half brightness.
    bool HalfBright = false;
};

// Disabled wins over hot (the mouse over the box).
TskCheckMark ChooseCheckMark(const TskCheckMarkRects& marks, TCheckBoxState state, bool enabled, bool hot);

// The mark from picture with its top-left corner at (x, y) on canvas.
void DrawCheckMark(TCanvas& canvas, TBitmap& picture, const TskCheckMark& mark, int x, int y);

// The look without a skin: the 14-pixel box square at the left, framed in
// frameColor, with its mark for state (a grayed radio button shows none).
void DrawDefaultCheckBox(TCanvas& canvas, int height, TColor frameColor, TCheckBoxState state, bool radio,
                         bool enabled);

} // namespace tovrel
