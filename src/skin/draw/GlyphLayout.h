#pragma once
// An image beside a caption, as buttons, tabs and list items draw them.
#include "platform/gdi/GdiTypes.h"
#include "skin/draw/SkinBitmap.h"

#include <functional>
#include <string_view>

namespace tovrel {

// Layout codes: the image left of, right of, above or below the text.
constexpr int glLeft = 0, glRight = 1, glTop = 2, glBottom = 3;

struct TskGlyphPositions {
    int TextX = 0, TextY = 0, GlyphX = 0, GlyphY = 0;
};

// Margin -1 centres image and text together; spacing counts only with an
// image. Another layout code leaves the positions as they are.
void CalcGlyphLayout(int layout, const RECT& r, int imageWidth, int imageHeight, int textWidth, int textHeight,
                     int spacing, int margin, TskGlyphPositions& at);

// Glyph number glyphNum (from 1) of a strip of numGlyphs equal glyphs, drawn at
// (x, y) with the strip's bottom-left pixel colour left out.
void DrawGlyph(HDC dc, int x, int y, const TskBitmap& glyph, int numGlyphs, int glyphNum);

// The images of an image list, as the caption drawing needs them.
struct TskImageSource {
    int Width = 0;
    int Height = 0;
    int Count = 0;
    std::function<void(HDC dc, int x, int y, int index, bool enabled)> Draw;
};

struct TskCaptionStyle {
    int Margin = -1;
    int Spacing = 0;
    int Layout = glLeft;
    bool Down = false;
    bool DrawColorMarker = false;
    COLORREF ColorMarkerValue = 0;
};

// A word-wrapped caption, centred, beside an image of the list (when
// images is given and the index is valid).
void DrawImageAndText(HDC dc, const RECT& r, const TskCaptionStyle& style, std::string_view caption, int imageIndex,
                      const TskImageSource* images, bool enabled);
// The same without centring the caption horizontally.
void DrawImageAndTextLeft(HDC dc, const RECT& r, const TskCaptionStyle& style, std::string_view caption, int imageIndex,
                          const TskImageSource* images, bool enabled);
// The same with the image taken from a glyph strip.
void DrawGlyphAndText(HDC dc, const RECT& r, const TskCaptionStyle& style, std::string_view caption,
                      const TskBitmap& glyph, int numGlyphs, int glyphNum);

} // namespace tovrel
