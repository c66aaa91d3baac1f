#pragma once
// The default look's hot and pressed button faces, shared by the list box's
// caption buttons and the combo box's drop-down button and tool-button look.
#include "platform/vcl/Canvas.h"

namespace tovrel {

constexpr TColor kDefaultHotFrame = 0x800000, kDefaultHotFill = 0xD2BDB6, kDefaultPressedFill = 0xB59385;

// A one-pixel frame of Frame around R and Fill inside it.
inline void FramedFill(TCanvas& C, const TRect& R, TColor Frame, TColor Fill)
{
    C.Brush()->SetColor(Frame);
    C.FrameRect(R);
    C.Brush()->SetColor(Fill);
    C.FillRect(Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
}

// Pressed with the pointer on it, hot, or else (false) left to the caller.
inline bool DrawHotOrPressedFace(TCanvas& C, const TRect& R, bool Hot, bool Pressed)
{
    if (!Hot)
        return false;
    FramedFill(C, R, kDefaultHotFrame, Pressed ? kDefaultPressedFill : kDefaultHotFill);
    return true;
}

} // namespace tovrel
