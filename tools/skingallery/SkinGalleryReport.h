#pragma once
// A developer's aid for scripts that drive the gallery on a real display:
// the state of the skinned push buttons, check boxes, edits, list view (top
// row and vertical bar), combo boxes (text and open list), popup menus, the
// form and its frame and the hint shown, written to a file after every
// click, edit, menu pick, whenever the list view scrolls or a combo box
// changes, opens or closes, after every move or size of the form, every
// hint, and while a skinned popup menu waits for input (where its rows are on
// the screen).
#include "platform/vcl/Forms.h"

#include <functional>
#include <string>

namespace tovrel::skingallery {

// Hooks the buttons' and check boxes' clicks, the first skinned list view's
// message entry and the form's (after the skinned form component took it
// over) and writes the report at once; chains the application's OnShowHint.
// `afterChange` runs after each move or size loop, each size change outside
// one (maximize, restore) and each hint shown, before the report that tells
// of it, e.g. to grab the screen. The form must outlive the hooks' use.
void ReportGalleryState(TForm& form, const std::string& path, std::function<void()> afterChange);

// A line `key=value` a band adds to the form's report, written at once and
// with every later report; nothing more without a report.
void NoteGalleryState(TForm& form, const std::string& key, const std::string& value);

} // namespace tovrel::skingallery
