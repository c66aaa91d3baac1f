#pragma once
// The hover blend of a skinned control: a factor that walks from the normal
// image (0) to the hot one (1) and back in steps of 0.2, one step per tick of
// a 20-ms timer, and the blend of the two images it selects.
#include "platform/vcl/Bitmap.h"

namespace tovrel {

enum class TskMorphKind : std::uint8_t;

constexpr unsigned kMorphInterval = 20;
// How far the factor moves towards the hot (1) or normal (0) image per tick.
constexpr double kMorphStep = 0.2;

class TskHoverMorph {
public:
    double Kf = 0;

    struct TTick {
        bool Repaint = false;
        bool Finished = false;
    };
    // One tick. Without active morphing the factor snaps to the target and the
    // transition ends unpainted; at the target it snaps and ends with a paint.
    TTick Tick(bool hot, bool active);
    // Between the two images: the paint blends them.
    bool Blending() const { return Kf > 0 && Kf < 1; }
};

// normal blended toward hot by kind and kf, drawn into target at (0, 0);
// the three bitmaps have one size.
void DrawMorphed(TBitmap& target, const TBitmap& normal, const TBitmap& hot, TskMorphKind kind, double kf);

} // namespace tovrel
