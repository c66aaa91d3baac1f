#pragma once
// Creating, selecting, querying and deleting drawing objects by handle.
#include "platform/gdi/GdiObject.h"

namespace tovrel {

HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* lp);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateBrushIndirect(const LOGBRUSH* lb);
HBRUSH CreatePatternBrush(HBITMAP bitmap); // the bitmap is copied; tiles from the brush origin
HFONT CreateFontIndirect(const LOGFONT* lf);
inline HFONT CreateFontIndirectW(const LOGFONT* lf)
{
    return CreateFontIndirect(lf);
}

// 32- or 24-bit BI_RGB only; a positive height stores rows bottom-up. *bits gets
// the first stored row. Other formats, zero or absurd sizes fail with null.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* bmi, UINT usage, void** bits, void* section, DWORD offset);
// A 32-bit top-down bitmap, cleared to 0; width or height 0 gives a 1 x 1 bitmap.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// The bitmap's pixel buffer for code that owns its pixels (image codecs, the
// window layer); null for unknown handles.
std::shared_ptr<TGdiBitmap> FindBitmap(HBITMAP bitmap);

HGDIOBJ GetStockObject(int index);
HBITMAP StockBitmap();                        // the 1 x 1 bitmap a new memory DC holds
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object); // regions: selects a copy as clip, returns the region kind
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
DWORD GetObjectType(HGDIOBJ object);

// Byte-record form: size is the size of the record asked for (BITMAP, DIBSECTION,
// LOGPEN, LOGBRUSH, LOGFONT); null out returns the size needed. Returns the bytes
// written, 0 on failure.
int GetObject(HGDIOBJ object, int size, void* out);
inline int GetObjectW(HGDIOBJ object, int size, void* out)
{
    return GetObject(object, size, out);
}

} // namespace tovrel
