#pragma once
// The skinned message box's band of the gallery: one button that shows each
// kind of message in turn and notes every answer in the report.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// The button from `top`; returns the height used.
int AddMessageBoxButton(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
