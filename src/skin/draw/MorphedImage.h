#pragma once
// The blend between a skinned part's normal and hot images that its hover
// morph shows while the factor walks between them: from the normal image (0)
// to the hot one (1) and back in steps of 0.2, one per tick of a 20-ms timer.
#include "platform/vcl/Bitmap.h"

namespace tovrel {

enum class TskMorphKind : std::uint8_t;

constexpr unsigned kMorphInterval = 20;
// How far the factor moves towards the hot (1) or normal (0) image per tick.
constexpr double kMorphStep = 0.2;

// normal blended toward hot by kind and kf, drawn into target at (0, 0);
// the three bitmaps have one size.
void DrawMorphed(TBitmap& target, const TBitmap& normal, const TBitmap& hot, TskMorphKind kind, double kf);

} // namespace tovrel
