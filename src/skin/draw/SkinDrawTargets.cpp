// Copy, stretch and tile steps of the image builders.
#include "skin/draw/SkinDrawTargets.h"

#include "platform/gdi/Gdi.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"

#include <algorithm>

namespace tovrel {

TskImageRef RefOf(const TskBitmap& bitmap)
{
    if (bitmap.Empty())
        return {};
    return {bitmap.DC(), bitmap.Width(), bitmap.Height()};
}

TskImageRef RefOf(TBitmap& bitmap)
{
    if (bitmap.Empty())
        return {};
    return {bitmap.Canvas()->Handle(), bitmap.Width(), bitmap.Height()};
}

void TskBitmapTarget::Resize(int width, int height)
{
    if (width <= 0 || height <= 0)
        bitmap_.SetEmpty();
    else
        bitmap_.SetSize(width, height);
}

void TFrameworkBitmapTarget::Resize(int width, int height)
{
    bitmap_.SetSize(std::max(width, 0), std::max(height, 0));
}

void CopyPiece(const TskImageRef& dst, TRect dstRect, const TskImageRef& picture, TRect srcRect)
{
    if (dst.Empty() || picture.Empty() || dstRect.IsEmpty() || srcRect.IsEmpty())
        return;
    SetStretchBltMode(dst.Dc, COLORONCOLOR);
    StretchBlt(dst.Dc, dstRect.Left, dstRect.Top, dstRect.Width(), dstRect.Height(), picture.Dc, srcRect.Left,
               srcRect.Top, srcRect.Width(), srcRect.Height(), SRCCOPY);
}

void StretchPiece(const TskImageRef& dst, TRect dstRect, const TskImageRef& picture, TRect srcRect)
{
    if (dst.Empty() || picture.Empty() || dstRect.IsEmpty() || srcRect.IsEmpty())
        return;
    TskBitmap piece;
    piece.SetSize(srcRect.Width(), srcRect.Height());
    BitBlt(piece.DC(), 0, 0, srcRect.Width(), srcRect.Height(), picture.Dc, srcRect.Left, srcRect.Top, SRCCOPY);
    CopyPiece(dst, dstRect, RefOf(piece), Rect(0, 0, piece.Width(), piece.Height()));
}

void TileSpan(const TskImageRef& dst, const TskImageRef& picture, TRect piece, TskTileDirection direction, int from,
              int to, int crossFrom, int crossTo)
{
    const bool horizontal = direction == TskTileDirection::Horizontal;
    const int pieceLength = horizontal ? piece.Width() : piece.Height();
    if (pieceLength <= 0 || to <= from)
        return;
    for (int k = 0; k <= (to - from) / pieceLength; ++k) {
        const int start = from + k * pieceLength;
        const int length = std::min(pieceLength, to - start);
        if (length <= 0)
            continue;
        if (horizontal)
            CopyPiece(dst, Rect(start, crossFrom, start + length, crossTo), picture,
                      Rect(piece.Left, piece.Top, piece.Left + length, piece.Bottom));
        else
            CopyPiece(dst, Rect(crossFrom, start, crossTo, start + length), picture,
                      Rect(piece.Left, piece.Top, piece.Right, piece.Top + length));
    }
}

void TileArea(const TskImageRef& dst, const TskImageRef& picture, TRect piece, TRect area)
{
    const int pieceWidth = piece.Width(), pieceHeight = piece.Height();
    if (pieceWidth <= 0 || pieceHeight <= 0 || area.IsEmpty())
        return;
    for (int i = 0; i <= area.Width() / pieceWidth; ++i) {
        const int left = area.Left + i * pieceWidth;
        const int width = std::min(pieceWidth, area.Right - left);
        for (int j = 0; j <= area.Height() / pieceHeight; ++j) {
            const int top = area.Top + j * pieceHeight;
            const int height = std::min(pieceHeight, area.Bottom - top);
            if (width > 0 && height > 0)
                CopyPiece(dst, Rect(left, top, left + width, top + height), picture,
                          Rect(piece.Left, piece.Top, piece.Left + width, piece.Top + height));
        }
    }
}

void FillSpan(const TskImageRef& dst, const TskImageRef& picture, TRect piece, TskTileDirection direction, int from,
              int to, int crossFrom, int crossTo, bool stretch)
{
    if (!stretch) {
        TileSpan(dst, picture, piece, direction, from, to, crossFrom, crossTo);
        return;
    }
    if (direction == TskTileDirection::Horizontal)
        StretchPiece(dst, Rect(from, crossFrom, to, crossTo), picture, piece);
    else
        StretchPiece(dst, Rect(crossFrom, from, crossTo, to), picture, piece);
}

} // namespace tovrel
