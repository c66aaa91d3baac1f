#pragma once
// The gallery's band of two panes with a skinned splitter between them and a
// skinned status bar with its size grip under them.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Returns the height used from `top`.
int AddPanes(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
