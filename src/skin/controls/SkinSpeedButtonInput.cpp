// The speed button's mouse, hover effects, groups and auto-repeat.
#include "platform/ctrls/ControlNotify.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

namespace {

// The first repeated click comes this long after the press.
constexpr unsigned kRepeatDelayMs = 500;

} // namespace

bool TskSkinSpeedButton::SkinEffectsOn() const
{
    return SkinData() != nullptr && !SkinData()->Empty && SkinData()->EnableSkinEffects;
}

bool TskSkinSpeedButton::MorphingActive() const
{
    return FMorphingEntry && SkinEffectsOn();
}

bool TskSkinSpeedButton::AnimationApplies() const
{
    // A strip without a frame count has no frame size; a flat button never animates.
    return FIndex != -1 && SkinEffectsOn() && !IsNullRect(AnimateSkinRect) && FrameCount >= 1 && !FFlat;
}

void TskSkinSpeedButton::StartMorphing()
{
    if (!FMorphTimer->Enabled())
        FMorphTimer->SetEnabled(true);
}

void TskSkinSpeedButton::StopMorphing()
{
    FMorphTimer->SetEnabled(false);
}

void TskSkinSpeedButton::MorphTick()
{
    GetSkinData();
    const TskHoverMorph::TTick tick = FMorph.Tick(FMouseIn, FIndex != -1 && MorphingActive());
    if (tick.Finished)
        StopMorphing();
    if (tick.Repaint)
        Repaint();
}

bool TskSkinSpeedButton::DrawMorph(TBitmap& B)
{
    if (!MorphingActive() || !FMorph.Blending() || Transparent())
        return false;
    TBitmap normal(Width(), Height()), hot(Width(), Height());
    CreateButtonImage(normal, NormalSkinRect, false, false);
    CreateButtonImage(hot, ActiveSkinRect, false, true);
    DrawMorphed(B, normal, hot, MorphKind, FMorph.Kf);
    return true;
}

void TskSkinSpeedButton::HotStateChanged()
{
    if (MorphingActive() && FIndex != -1 && !Transparent())
        StartMorphing();
    else
        Repaint();
}

void TskSkinSpeedButton::StartAnimation(bool AInc)
{
    StopAnimation();
    FAnimation.Start(AInc, FrameCount);
    FAnimateTimer->SetInterval(unsigned(AnimateInterval > 0 ? AnimateInterval : 1));
    FAnimateTimer->SetEnabled(true);
}

void TskSkinSpeedButton::StopAnimation()
{
    FAnimation.CurrentFrame = 0;
    FAnimateTimer->SetEnabled(false);
}

void TskSkinSpeedButton::AnimationTick()
{
    const bool finished = FAnimation.Tick(FrameCount);
    Repaint();
    if (finished)
        StopAnimation();
}

void TskSkinSpeedButton::StartRepeat()
{
    FRepeatStarted = false;
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(kRepeatDelayMs);
    FRepeatTimer->SetEnabled(true);
}

void TskSkinSpeedButton::StopRepeat()
{
    FRepeatTimer->SetEnabled(false);
}

void TskSkinSpeedButton::RepeatTick()
{
    if (!FRepeatStarted) {
        // The first tick only ends the delay.
        FRepeatStarted = true;
        FRepeatTimer->SetInterval(unsigned(RepeatInterval > 0 ? RepeatInterval : 1));
        return;
    }
    ButtonClick();
}

void TskSkinSpeedButton::MouseEntered()
{
    FMouseIn = true;
    if (!(FDown && FGroupIndex != 0)) {
        if (FDown) {
            if (MorphingActive())
                FMorph.Kf = 1;
            Repaint();
        } else {
            if (AnimationApplies())
                StartAnimation(true);
            HotStateChanged();
        }
    }
    if (FDown && FMouseDown && RepeatMode && FGroupIndex == 0)
        StartRepeat();
}

void TskSkinSpeedButton::MouseLeft()
{
    FMouseIn = false;
    if (!(FDown && FGroupIndex != 0)) {
        if (AnimationApplies())
            StartAnimation(false);
        HotStateChanged();
    }
    if (Repeating())
        StopRepeat();
}

void TskSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if (FIndex != -1 && SkinEffectsOn() && !IsNullRect(AnimateSkinRect))
        StopAnimation();
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (RepeatMode && FGroupIndex == 0)
            StartRepeat();
        else if (FGroupIndex != 0)
            ButtonClick();
        FAllowAllUpCheck = false;
    } else if (FGroupIndex != 0) {
        FAllowAllUpCheck = true;
    }
}

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FMouseDown = false;
    if (FGroupIndex == 0) {
        const bool wasDown = FDown;
        StopRepeat();
        if (FMouseIn) {
            SetDown(false);
            if (wasDown)
                ButtonClick();
        } else {
            // Released outside: no click, and no repaint of a look the mouse left.
            FDown = false;
        }
    } else if (FDown && AllowAllUp && FAllowAllUpCheck && FMouseIn) {
        SetDown(false);
        ButtonClick();
    }
}

void TskSkinSpeedButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        TskGraphicSkinCustomControl::WndProc(message);
        if (Enabled())
            MouseEntered();
        return;
    case CM_MOUSELEAVE:
        TskGraphicSkinCustomControl::WndProc(message);
        if (Enabled())
            MouseLeft();
        return;
    case CM_ENABLEDCHANGED:
        TskGraphicSkinCustomControl::WndProc(message);
        StopMorphing();
        FMorph.Kf = 0;
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TskGraphicSkinCustomControl::WndProc(message);
        Repaint();
        return;
    case CM_DIALOGCHAR:
        if (Enabled() && Visible() && Parent() != nullptr && Parent()->Showing() &&
            IsAccelChar(message.WParam, Caption())) {
            ButtonClick();
            message.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TskGraphicSkinCustomControl::WndProc(message);
}

} // namespace tovrel
