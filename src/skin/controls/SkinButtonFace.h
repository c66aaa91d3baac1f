#pragma once
// The default look of a small push area (arrow buttons, an edit's button):
// a one-pixel frame and a fill, navy and blue-grey while hot or pressed.
#include "platform/vcl/Canvas.h"

namespace tovrel {

// Frames and fills R; returns R without its frame, for the glyph.
TRect DrawDefaultButtonFace(TCanvas& Canvas, const TRect& R, bool Hot, bool Pressed);

} // namespace tovrel
