#pragma once
// The gallery's band of the list view with its header and external bars,
// and of standalone scroll bars.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// A report list with more rows and wider columns than fit (so both bars
// show, the horizontal one leaving the corner free), and scroll bars on
// their own; returns the height used from `top`.
int AddListView(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
