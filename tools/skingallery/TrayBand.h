#pragma once
// The tray's band of the skinned gallery: a button that puts an icon into
// the desktop's tray (or says there is none), and an animated caption button
// in the form's frame.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Returns the height used. The animated button joins the skin (the
// gallery's own copy) and plays while the pointer is over it.
int AddTrayAndAnimation(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
