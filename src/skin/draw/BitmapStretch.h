#pragma once
// Unscaled and scaled copies between skin bitmaps and into the memory of a
// bottom-up 32-bit section: the Blt*, Stretch* and StretchToDIB* entries of
// the pixel table.
#include "skin/draw/SkinBitmap.h"

namespace tovrel {

enum class TskRowOp { Copy, Alpha, Keyed };

// No clipping: the caller keeps dstRect inside dst and the source inside src.
void BltRows(TskRowOp op, TskBitmap& dst, TRect dstRect, TskBitmap& src, int srcX, int srcY);
// Clip = dstClip ∩ dst ∩ dstRect; a source rectangle outside src draws nothing.
// Scaled columns and rows sample Trunc(i * (s - 1) / (d - 1) + start), the
// factor held as a 32-bit float; a one-pixel span samples the middle.
void StretchRows(TskRowOp op, TskBitmap& dst, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap& src);
// The same into a bottom-up section (pixel (x, y) at row dibHeight - 1 - y),
// sampling rounded to nearest, halves to even.
void StretchRowsToDIB(TskRowOp op, void* bits, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap* src,
                      int dibHeight, int dibWidth);

TRect IntersectRects(const TRect& a, const TRect& b);

} // namespace tovrel
