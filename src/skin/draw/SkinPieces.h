#pragma once
// The drawing steps the image builders and mask strips are made of: copying a
// piece of a picture, stretching it through a temporary bitmap, and the tiling
// rule (each tile shows the piece from its start; the last one is cut at the
// end of the span, dropping pixels from the far end of the piece).
#include "skin/draw/SkinBitmap.h"

namespace tovrel {

// Rectangle copy (stretching when the sizes differ); empty rectangles draw nothing.
void CopyPiece(TskBitmap& dst, TRect dstRect, const TskBitmap& picture, TRect srcRect);
// The piece is copied into a bitmap of its own size, which is then drawn scaled.
void StretchPiece(TskBitmap& dst, TRect dstRect, const TskBitmap& picture, TRect srcRect);

enum class TskTileDirection { Horizontal, Vertical };
// Tiles piece over [from, to) along the direction; across it, each tile fills
// [crossFrom, crossTo). A piece of length 0 or a span of 0 or less draws nothing.
void TileSpan(TskBitmap& dst, const TskBitmap& picture, TRect piece, TskTileDirection direction, int from, int to,
              int crossFrom, int crossTo);
// Tiles piece over area in both directions, column by column.
void TileArea(TskBitmap& dst, const TskBitmap& picture, TRect piece, TRect area);
// Stretches (stretch) or tiles a piece along a span.
void FillSpan(TskBitmap& dst, const TskBitmap& picture, TRect piece, TskTileDirection direction, int from, int to,
              int crossFrom, int crossTo, bool stretch);

TRect OffsetRect(TRect r, int dx, int dy);

} // namespace tovrel
