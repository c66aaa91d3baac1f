#include "skin/controls/SkinHoverMorph.h"

namespace tovrel {

TskHoverMorph::TTick TskHoverMorph::Tick(bool hot, bool active)
{
    if (active && hot && Kf < 1) {
        Kf += kMorphStep;
        return {true, false};
    }
    if (active && !hot && Kf > 0) {
        Kf -= kMorphStep;
        return {true, false};
    }
    Kf = hot ? 1 : 0;
    return {active, true};
}

} // namespace tovrel
