#pragma once
// The file dialogs' 16 × 16 tool-button glyphs, drawn in code: back, up, new
// folder, view style and stretch. Their bottom-left pixel (magenta) is the
// transparent colour, as for every glyph of the speed buttons.
#include <memory>

namespace tovrel {

class TBitmap;

enum class TDialogGlyph { Back, Up, NewFolder, ViewStyle, Stretch };

std::unique_ptr<TBitmap> MakeDialogGlyph(TDialogGlyph Kind);

} // namespace tovrel
