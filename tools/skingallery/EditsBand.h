#pragma once
// The gallery's band of text entry: skinned edits, a numeric edit stepped by
// an up-down, a scroll box and a link label.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// Returns the height used from `top`. The edits' texts, the up-down's
// position and the link's clicks go into the report.
int AddEdits(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
