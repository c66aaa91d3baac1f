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
    std::size_t Source = 0; // index of the code point in the text it came from (its "&" if prefixed)
    int X = 0;              // left edge, from the line's left
    int Width = 0;          // advance (a tab's is the distance to its stop)
    bool Prefixed = false;  // "&x": drawn with the prefix underline
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
    // Bytes of the text taken in: all of it, or up to the first line that
    // starts below the rectangle (DrawTextEx's uiLengthDrawn).
    std::size_t LengthDrawn = 0;
};

// DrawTextEx's extras: with DT_EXPANDTABS and DT_TABSTOP a tab stop every
// TabLength average characters (else 8); margins in pixels inside the
// rectangle, which the text is placed between (DT_CALCRECT adds them).
struct TDrawTextParams {
    int TabLength = 8;
    int LeftMargin = 0;
    int RightMargin = 0;
};

TTextLayout LayoutDrawText(ITextMeasurer& measurer, std::string_view text, const TRect& rect, unsigned flags,
                           const TDrawTextParams& params = {});

// One line for TabbedTextOut: tabs jump to `tabStops` (relative to
// `tabOrigin`); no stops = every eight average character widths, one stop =
// every that many pixels. Positions are relative to `x`.
TLaidLine LayoutTabbedLine(ITextMeasurer& measurer, std::string_view text, std::span<const int> tabStops, int x,
                           int tabOrigin);

// One line for TextOut/ExtTextOut: every character at its own advance.
TLaidLine LayoutPlainLine(ITextMeasurer& measurer, std::u32string_view text);

} // namespace tovrel
