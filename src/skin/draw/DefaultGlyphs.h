#pragma once
// The dotted focus frame and the small glyphs drawn when a skin gives no
// picture: arrows, check and radio marks, caption-button symbols. Each glyph
// has its top-left corner at (x, y); lines leave out their end pixel.
#include "platform/gdi/GdiTypes.h"

namespace tovrel {

// Every other pixel along the outermost pixels of r, in the DC's text colour,
// walking right, down, left and up; the top-left pixel is left alone when both
// sides are odd.
void DrawSkinFocusRect(HDC dc, const RECT& r);

// Kind 1 left, 2 right, 3 up, 4 down; other kinds draw nothing.
void DrawArrowImage(HDC dc, const RECT& r, COLORREF color, int kind);
void DrawDropDownArrow(HDC dc, const RECT& r, COLORREF color);

void DrawRadioImage(HDC dc, int x, int y, COLORREF color);
void DrawCheckImage(HDC dc, int x, int y, COLORREF color);
void DrawCloseImage(HDC dc, int x, int y, COLORREF color);
void DrawSysMenuImage(HDC dc, int x, int y, COLORREF color);
void DrawMinimizeImage(HDC dc, int x, int y, COLORREF color);
void DrawMaximizeImage(HDC dc, int x, int y, COLORREF color);
void DrawRestoreImage(HDC dc, int x, int y, COLORREF color);
void DrawRollUpImage(HDC dc, int x, int y, COLORREF color);
void DrawRollDownImage(HDC dc, int x, int y, COLORREF color);
void DrawTrayImage(HDC dc, int x, int y, COLORREF color);

} // namespace tovrel
