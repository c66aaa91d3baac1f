#pragma once
// The common start of the program's small skinned dialogs: loading, name,
// caption, a dialog border drawn by the skin with only the close button,
// centred on the main window.
#include "platform/vcl/Forms.h"

namespace tovrel {

class TskSkinData;
class TskSkinForm;

// Begins loading the form (the caller ends it) and gives its skinned frame.
TskSkinForm* BeginSkinnedDialog(TForm& form, const char* name, const char* caption, int clientWidth, int clientHeight,
                                TskSkinData* skin);

} // namespace tovrel
