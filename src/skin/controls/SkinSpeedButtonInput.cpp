// The speed button's mouse, hover effects, groups and auto-repeat.
#include "platform/ctrls/ControlNotify.h"
#include "skin/controls/SkinButtonBehaviour.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

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
    TskButtonBehaviour<TskSkinSpeedButton>::StartAnimation(*this, AInc);
}

void TskSkinSpeedButton::SetAnimationTimer(unsigned Ms)
{
    FAnimateTimer->SetInterval(Ms);
    FAnimateTimer->SetEnabled(true);
}

void TskSkinSpeedButton::StopAnimation()
{
    FAnimation.CurrentFrame = 0;
    FAnimateTimer->SetEnabled(false);
}

void TskSkinSpeedButton::AnimationTick()
{
    TskButtonBehaviour<TskSkinSpeedButton>::AnimationTick(*this);
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
    TskButtonBehaviour<TskSkinSpeedButton>::RepeatTick(*this);
}

void TskSkinSpeedButton::SetRepeatInterval(unsigned Ms)
{
    FRepeatTimer->SetInterval(Ms);
}

void TskSkinSpeedButton::MouseEntered()
{
    FMouseIn = true;
    if (!(FDown && FGroupIndex != 0)) {
        TskButtonBehaviour<TskSkinSpeedButton>::HoverEntered(*this);
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
    if (Button == mbLeft)
        TskButtonBehaviour<TskSkinSpeedButton>::LeftPress(*this);
}

void TskSkinSpeedButton::StopAnimationOnPress()
{
    TskButtonBehaviour<TskSkinSpeedButton>::StopAnimationOnPress(*this);
}

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft)
        TskButtonBehaviour<TskSkinSpeedButton>::LeftRelease(*this);
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
