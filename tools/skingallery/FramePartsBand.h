#pragma once
// The frame parts' band of the skinned gallery: a skinned panel with its
// caption band, a group box, a button with a skinned hint, and quick buttons
// in the form's caption.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Also puts the hint component on the form (every hint of the gallery then
// shows skinned, the caption's buttons' too) and two quick buttons into the
// caption of the form's skinned frame. Returns the height used.
int AddFrameParts(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
