#pragma once
// The push buttons' band of the skinned gallery.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Push buttons in their states from `top`; returns the height used.
int AddButtons(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
