#pragma once
// The file dialogs' band of the gallery: a button that opens the skinned
// open dialog on the band's own fixture folder (several files may be
// picked) and notes the rows' places and the chosen files in the report.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// The button from `top`; returns the height used.
int AddOpenDialogButton(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
