#pragma once
// The MDI band of the gallery: a button that opens a skinned MDI frame with
// a menu bar, a tab bar and three children. The report tells which child is
// active and maximized and where its caption buttons, the menu bar's child
// buttons and the tabs are on the screen.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// The button from `top`; returns the height used.
int AddMDIButton(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
