#pragma once
// The skinned main menu bar's band of the skinned gallery.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// A menu bar along the form's top edge with three menus ("&File", "&Edit",
// "&View", one with a sub-menu, a disabled row and a check row), named as the
// form's menu bar so that Alt, F10, the arrows and the letters reach it.
// Returns the height it takes below `top`, so the next band starts under it.
int AddMenuBar(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
