#pragma once
// The gallery's shell page: a shell combo box, a shell list view and a filter
// combo box linked together on a fixture folder of media files. The report
// gets the folder shown, the rows in view with their places, the filter's
// mask and the combo box's entries.
#include "platform/vcl/Forms.h"

#include <string>

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Where the page's fixture is written. Empty (the default): a fresh
// temporary folder removed with the form; otherwise the folder given, made
// when missing and left in place.
void SetShellFixtureFolder(std::string folder);

// The three controls from `top`; returns the height used.
int AddShellControls(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
