#include "skin/controls/SkinHoverMorph.h"

#include "skin/draw/EffectBmp.h"

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

void DrawMorphed(TBitmap& target, const TBitmap& normal, const TBitmap& hot, TskMorphKind kind, double kf)
{
    TskEffectBmp blended = TskEffectBmp::CreateFromhWnd(normal.Handle());
    const TskEffectBmp toward = TskEffectBmp::CreateFromhWnd(hot.Handle());
    blended.MorphByKind(kind, toward, kf);
    blended.Draw(target.Canvas()->Handle(), 0, 0);
}

} // namespace tovrel
