#pragma once
// The drawing steps the image builders and mask strips are made of: copying a
// piece of a picture, stretching it through a temporary bitmap, and the tiling
// rule (each tile shows the piece from its start; the last one is cut at the
// end of the span, dropping pixels from the far end of the piece).
//
// Pictures and targets may be skin bitmaps or the component framework's
// bitmaps; both are reached through their device contexts.
#include "skin/draw/SkinBitmap.h"

namespace tovrel {

// A bitmap as the builders read or draw it: its device context and size.
struct TskImageRef {
    HDC Dc = nullptr;
    int Width = 0;
    int Height = 0;
    bool Empty() const { return Dc == nullptr || Width <= 0 || Height <= 0; }
};
TskImageRef RefOf(const TskBitmap& bitmap);
TskImageRef RefOf(TBitmap& bitmap);

// A bitmap a builder sizes and then draws into.
class TskImageTarget {
public:
    virtual ~TskImageTarget() = default;
    // A size without area leaves the bitmap empty.
    virtual void Resize(int width, int height) = 0;
    virtual TskImageRef Ref() = 0;
};

class TskBitmapTarget : public TskImageTarget {
public:
    explicit TskBitmapTarget(TskBitmap& bitmap) : bitmap_(bitmap) {}
    void Resize(int width, int height) override;
    TskImageRef Ref() override { return RefOf(bitmap_); }

private:
    TskBitmap& bitmap_;
};

class TFrameworkBitmapTarget : public TskImageTarget {
public:
    explicit TFrameworkBitmapTarget(TBitmap& bitmap) : bitmap_(bitmap) {}
    void Resize(int width, int height) override;
    TskImageRef Ref() override { return RefOf(bitmap_); }

private:
    TBitmap& bitmap_;
};

inline TskBitmapTarget TargetOf(TskBitmap& bitmap)
{
    return TskBitmapTarget(bitmap);
}
inline TFrameworkBitmapTarget TargetOf(TBitmap& bitmap)
{
    return TFrameworkBitmapTarget(bitmap);
}

// Rectangle copy (stretching when the sizes differ); empty rectangles draw nothing.
void CopyPiece(const TskImageRef& dst, TRect dstRect, const TskImageRef& picture, TRect srcRect);
// The piece is copied into a bitmap of its own size, which is then drawn scaled.
void StretchPiece(const TskImageRef& dst, TRect dstRect, const TskImageRef& picture, TRect srcRect);

enum class TskTileDirection { Horizontal, Vertical };
// Tiles piece over [from, to) along the direction; across it, each tile fills
// [crossFrom, crossTo). A piece of length 0 or a span of 0 or less draws nothing.
void TileSpan(const TskImageRef& dst, const TskImageRef& picture, TRect piece, TskTileDirection direction, int from,
              int to, int crossFrom, int crossTo);
// Tiles piece over area in both directions, column by column.
void TileArea(const TskImageRef& dst, const TskImageRef& picture, TRect piece, TRect area);
// Stretches (stretch) or tiles a piece along a span.
void FillSpan(const TskImageRef& dst, const TskImageRef& picture, TRect piece, TskTileDirection direction, int from,
              int to, int crossFrom, int crossTo, bool stretch);

} // namespace tovrel
