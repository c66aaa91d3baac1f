#pragma once
// The one table every bulk pixel operation of the skin bitmap goes through:
// row copies and fills, alpha setting, blending, copies and scaling between
// skin bitmaps, and drawing a skin bitmap onto a device context.
//
// The table is filled once before first use. The processor test never finds a
// multimedia-extension blend on this platform, so the plain blend is always
// selected: opaque result, colour weights a and 255 - a (white over white at
// alpha 128 gives 254).
#include "platform/gdi/GdiTypes.h"
#include "skin/draw/SkinColor.h"

namespace tovrel {

class TskBitmap;

struct TskPixelRoutines {
    TskColor (*BlendPixel)(TskColor f, TskColor b);
    void (*BlendLine)(const TskColor* src, TskColor* dst, int count);
    void (*CopyLineKeyed)(const TskColor* src, TskColor* dst, int count);
    void (*MoveLongword)(const TskColor* src, TskColor* dst, int count);
    void (*FillLongword)(TskColor* dst, int count, TskColor value);
    // Rows y1..y2 and columns x1..x2, both inclusive; height is not used.
    void (*FillRectLongword)(TskColor* bits, int stride, int height, TskColor value, int y2, int x2, int y1, int x1);
    void (*SetAlphaLongword)(TskColor* bits, int count, std::uint8_t alpha);
    void (*SetAlphaRectLongword)(TskColor* bits, int stride, int height, std::uint8_t alpha, int y2, int x2, int y1,
                                 int x1);
    void (*StretchToDCCopy)(HDC dc, int x, int y, int w, int h, TskBitmap& src, int sx, int sy, int sw, int sh);
    void (*StretchToDCAlpha)(HDC dc, int x, int y, int w, int h, TskBitmap& src, int sx, int sy, int sw, int sh);
    void (*StretchToDCTransparent)(HDC dc, int x, int y, int w, int h, TskBitmap& src, int sx, int sy, int sw, int sh);
    void* (*GetDCBitmapBits)(HDC dc, int& width, int& height, int& bitCount);
    void (*StretchToDIBCopy)(void* bits, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap* src, int dibHeight,
                             int dibWidth);
    void (*StretchToDIBAlpha)(void* bits, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap* src, int dibHeight,
                              int dibWidth);
    void (*StretchToDIBTransparent)(void* bits, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap* src,
                                    int dibHeight, int dibWidth);
    void (*BltCopy)(TskBitmap& dst, TRect dstRect, TskBitmap& src, int srcX, int srcY);
    void (*BltAlpha)(TskBitmap& dst, TRect dstRect, TskBitmap& src, int srcX, int srcY);
    void (*BltTransparent)(TskBitmap& dst, TRect dstRect, TskBitmap& src, int srcX, int srcY);
    void (*StretchCopy)(TskBitmap& dst, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap& src);
    void (*StretchAlpha)(TskBitmap& dst, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap& src);
    void (*StretchTransparent)(TskBitmap& dst, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap& src);
};

const TskPixelRoutines& PixelRoutines();

// The processor test: no multimedia-extension routines exist in this build.
bool DetectMMX();
// Ends the multimedia state after routines that may have used it; nothing here.
void EndMMX();

// The plain implementations, for tests that pin their results.
TskColor PlainBlendPixel(TskColor f, TskColor b);

// Thrown where the routines meet a bitmap without pixels ("Assertion failure").
void AssertPixels(const void* bits);

} // namespace tovrel
