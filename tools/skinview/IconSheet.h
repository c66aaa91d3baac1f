#pragma once
// Every stored image list's pictures in rows, drawn with their alpha over a
// light and a dark band so both backgrounds can be judged.
#include "platform/gdi/Surface.h"

namespace tovrel {

TSurface RenderIconSheet();

} // namespace tovrel
