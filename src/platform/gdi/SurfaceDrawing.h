#pragma once
// Moving pixel surfaces in and out of bitmap handles and onto device contexts,
// for the picture classes and icons.
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"

namespace tovrel {

// A top-down DIB section holding a copy of the surface (null for an empty one).
HBITMAP CreateBitmapOf(const TSurface& surface);
// The same pixels in the other format: 24 -> 32 gives alpha `alpha`, 32 -> 24 drops it.
TSurface ConvertSurface(const TSurface& surface, TPixelFormat format, std::uint8_t alpha = 0);
// Straight alpha (255 = opaque) to premultiplied and back, 32-bit surfaces.
// A fully transparent pixel comes back black.
TSurface Premultiplied(const TSurface& straight);
TSurface Unpremultiplied(const TSurface& premultiplied);
// True when any pixel of a 32-bit surface has a non-zero alpha byte: such a
// picture carries its own transparency (icons fall back to their mask otherwise).
bool HasAlphaChannel(const TSurface& surface);

// Draws the surface stretched into r (nearest pixel) with a raster operation.
void BlitSurface(HDC dc, const TRect& r, const TSurface& surface, DWORD rop);
// Blends a premultiplied 32-bit surface stretched into r (AlphaBlend, AC_SRC_ALPHA).
void BlendSurface(HDC dc, const TRect& r, const TSurface& premultiplied);
// Draws the surface stretched into r. A 32-bit surface with `straightAlpha`
// is blended by its alpha byte (255 = opaque); otherwise the pixels are copied.
void DrawSurface(HDC dc, const TRect& r, const TSurface& surface, bool straightAlpha);

} // namespace tovrel
