#pragma once
// The three small glyphs a popup menu item draws in its built-in look.
#include "platform/vcl/Canvas.h"

namespace tovrel {

// Three strokes of a tick, 8 x 6 px from (x, y).
void DrawMenuCheckImage(TCanvas& canvas, int x, int y, TColor color);
// A right-pointing triangle 4 px wide and 7 px high.
void DrawMenuArrowImage(TCanvas& canvas, int x, int y, TColor color);
// A filled 6 x 6 circle.
void DrawMenuRadioImage(TCanvas& canvas, int x, int y, TColor color);

} // namespace tovrel
