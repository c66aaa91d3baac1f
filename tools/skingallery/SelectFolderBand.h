#pragma once
// The select-folder dialog's band of the gallery: one button that opens the
// dialog with its path edit and notes the outcome and the folder chosen in
// the report.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// The button from `top`; returns the height used.
int AddSelectFolderButton(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
