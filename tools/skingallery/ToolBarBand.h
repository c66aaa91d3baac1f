#pragma once
// The skinned tool bar's band of the skinned gallery.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Two tool bars from `top`: one with a group of exclusive speed buttons, an
// all-up toggle, a plain edit it centres and a drop-down button whose menu
// items note their command in the report; one too narrow for its buttons,
// scrolling them on hover. Returns the height used.
int AddToolBars(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
