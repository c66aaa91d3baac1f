#pragma once
// Changing a 32-bit surface's size by area averaging: each new pixel is the
// mean of the old pixels it covers, weighted by how much of each it covers.
// Every byte is averaged alike, so resample premultiplied pixels.
#include "platform/gdi/Surface.h"

namespace tovrel {

// A 32-bit copy at width x height (a 24-bit source is taken as 32-bit with alpha 0).
TSurface ResampleSurface(const TSurface& surface, int width, int height);

} // namespace tovrel
