// TskBitmap drawing: onto device contexts and other skin bitmaps, tiling and
// merging behind.
#include "platform/gdi/Gdi.h"
#include "skin/draw/BitmapStretch.h"
#include "skin/draw/PixelRoutines.h"
#include "skin/draw/SkinBitmap.h"

#include <algorithm>

namespace tovrel {

namespace {

TRect Shifted(TRect r, int dx, int dy)
{
    return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

TPoint WindowOrigin(HDC dc)
{
    POINT origin{};
    GetWindowOrgEx(dc, &origin);
    return origin;
}

// Walks the tiles of srcRect's size over dstRect, column by column; each cell
// is cut at dstRect and then shows the top-left part of the source.
template <class Fn> void ForEachTile(TRect dstRect, TRect srcRect, Fn draw)
{
    const int tw = srcRect.Width(), th = srcRect.Height();
    if (tw == 0 || th == 0)
        return;
    const int nx = dstRect.Width() / tw + (dstRect.Width() % tw != 0 ? 1 : 0);
    const int ny = dstRect.Height() / th + (dstRect.Height() % th != 0 ? 1 : 0);
    if (nx < 0)
        return;
    for (int i = 0; i <= nx; ++i) {
        for (int j = 0; j <= ny; ++j) {
            const TRect cell = IntersectRects(Rect(dstRect.Left + i * tw, dstRect.Top + j * th,
                                                   dstRect.Left + (i + 1) * tw, dstRect.Top + (j + 1) * th),
                                              dstRect);
            if (cell.IsEmpty())
                break;
            TRect source = srcRect;
            if (cell.Width() < tw || cell.Height() < th)
                source = Rect(srcRect.Left, srcRect.Top, srcRect.Left + cell.Width(), srcRect.Top + cell.Height());
            draw(cell, source);
        }
    }
}

} // namespace

void TskBitmap::Draw(HDC dc, int x, int y)
{
    Draw(dc, x, y, Rect(0, 0, width_, height_));
}

void TskBitmap::Draw(HDC dc, int x, int y, TRect srcRect)
{
    Draw(dc, Rect(x, y, x + srcRect.Width(), y + srcRect.Height()), srcRect);
}

void TskBitmap::Draw(HDC dc, TRect dstRect)
{
    Draw(dc, dstRect, Rect(0, 0, width_, height_));
}

void TskBitmap::Draw(HDC dc, TRect dstRect, TRect srcRect)
{
    if (TskBitmap* target = FindBitmapByDC(dc)) {
        const TPoint origin = WindowOrigin(dc);
        Draw(*target, Shifted(dstRect, -origin.X, -origin.Y), srcRect);
        return;
    }
    const TskPixelRoutines& t = PixelRoutines();
    auto routine = AlphaBlend ? t.StretchToDCAlpha : Transparent ? t.StretchToDCTransparent : t.StretchToDCCopy;
    routine(dc, dstRect.Left, dstRect.Top, dstRect.Width(), dstRect.Height(), *this, srcRect.Left, srcRect.Top,
            srcRect.Width(), srcRect.Height());
}

void TskBitmap::Draw(TskBitmap& target, int x, int y)
{
    Draw(target, x, y, Rect(0, 0, width_, height_));
}

void TskBitmap::Draw(TskBitmap& target, int x, int y, TRect srcRect)
{
    Draw(target, Rect(x, y, x + srcRect.Width(), y + srcRect.Height()), srcRect);
}

void TskBitmap::Draw(TskBitmap& target, TRect dstRect)
{
    Draw(target, dstRect, Rect(0, 0, width_, height_));
}

void TskBitmap::Draw(TskBitmap& target, TRect dstRect, TRect srcRect)
{
    const TskPixelRoutines& t = PixelRoutines();
    auto routine = AlphaBlend ? t.StretchAlpha : Transparent ? t.StretchTransparent : t.StretchCopy;
    routine(target, dstRect, dstRect, srcRect, *this);
}

void TskBitmap::Tile(TskBitmap& target, TRect dstRect, TRect srcRect)
{
    ForEachTile(dstRect, srcRect, [&](TRect cell, TRect source) { Draw(target, cell, source); });
}

void TskBitmap::Tile(HDC dc, TRect dstRect, TRect srcRect)
{
    const TskPixelRoutines& t = PixelRoutines();
    TskBitmap* target = FindBitmapByDC(dc);
    int dibWidth = 0, dibHeight = 0, bitCount = 0;
    void* dibBits = target ? nullptr : t.GetDCBitmapBits(dc, dibWidth, dibHeight, bitCount);
    const bool bottomUpDib = dibBits != nullptr && bitCount == 32 && dibHeight > 0;
    const TPoint origin = WindowOrigin(dc);
    ForEachTile(dstRect, srcRect, [&](TRect cell, TRect source) {
        if (target != nullptr) {
            Draw(*target, Shifted(cell, -origin.X, -origin.Y), source);
        } else if (bottomUpDib) {
            const TRect at = Shifted(cell, -origin.X, -origin.Y);
            auto routine = AlphaBlend    ? t.StretchToDIBAlpha
                           : Transparent ? t.StretchToDIBTransparent
                                         : t.StretchToDIBCopy;
            routine(dibBits, at, at, source, this, dibHeight, dibWidth);
        } else {
            Draw(dc, cell, source);
        }
    });
}

void TskBitmap::TileClip(TskBitmap& target, TRect dstRect, TRect dstClip, TRect srcRect)
{
    ForEachTile(dstRect, srcRect, [&](TRect cell, TRect source) {
        if (dstClip.IsEmpty() || !IntersectRects(cell, dstClip).IsEmpty())
            Draw(target, cell, source);
    });
}

void TskBitmap::TileClip(HDC dc, TRect dstRect, TRect dstClip, TRect srcRect)
{
    ForEachTile(dstRect, srcRect, [&](TRect cell, TRect source) {
        if (dstClip.IsEmpty() || !IntersectRects(cell, dstClip).IsEmpty())
            Draw(dc, cell, source);
    });
}

void TskBitmap::MergeDraw(const TskBitmap& source, int x, int y, TRect srcRect)
{
    if (Empty() || source.Empty())
        return;
    if (srcRect.Left < 0) {
        x -= srcRect.Left;
        srcRect.Left = 0;
    }
    if (srcRect.Top < 0) {
        y -= srcRect.Top;
        srcRect.Top = 0;
    }
    srcRect.Right = std::min(srcRect.Right, source.Width());
    srcRect.Bottom = std::min(srcRect.Bottom, source.Height());
    const auto blend = PixelRoutines().BlendPixel;
    for (int sy = srcRect.Top; sy < srcRect.Bottom; ++sy) {
        const int dy = y + sy - srcRect.Top;
        if (dy < 0 || dy >= height_)
            continue;
        for (int sx = srcRect.Left; sx < srcRect.Right; ++sx) {
            const int dx = x + sx - srcRect.Left;
            if (dx < 0 || dx >= width_)
                continue;
            TskColor& d = Pixel(dx, dy);
            const TskColor s = source.Pixel(sx, sy);
            if (AlphaOf(d) == 0)
                d = s;
            else if (AlphaOf(d) != 255)
                d = blend(d, s);
        }
    }
    EndMMX();
}

} // namespace tovrel
