#pragma once
// Text output and measuring on device contexts. Text is UTF-8; the DC's
// selected font, text colour, background colour and mode, text alignment,
// origins and clip apply. Fonts resolve through fontconfig (any family name
// works; Chinese characters fall back to an installed CJK face).
//
// Thread-safe as far as the font engine goes (one lock around FreeType); a
// device context itself belongs to one thread at a time.
//
// For a benchmark: select a font into a memory DC with a bitmap, then call
// DrawText for each line of a screen of text, or DrawTextScreen below.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/TextFlags.h"
#include "platform/gdi/TextMetric.h"

#include <string_view>

namespace tovrel {

BOOL TextOut(HDC dc, int x, int y, std::string_view text);
// ETO_OPAQUE fills `rect` with the background colour first; ETO_CLIPPED
// clips the text to `rect` (logical coordinates).
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text);
// Returns the text height (with DT_VCENTER/DT_BOTTOM on one line: the offset
// from rect->Top to the text's bottom); 0 on failure. DT_CALCRECT only
// measures: rect->Right and rect->Bottom become the text's extent.
// DT_TABSTOP takes the characters per tab from bits 8-15 of `format`.
int DrawText(HDC dc, std::string_view text, RECT* rect, UINT format);

// DrawText with a tab length (used with DT_EXPANDTABS | DT_TABSTOP, in
// average character widths; 0: eight), left and right margins in logical
// units inside the rectangle, and the bytes of text taken in returned in
// uiLengthDrawn: all of them, or up to the first line that starts below the
// rectangle (unless DT_NOCLIP, DT_CALCRECT or DT_SINGLELINE). `params` may be
// null; a wrong cbSize fails with 0.
struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 0;
    int iLeftMargin = 0;
    int iRightMargin = 0;
    UINT uiLengthDrawn = 0;
};
int DrawTextEx(HDC dc, std::string_view text, RECT* rect, UINT format, DRAWTEXTPARAMS* params);
// Tabs jump to `tabStops` from `tabOrigin`. Returns height << 16 | width.
LONG TabbedTextOut(HDC dc, int x, int y, std::string_view text, int tabCount, const int* tabStops, int tabOrigin);
BOOL GetTextExtentPoint32(HDC dc, std::string_view text, SIZE* size);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);

inline BOOL TextOutW(HDC dc, int x, int y, std::string_view text)
{
    return TextOut(dc, x, y, text);
}
inline BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, std::string_view text)
{
    return ExtTextOut(dc, x, y, options, rect, text);
}
inline int DrawTextW(HDC dc, std::string_view text, RECT* rect, UINT format)
{
    return DrawText(dc, text, rect, format);
}
inline int DrawTextExW(HDC dc, std::string_view text, RECT* rect, UINT format, DRAWTEXTPARAMS* params)
{
    return DrawTextEx(dc, text, rect, format, params);
}
inline LONG TabbedTextOutW(HDC dc, int x, int y, std::string_view text, int tabCount, const int* tabStops,
                           int tabOrigin)
{
    return TabbedTextOut(dc, x, y, text, tabCount, tabStops, tabOrigin);
}
inline BOOL GetTextExtentPoint32W(HDC dc, std::string_view text, SIZE* size)
{
    return GetTextExtentPoint32(dc, text, size);
}
inline BOOL GetTextMetricsW(HDC dc, TEXTMETRIC* metrics)
{
    return GetTextMetrics(dc, metrics);
}

// Fills `rect` of the DC with lines of `text`, one DrawText per line, as a
// screen of list rows would be painted. Returns the number of lines drawn.
int DrawTextScreen(HDC dc, const RECT& rect, std::string_view text);

} // namespace tovrel
