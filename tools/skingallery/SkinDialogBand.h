#pragma once
// The skin selection dialog's band of the gallery: a button that offers the
// stored skins and applies the one accepted to the gallery's skin data, so
// every open form switches to it.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// The button from `top`; returns the height used.
int AddSkinDialogButton(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
