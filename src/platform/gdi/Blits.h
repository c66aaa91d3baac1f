#pragma once
// Copies between device contexts and from client memory. All calls clip to the
// source's and destination's bounds and to the destination's clip.
//
// Stretching: every stretch mode samples the nearest source pixel (COLORONCOLOR);
// a negative width or height on either side mirrors.
// AlphaBlend: the source is premultiplied. Without AC_SRC_ALPHA every byte is
// dst = src * k + dst * (1 - k), k = SourceConstantAlpha / 255. With AC_SRC_ALPHA
// (32-bit sources only) s = src * k per byte and dst = s + dst * (1 - s.alpha / 255).
// The destination's alpha byte is computed the same way.
#include "platform/gdi/GdiTypes.h"

namespace tovrel {

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                DWORD rop);
BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                BLENDFUNCTION blend);
// Pixels of colour key are left out; the others are stretched as StretchBlt does.
BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT colourKey);

// Client memory described by bmi: 24- or 32-bit BI_RGB, rows padded to 4 bytes,
// a positive biHeight meaning rows stored bottom-up. Source rectangles are in
// the picture's own top-down coordinates whichever way its rows are stored.
int StretchDIBits(HDC dst, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* bmi, UINT usage, DWORD rop);
// bits holds the whole picture: startScan must be 0 and lines cover its height.
int SetDIBitsToDevice(HDC dst, int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* bmi, UINT usage);
// Reads rows of a bitmap into client memory in the format bmi asks for (24 or
// 32 bits; the sign of biHeight picks the row order). With null bits only fills
// in bmi's header. Returns the rows copied, 0 on failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT startScan, UINT lines, void* bits, BITMAPINFO* bmi, UINT usage);

} // namespace tovrel
