#pragma once
// Image-list handles for LVM_SETIMAGELIST / LVM_GETIMAGELIST: ids in one
// table, never reused; the handle of a freed list is unknown from then on.
// Main thread only, like the lists themselves.
#include "platform/ctrls/CommonControls.h"

namespace tovrel {

class TCustomImageList;

struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

constexpr int LVSIL_NORMAL = 0, LVSIL_SMALL = 1, LVSIL_STATE = 2;

// The list's handle (given on first request); null for null.
HIMAGELIST ImageListHandle(TCustomImageList* list);
// The list a handle names; null for null, unknown or freed lists.
TCustomImageList* ImageListFromHandle(HIMAGELIST handle);

} // namespace tovrel
