#pragma once
// The arithmetic of tiling and cascading MDI children, as pure functions
// over the work area's size.
#include "platform/rtl/Types.h"

#include <vector>

namespace tovrel {

// The bounds of `Count` tiled children in a W x H area, by child index: about
// square columns, the later children filling the right-hand columns first.
// Empty when there is no child.
std::vector<TRect> TileRects(int Count, int W, int H);

// One child to cascade: its own size, kept when it cannot be sized.
struct TskCascadeChild {
    int Width = 0, Height = 0;
    bool FixedSize = false;
};

// The bounds of the cascaded children in a W x H area, by child index: each
// `Step` pixels below and right of the next one, the last child at the
// top-left, at least MinW x MinH.
std::vector<TRect> CascadeRects(const std::vector<TskCascadeChild>& Children, int W, int H, int Step, int MinW,
                                int MinH);

} // namespace tovrel
