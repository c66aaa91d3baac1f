#pragma once
// Painting what lies behind a control on its parent: the parent's background
// and window content, then the graphic siblings below the control. Transparent
// panels, check boxes, sliders and the page control's tab strip use it.
#include "platform/gdi/GdiTypes.h"

namespace tovrel {

class TControl;

// The DC's origin is the control's top-left corner. Nothing without a
// control or a parent; the DC's state and the paint-copy marks are restored.
void PaintParentBackground(TControl* control, HDC dc);
// The same for the part r of the control (the DC's origin is r's top-left corner).
void PaintParentBackgroundRect(TControl* control, const RECT& r, HDC dc);

} // namespace tovrel
