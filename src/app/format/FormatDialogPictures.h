#pragma once
// The pictures the output format dialog carries: one 32 x 32 tile per
// category for the category box, and the picture of its step panel.
#include <string_view>

namespace tovrel {

class TCustomImageList;
class TPicture;

// Appends the twelve category tiles, in category order.
void AddCategoryPictures(TCustomImageList& list);

// A banner of `width` x `height` into `picture`.
void DrawDialogPicture(TPicture& picture, int width, int height);

} // namespace tovrel
