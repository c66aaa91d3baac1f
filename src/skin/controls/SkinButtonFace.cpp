#include "skin/controls/SkinButtonFace.h"

#include "platform/gdi/SysColors.h"

namespace tovrel {

TRect DrawDefaultButtonFace(TCanvas& Canvas, const TRect& R, bool Hot, bool Pressed)
{
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (Pressed) {
        frame = TColor(0x800000);
        fill = TColor(0xB59385);
    } else if (Hot) {
        frame = TColor(0x800000);
        fill = TColor(0xD2BDB6);
    }
    Canvas.Brush()->SetColor(frame);
    Canvas.FrameRect(R);
    const TRect inner{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    Canvas.Brush()->SetColor(fill);
    Canvas.FillRect(inner);
    return inner;
}

} // namespace tovrel
