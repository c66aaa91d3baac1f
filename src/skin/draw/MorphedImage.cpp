#include "skin/draw/MorphedImage.h"

#include "skin/draw/EffectBmp.h"

namespace tovrel {

void DrawMorphed(TBitmap& target, const TBitmap& normal, const TBitmap& hot, TskMorphKind kind, double kf)
{
    TskEffectBmp blended = TskEffectBmp::CreateFromhWnd(normal.Handle());
    const TskEffectBmp toward = TskEffectBmp::CreateFromhWnd(hot.Handle());
    blended.MorphByKind(kind, toward, kf);
    blended.Draw(target.Canvas()->Handle(), 0, 0);
}

} // namespace tovrel
