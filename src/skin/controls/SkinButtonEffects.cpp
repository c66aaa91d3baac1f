// The push button's hover effects: the morph between the normal and the hot
// picture, the frame animation, and the glow frame.
#include "skin/controls/SkinButtonEffects.h"

#include "platform/wm/Layered.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinButtonBehaviour.h"
#include "skin/controls/SkinButtonTimers.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinTypes.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

TRect AnimationFrameRect(const TRect& strip, const TRect& skinRect, int frameCount, int n)
{
    if (strip.Width() > skinRect.Width()) {
        const int fw = strip.Width() / frameCount;
        return Rect(strip.Left + fw * (n - 1), strip.Top, strip.Left + fw * n, strip.Bottom);
    }
    const int fh = strip.Height() / frameCount;
    return Rect(strip.Left, strip.Top + fh * (n - 1), strip.Right, strip.Top + fh * n);
}

void TskSkinButton::SetTimerFor(ULONG_PTR Id, unsigned Interval)
{
    if (HandleAllocated())
        SetTimer(Handle(), Id, Interval, nullptr);
}

void TskSkinButton::KillTimerFor(ULONG_PTR Id)
{
    if (HandleAllocated())
        KillTimer(Handle(), Id);
}

bool TskSkinButton::SkinEffectsOn() const
{
    return SkinData() != nullptr && !SkinData()->Empty && SkinData()->EnableSkinEffects;
}

bool TskSkinButton::MorphingActive() const
{
    return FMorphingEntry && SkinEffectsOn();
}

bool TskSkinButton::AnimationApplies() const
{
    // A strip without a frame count has no frame size: no animation.
    return FIndex != -1 && SkinEffectsOn() && !IsNullRect(AnimateSkinRect) && FrameCount >= 1;
}

void TskSkinButton::StartMorphing()
{
    if (FMorphTimer)
        return;
    SetTimerFor(kMorphTimerId, kMorphInterval);
    FMorphTimer = HandleAllocated();
}

void TskSkinButton::StopMorphing()
{
    KillTimerFor(kMorphTimerId);
    FMorphTimer = false;
}

void TskSkinButton::HotStateChanged()
{
    if (MorphingActive() && FIndex != -1)
        StartMorphing();
    else
        Repaint();
}

void TskSkinButton::MorphTick()
{
    GetSkinData();
    const TskHoverMorph::TTick tick = FMorph.Tick(Hot(), FIndex != -1 && MorphingActive());
    if (tick.Finished)
        StopMorphing();
    if (tick.Repaint)
        Repaint();
}

bool TskSkinButton::DrawMorph(TBitmap& B)
{
    if (!MorphingActive() || !FMorph.Blending() || !Enabled())
        return false;
    TBitmap normal(Width(), Height()), hot(Width(), Height());
    CreateButtonImage(normal, NormalSkinRect, false, false);
    CreateButtonImage(hot, ActiveSkinRect, false, true);
    DrawMorphed(B, normal, hot, MorphKind, FMorph.Kf);
    return true;
}

void TskSkinButton::StartAnimation(bool AInc)
{
    TskButtonBehaviour<TskSkinButton>::StartAnimation(*this, AInc);
}

void TskSkinButton::SetAnimationTimer(unsigned Ms)
{
    SetTimerFor(kAnimateTimerId, Ms);
    FAnimateTimer = HandleAllocated();
}

void TskSkinButton::StopAnimation()
{
    FAnimation.CurrentFrame = 0;
    KillTimerFor(kAnimateTimerId);
    FAnimateTimer = false;
}

void TskSkinButton::StopAnimationOnPress()
{
    TskButtonBehaviour<TskSkinButton>::StopAnimationOnPress(*this);
}

void TskSkinButton::AnimationTick()
{
    TskButtonBehaviour<TskSkinButton>::AnimationTick(*this);
}

void TskSkinButton::ApplyAnimationFrame()
{
    if (!SkinEffectsOn() || !FAnimateTimer)
        return;
    FAnimation.ApplyFrame(ActiveSkinRect, NormalSkinRect, AnimateSkinRect, G.SkinRect, FrameCount);
}

bool TskSkinButton::GlowAllowed() const
{
    // A glow picture without its alpha mask is not shown.
    return SkinData() != nullptr && !SkinData()->Empty && IsWindows2000OrLater() && LayeredWindowsAvailable() &&
           (SkinData()->ShowButtonGlowFrames || AlwaysShowLayeredFrame) && FIndex != -1 &&
           SkinData()->ActivePicture(GlowLayerPictureIndex) != nullptr &&
           SkinData()->ActivePicture(GlowLayerMaskPictureIndex) != nullptr &&
           (G.ResizeMode == 0 || G.ResizeMode == 1 || (G.ResizeMode == 2 && UseSkinSize));
}

void TskSkinButton::ShowLayer()
{
    GetSkinData();
    if (!GlowAllowed())
        return;
    if (auto* form = dynamic_cast<TForm*>(ParentForm()))
        FLayerManager->TopMostMode = form->FormStyle() == fsStayOnTop;
    const TPoint origin = ClientOrigin();
    const int x = origin.X - GlowLayerShowOffsetX, y = origin.Y - GlowLayerShowOffsetY;
    TBitmap* picture = SkinData()->ActivePicture(GlowLayerPictureIndex);
    TBitmap* mask = SkinData()->ActivePicture(GlowLayerMaskPictureIndex);
    TskBitmap image, alpha;
    const int pw = picture->Width(), ph = picture->Height();
    const int w = pw + Width() - G.SkinRect.Width(), h = ph + Height() - G.SkinRect.Height();
    const TRect whole = Rect(0, 0, pw, ph);
    if (G.ResizeMode == 0) {
        image.Assign(picture);
        alpha.Assign(mask);
    } else if (G.ResizeMode == 2) {
        CreateHSkinImage(GlowLayerOffsetLeft, GlowLayerOffsetRight, image, *picture, whole, w, true);
        CreateHSkinImage(GlowLayerOffsetLeft, GlowLayerOffsetRight, alpha, *mask, whole, w, true);
    } else {
        const TRect fixed =
            Rect(GlowLayerOffsetLeft, GlowLayerOffsetTop, pw - GlowLayerOffsetRight, ph - GlowLayerOffsetBottom);
        image.SetSize(w, h);
        alpha.SetSize(w, h);
        CreateStretchImage(image, *picture, whole, fixed, true);
        CreateStretchImage(alpha, *mask, whole, fixed, true);
    }
    FLayerManager->Show(x, y, image, alpha, GlowLayerAlphaBlendValue);
}

void TskSkinButton::HideLayer()
{
    GetSkinData();
    if (GlowAllowed())
        FLayerManager->Hide();
}

} // namespace tovrel
