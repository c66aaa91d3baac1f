#pragma once
// The gallery's band of the list view with its header and external bars,
// and of standalone scroll bars.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
class TskSkinScrollBar;
} // namespace tovrel

namespace tovrel::skingallery {

// A report list with more rows and wider columns than fit (so both bars
// show, the horizontal one leaving the corner free), and scroll bars on
// their own; returns the height used from `top`.
int AddListView(TForm& form, TskSkinData* skin, int top);

// A skinned bar on the form ("vscrollbar" when vertical), skinned.
TskSkinScrollBar* AddScrollBar(TForm& form, TskSkinData* skin, TRect bounds, bool vertical);

} // namespace tovrel::skingallery
