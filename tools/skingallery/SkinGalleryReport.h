#pragma once
// A developer's aid for scripts that drive the gallery on a real display:
// the state of the skinned push buttons, check boxes, the form and its
// frame, and the hint shown, written to a file after every click, every move
// or size of the form and every hint.
#include "platform/vcl/Forms.h"

#include <functional>
#include <string>

namespace tovrel::skingallery {

// Hooks the buttons' and check boxes' clicks and the form's message entry
// (after the skinned form component took it over) and writes the report at
// once; chains the application's OnShowHint. `afterChange` runs after each
// move or size loop, each size change outside one (maximize, restore) and
// each hint shown, before the report that tells of it, e.g. to grab the
// screen. The form must outlive the hooks' use.
void ReportGalleryState(TForm& form, const std::string& path, std::function<void()> afterChange);

} // namespace tovrel::skingallery
