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
int DrawText(HDC dc, std::string_view text, RECT* rect, UINT format);
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
inline int DrawTextExW(HDC dc, std::string_view text, RECT* rect, UINT format, void* /*params*/)
{
    return DrawText(dc, text, rect, format);
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
