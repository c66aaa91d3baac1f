#pragma once
// The component framework's image lists as image sources of the caption drawing.
#include "skin/draw/GlyphLayout.h"

namespace tovrel {

class TCustomImageList;

// Size and count as the list has them now; drawing goes to the list, which
// must outlive the source.
TskImageSource ImageSourceOf(TCustomImageList& images);

} // namespace tovrel
