#pragma once
// A gripper cut from a skin picture and laid on a control's image: the
// splitter's and the status bar's size grip are drawn by the same rule.
#include "platform/rtl/Types.h"

namespace tovrel {

class TBitmap;
class TCanvas;

struct TskGripperImage {
    TRect Rect;
    bool Transparent = false;
    TColor TransparentColor = 0;
};

// Copies the piece out of `picture` and draws it at (x, y), leaving out its
// fixed transparent colour when asked; nothing for an empty piece.
void DrawGripperImage(TCanvas& canvas, TBitmap& picture, const TskGripperImage& piece, int x, int y);

} // namespace tovrel
