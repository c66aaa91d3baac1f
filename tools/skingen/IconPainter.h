#pragma once
// The pictures of the main window's image lists: a glyph, on a rounded tile
// or bare, in colour with an alpha channel, drawn at any size from one
// description in unit coordinates.
#include <string>

#include "Painter.h"

namespace tovrel::skingen {

struct TIconSpec {
    std::string Glyph;
    TRgb Colour;
    // On a rounded tile (white glyph) or bare (glyph in the colour).
    bool Tile = false;
};

// A 32-bit picture of size x size whose alpha is the icon's coverage.
// Raises std::invalid_argument for an unknown glyph name.
TSurface PaintIcon(const TIconSpec& recipe, int size);

} // namespace tovrel::skingen
