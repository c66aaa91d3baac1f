#pragma once
// Images of one part in each of its states, packed into a picture.
#include <functional>

#include "Composition.h"

namespace tovrel::skingen {

struct TStateRects {
    TRect Normal, Hot, Down, Disabled, Focused;
};

// Draws the state's look over the place (after the box, when there is one).
using TStatePaint = std::function<void(TPainter&, const TRect&, TState)>;

// Five state images of w x h: by default a button box of each state, with
// `glyph` over it.
TStateRects AddStateImages(TAtlas& atlas, int w, int h, const TStatePaint& paint);
TStatePaint BoxLook(const TTheme& theme, TStatePaint glyph = {});
// Normal state flat in the tool bar's colours; the others as BoxLook.
TStatePaint ToolLook(const TTheme& theme, TStatePaint glyph = {});

// The glyph colour of a state.
TRgb GlyphColor(const TTheme& theme, TState state);

// Largest corner that still leaves a middle in a w x h image.
int CornerFor(const TTheme& theme, int w, int h);

// The tool bar band's fill.
TBoxFill ToolBarFill(const TTheme& theme);

} // namespace tovrel::skingen
