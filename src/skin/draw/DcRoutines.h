#pragma once
// Drawing a skin bitmap onto a device context, and finding the pixel memory of
// the section selected into one: the device-context entries of the pixel table.
#include "skin/draw/SkinBitmap.h"

namespace tovrel {

void StretchToDCCopy(HDC dc, int x, int y, int w, int h, TskBitmap& src, int sx, int sy, int sw, int sh);
// Reads the DC's area into a temporary bitmap, draws src into it by src's own
// flags, and copies it back.
void StretchToDCBlended(HDC dc, int x, int y, int w, int h, TskBitmap& src, int sx, int sy, int sw, int sh);
void* GetDCBitmapBits(HDC dc, int& width, int& height, int& bitCount);

} // namespace tovrel
