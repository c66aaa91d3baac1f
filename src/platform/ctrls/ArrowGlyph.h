#pragma once
// The small filled triangle drawn on arrow buttons.
#include "platform/gdi/GdiTypes.h"

namespace tovrel {

enum class TArrowDirection { Up, Down, Left, Right };

// Centred in r; greyed when disabled.
void DrawArrowGlyph(HDC dc, const RECT& r, TArrowDirection direction, bool enabled);

} // namespace tovrel
