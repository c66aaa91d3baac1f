#pragma once
// The gallery's band of check boxes and radio buttons.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Flat check boxes and radio buttons in each state, then the boxes that are
// cut whole from the skin; returns the height used from `top`.
int AddCheckRadioBoxes(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
