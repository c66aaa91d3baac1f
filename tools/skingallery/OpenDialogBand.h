#pragma once
// The file dialogs' band of the gallery: a button that opens the skinned
// open dialog on the band's own fixture folder (several files may be
// picked) and notes the rows' places and the chosen files in the report,
// and one that opens the save-picture dialog, writes a picture under the
// chosen name and notes the size read back from it.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// The buttons from `top`; returns the height used.
int AddOpenDialogButton(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
