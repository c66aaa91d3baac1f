#pragma once
// Text measuring, shortening and drawing on a device context. Text is UTF-8;
// "wide" names are kept for the callers that draw captions through them.
#include "platform/gdi/GdiTypes.h"

#include <string>
#include <string_view>

namespace tovrel {

// The platform's text call; with DT_CALCRECT r receives the measured size.
int WideDrawText(HDC dc, std::string_view text, RECT& r, UINT format);
// Size of the rectangle WideDrawText with only DT_CALCRECT measures from (0, 0, 0, 0).
int WideTextWidth(HDC dc, std::string_view text);
int WideTextHeight(HDC dc, std::string_view text);
// The longest prefix whose width with "..." fits, followed by "..."; text
// that fits stays as it is; "..." alone when nothing fits.
void WideFitTextToWidth(HDC dc, std::string& text, int maxWidth);
// The same, measured with the DC's text extent.
void FitTextToWidth(HDC dc, std::string& text, int maxWidth);

// Left-aligned and vertically centred on one line; nothing for empty text.
void DrawSingleLineText(HDC dc, std::string_view text, const RECT& r);
// Clipped to r at x = r.Left + 2 (+ indent), vertically centred; nothing for empty text.
void DrawItemText(HDC dc, std::string_view text, const RECT& r);
void DrawItemTextIndent(HDC dc, std::string_view text, const RECT& r, int indent);

inline int IntMax(int a, int b)
{
    return a > b ? a : b;
}
inline int IntMin(int a, int b)
{
    return a < b ? a : b;
}

} // namespace tovrel
