#pragma once
// Paints laid-out text onto a device context: glyph coverage blended in the
// text colour, the prefix underline, and the font's underline and strikeout.
// Positions are in the DC's surface coordinates; its clip applies.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/TextLayout.h"

namespace tovrel {

TFontRequest FontRequestFrom(const LOGFONT& lf);

// Draws `line` with its left edge at `left` and its cell top at `top`.
void PaintTextLine(TDeviceContext& dc, TFontInstance& font, const TLaidLine& line, int left, int top, COLORREF colour);

// Fills the cell behind a line with the DC's background colour.
void PaintTextBackground(TDeviceContext& dc, const TRect& surfaceRect);

} // namespace tovrel
