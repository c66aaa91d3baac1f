#pragma once
// The gallery's band of the office combo boxes (the main window's category
// and format boxes with the program's preset catalogue), a slider and a
// page control with four tabs.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Returns the height used from `top`.
int AddOfficeControls(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
