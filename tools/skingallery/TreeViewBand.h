#pragma once
// The gallery's band of skinned tree views with their external bars.
#include "platform/vcl/Forms.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingallery {

// A folder tree with more rows and a wider row than fit (so both bars show,
// the horizontal one leaving the corner free) and a small one that fits
// (no bars); returns the height used from `top`.
int AddTreeView(TForm& form, TskSkinData* skin, int top);

} // namespace tovrel::skingallery
