#pragma once
// A developer's aid for scripts that drive the gallery on a real display:
// the state of the skinned push buttons, check boxes and the form, written
// to a file after every click and after every move or size of the form.
#include "platform/vcl/Forms.h"

#include <functional>
#include <string>

namespace tovrel::skingallery {

// Hooks the buttons' and check boxes' clicks and the form's message entry
// (after the skinned form component took it over) and writes the report at
// once. `afterSizeMove` runs at the end of each move or size loop, before
// the report that counts it, e.g. to grab the screen. The form must outlive the hooks' use.
void ReportGalleryState(TForm& form, const std::string& path, std::function<void()> afterSizeMove);

// A line `key=value` a band adds to the form's report, written at once and
// with every later report; nothing more without a report.
void NoteGalleryState(TForm& form, const std::string& key, const std::string& value);

} // namespace tovrel::skingallery
