#pragma once
// The one copy loop behind every blit: maps each visible destination pixel to
// its nearest source pixel (mirroring where the extents' signs differ) and
// combines the two with a per-pixel operation. Source pixels outside the
// source view are never read; their destination pixels stay as they are.
#include "platform/gdi/DeviceContext.h"

#include <functional>

namespace tovrel {

// Extents may be negative (mirroring); coordinates are surface/view pixels.
struct TBlitArea {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// Returns the new destination pixel from the source and destination ones.
using TPixelOp = std::function<TPixel(TPixel source, TPixel dest, int x, int y)>;

// op null means a plain copy (fast path for equal sizes).
void StretchPixels(TDeviceContext& dst, const TBlitArea& to, const TPixelView& src, const TBlitArea& from,
                   const TPixelOp& op);

// A read-only view over client memory described by bmi; empty on bad input.
TPixelView ClientBitsView(const void* bits, const BITMAPINFO* bmi);

} // namespace tovrel
