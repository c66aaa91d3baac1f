#pragma once
// Moving pixel surfaces in and out of bitmap handles and onto device contexts,
// for the picture classes.
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"

namespace tovrel {

// A top-down DIB section holding a copy of the surface (null for an empty one).
HBITMAP CreateBitmapOf(const TSurface& surface);
// The same pixels in the other format: 24 -> 32 gives alpha `alpha`, 32 -> 24 drops it.
TSurface ConvertSurface(const TSurface& surface, TPixelFormat format, std::uint8_t alpha = 0);
// Draws the surface stretched into r (nearest pixel). A 32-bit surface with
// `straightAlpha` is blended by its alpha byte (255 = opaque); otherwise the
// pixels are copied.
void DrawSurface(HDC dc, const TRect& r, const TSurface& surface, bool straightAlpha);

} // namespace tovrel
