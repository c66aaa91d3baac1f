#pragma once
// A developer's aid for scripts that drive the gallery on a real display:
// the state of the skinned push buttons, check boxes, edits, list view (top
// row and vertical bar), popup menus and the form, written to a file after
// every click, edit, menu pick, whenever the list view scrolls, after every
// move or size of the form, and while a skinned popup menu waits for input
// (where its rows are on the screen).
#include "platform/vcl/Forms.h"

#include <functional>
#include <string>

namespace tovrel::skingallery {

// Hooks the buttons' and check boxes' clicks, the first skinned list view's
// message entry and the form's (after the skinned form component took it
// over) and writes the report at once. `afterSizeMove` runs at the end of
// each move or size loop, before the report that counts it, e.g. to grab the
// screen. The form must outlive the hooks' use.
void ReportGalleryState(TForm& form, const std::string& path, std::function<void()> afterSizeMove);

} // namespace tovrel::skingallery
