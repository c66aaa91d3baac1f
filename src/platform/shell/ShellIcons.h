#pragma once
// The pictures of namespace items, drawn by the program at start-up of the
// first control that asks: two lists (16 and 32 pixels) with the same indexes
// (TShellIcon). Each picture is a 32-bit surface with premultiplied alpha,
// transparent around the shape, ready for AlphaBlend with AC_SRC_ALPHA.
#include "platform/gdi/Surface.h"
#include "platform/shell/ItemIDList.h"
#include "platform/shell/ShellIconKinds.h"

#include <vector>

namespace tovrel {

constexpr int SmallShellIconSize = 16;
constexpr int LargeShellIconSize = 32;

// Draws one picture at size x size pixels.
TSurface DrawShellIcon(TShellIcon icon, int size);
// The process-wide list of the 16-pixel (small) or 32-pixel (large) pictures,
// drawn on first use; it lives as long as the process. Main thread only.
const std::vector<TSurface>& ShellImageList(bool large);
// The index in both lists of the picture of an item given by its absolute
// list; Open asks for an opened folder.
int ShellIconIndex(PCItemIDList AbsoluteID, bool Large, bool Open);

} // namespace tovrel
