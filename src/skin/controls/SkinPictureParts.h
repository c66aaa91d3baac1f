#pragma once
// Pieces of a skin picture as the controls take them: a rectangle copied
// out, the client part of an entry, and another entry's image at any size.
#include "platform/vcl/Bitmap.h"
#include "skin/data/SkinEntry.h"

#include <memory>

namespace tovrel {

// A bitmap of r's size holding that part of the picture.
std::unique_ptr<TBitmap> PicturePart(TBitmap& picture, const TRect& r);
// The same, see-through in the given colour.
std::unique_ptr<TBitmap> TransparentPicturePart(TBitmap& picture, const TRect& r, TColor key);
// The client rectangle of an entry in picture coordinates.
TRect ClientPart(const TRect& SkinRect, const TRect& ClRect);
// Rect of the entry's picture resized to width x height by the entry's own
// corners and stretch flags (for entries other than the control's).
void ResizedEntryImage(TBitmap& B, TBitmap& picture, const TskDataSkinCustomControl& e, const TRect& rect, int width,
                       int height);

} // namespace tovrel
