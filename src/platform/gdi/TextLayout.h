#pragma once
// Pure text layout for DrawText, TabbedTextOut and TextOut: turns UTF-8 text,
// a rectangle and flags into positioned lines of characters. It asks a
// measurer for advances, so it can be tested with a made-up font.
#include "platform/rtl/Types.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    virtual int CharWidth(char32_t codepoint) = 0;
    virtual int LineHeight() = 0;      // tmHeight
    virtual int ExternalLeading() = 0; // tmExternalLeading
    virtual int AveCharWidth() = 0;    // tmAveCharWidth: tabs are eight of these
};

// One character of laid-out text.
struct TLaidChar {
    char32_t Char = 0;
    int X = 0;             // left edge, from the line's left
    int Width = 0;         // advance (a tab's is the distance to its stop)
    bool Prefixed = false; // "&x": drawn with the prefix underline
};

struct TLaidLine {
    std::vector<TLaidChar> Chars;
    int Left = 0; // absolute position of the line's left edge
    int Top = 0;  // absolute top of the line cell
    int Width = 0;
};

struct TTextLayout {
    std::vector<TLaidLine> Lines;
    TRect Bounds;   // the rectangle DT_CALCRECT reports
    int Result = 0; // what DrawText returns
};

TTextLayout LayoutDrawText(ITextMeasurer& measurer, std::string_view text, const TRect& rect, unsigned flags);

// One line for TabbedTextOut: tabs jump to `tabStops` (relative to
// `tabOrigin`); no stops = every eight average character widths, one stop =
// every that many pixels. Positions are relative to `x`.
TLaidLine LayoutTabbedLine(ITextMeasurer& measurer, std::string_view text, std::span<const int> tabStops, int x,
                           int tabOrigin);

// One line for TextOut/ExtTextOut: every character at its own advance.
TLaidLine LayoutPlainLine(ITextMeasurer& measurer, std::u32string_view text);

} // namespace tovrel
