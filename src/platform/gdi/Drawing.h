#pragma once
// Lines, shapes, fills, edges and pixels on a device context. Right and bottom
// edges of rectangles are excluded; a line excludes its end pixel. Every call
// stays inside the DC's clip and target.
#include "platform/gdi/GdiTypes.h"

namespace tovrel {

COLORREF GetPixel(HDC dc, int x, int y); // CLR_INVALID outside the clip or target
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
BOOL SetPixelV(HDC dc, int x, int y, COLORREF colour);

BOOL MoveToEx(HDC dc, int x, int y, POINT* old);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Polygon(HDC dc, const POINT* points, int count); // alternate fill
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);

int FillRect(HDC dc, const RECT* r, HBRUSH brush);
int FrameRect(HDC dc, const RECT* r, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* r);
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
BOOL FrameRgn(HDC dc, HRGN rgn, HBRUSH brush, int width, int height);
BOOL PaintRgn(HDC dc, HRGN rgn);
BOOL InvertRgn(HDC dc, HRGN rgn);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

BOOL DrawEdge(HDC dc, RECT* r, UINT edge, UINT flags);
BOOL DrawFocusRect(HDC dc, const RECT* r); // dotted, XOR: drawing it twice restores the pixels

} // namespace tovrel
