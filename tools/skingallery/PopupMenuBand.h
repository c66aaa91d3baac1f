#pragma once
// The skinned popup menu's band of the skinned gallery.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// A button that drops a skinned popup (a sub-menu, a radio group, a disabled
// item, an image on every item) from `top`; the engine also becomes the
// popup presenter, so the form's other popup menus open skinned. Returns the height used.
int AddPopupMenuButton(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
