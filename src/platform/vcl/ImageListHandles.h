#pragma once
// Image-list handles, as the controls' image-list messages carry them: ids in
// one table, never reused; the handle of a freed list is unknown from then on.
// Main thread only, like the lists themselves.

namespace tovrel {

class TCustomImageList;

struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

// The list's handle (given on first request); null for null.
HIMAGELIST ImageListHandle(TCustomImageList* list);
// The list a handle names; null for null, unknown or freed lists.
TCustomImageList* ImageListFromHandle(HIMAGELIST handle);

} // namespace tovrel
