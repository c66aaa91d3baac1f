#pragma once
// The 16 x 16 glyph of the file dialogs' new-folder buttons: the shell's
// folder picture with a small star at its top right, over a key colour in
// the bottom-left pixel that the speed button leaves transparent.
#include <memory>

namespace tovrel {

class TBitmap;

std::unique_ptr<TBitmap> NewFolderGlyph();

} // namespace tovrel
