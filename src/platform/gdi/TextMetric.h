#pragma once
// Font metrics in device pixels, as GetTextMetrics reports them.
namespace tovrel {

struct TEXTMETRIC {
    int tmHeight = 0; // tmAscent + tmDescent: the line cell
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0; // tmHeight minus the character (em) height
    int tmExternalLeading = 0; // extra space the font asks for between lines
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 400;
    bool tmItalic = false;
    bool tmUnderlined = false;
    bool tmStruckOut = false;
};

} // namespace tovrel
