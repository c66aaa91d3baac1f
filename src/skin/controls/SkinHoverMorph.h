#pragma once
// The hover blend of a skinned control: a factor that walks from the normal
// image (0) to the hot one (1) and back in steps of 0.2, one step per tick of
// a 20-ms timer (the blend of the two images is DrawMorphed).
#include "skin/draw/MorphedImage.h"

namespace tovrel {

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

} // namespace tovrel
