#pragma once
// The colours and the framed face of the controls' look without a skin.
#include "platform/vcl/Canvas.h"

namespace tovrel {

constexpr TColor kDefaultHotFrame = TColor(0x800000); // navy
constexpr TColor kDefaultHotFill = TColor(0xD2BDB6);
constexpr TColor kDefaultDownFill = TColor(0xB59385);

// A one-pixel frame along r's edges and the fill inside it.
inline void FramedFill(TCanvas& C, const TRect& r, TColor frame, TColor fill)
{
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(frame);
    C.FrameRect(r);
    C.Brush()->SetColor(fill);
    C.FillRect(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
}

// A button face: pressed, hot or normal.
inline void DefaultButtonFace(TCanvas& C, const TRect& r, bool hot, bool pressed)
{
    if (pressed)
        FramedFill(C, r, kDefaultHotFrame, kDefaultDownFill);
    else if (hot)
        FramedFill(C, r, kDefaultHotFrame, kDefaultHotFill);
    else
        FramedFill(C, r, clBtnShadow, clBtnFace);
}

} // namespace tovrel
