#pragma once
// A theme description (skins/*.theme): the palette, the shapes and the options
// one generated skin is drawn from.
#include <string>

#include "Painter.h"
#include "skin/data/SkinTypes.h"

namespace tovrel::skingen {

struct TTheme {
    std::string Name;
    std::string Comments;
    // The tools skin carries only the entries of the tool bar and the office boxes.
    bool Tools = false;

    TRgb Face, FaceHot, FaceDown, Border, BorderHot, Text, TextHot, TextDisabled;
    TRgb Window, WindowText, Highlight, HighlightText;
    TRgb CaptionTop, CaptionBottom, CaptionText, Frame, Accent;

    TFillStyle Fill = TFillStyle::Vertical;
    int Radius = 3;
    int BorderWidth = 1;
    int FrameWidth = 4;
    int CaptionHeight = 28;
    std::string FontName;
    int FontHeight = 13;
    // Edges and middles tiled instead of stretched.
    bool Tile = false;
    bool Glow = false;
    bool Morphing = false;
    TskMorphKind MorphKind = TskMorphKind::mkDefault;
    bool LayeredFrame = false;
};

// Raises std::runtime_error naming the file and key for a missing or malformed value.
TTheme LoadTheme(const std::string& fileName);

} // namespace tovrel::skingen
