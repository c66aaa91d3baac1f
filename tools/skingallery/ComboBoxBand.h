#pragma once
// The gallery's band of the skinned list box and combo boxes, filled with
// the main window's parameter value lists.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
} // namespace tovrel

namespace tovrel::skingallery {

// A captioned list box of frame sizes, a drop-down list of frame sizes
// ("framesize"), one of video bit rates ("videobitrate") and a tool-button
// style one of sample rates ("samplerate") and an editable one of video bit
// rates ("editable"); returns the height used from `top`.
int AddComboBoxes(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
