// The push button's mouse, keys, focus, default-button rule and auto-repeat.
#include "platform/ctrls/ControlNotify.h"
#include "platform/gdi/Blits.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinButtonBehaviour.h"
#include "skin/controls/SkinButtonTimers.h"

namespace tovrel {

void TskSkinButton::CreateWnd()
{
    TskSkinCustomControl::CreateWnd();
    FActive = FDefault;
}

bool TskSkinButton::HoverChangesLook()
{
    return FGroupIndex != 0 ? !FDown : (!IsFocused() || FDown);
}

void TskSkinButton::MouseEntered()
{
    FMouseIn = true;
    if (HoverChangesLook()) {
        TskButtonBehaviour<TskSkinButton>::HoverEntered(*this);
    }
    if (FDown && RepeatMode && FGroupIndex == 0)
        StartRepeat();
    if (HandleAllocated())
        PostMessage(Handle(), ShowLayerMessage, 0, 0);
}

void TskSkinButton::MouseLeft()
{
    // The form's default button keeps its hot look while no button has the focus.
    if (!(FCanFocused && FDefault && FActive && !Focused()))
        FMouseIn = false;
    if (HoverChangesLook()) {
        if (AnimationApplies())
            StartAnimation(false);
        HotStateChanged();
    }
    if (FDown && RepeatMode && Repeating() && FGroupIndex == 0)
        StopRepeat();
    if (HandleAllocated())
        PostMessage(Handle(), HideLayerMessage, 0, 0);
}

void TskSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft)
        TskButtonBehaviour<TskSkinButton>::LeftPress(*this);
}

void TskSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft)
        TskButtonBehaviour<TskSkinButton>::LeftRelease(*this);
    // The click may have freed or hidden the button.
    if (HandleAllocated() && Visible())
        TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinButton::StartRepeat()
{
    StopRepeat();
    FRepeatStarted = false;
    SetTimerFor(kRepeatTimerId, kRepeatDelayMs);
    FRepeatTimer = HandleAllocated();
}

void TskSkinButton::StopRepeat()
{
    KillTimerFor(kRepeatTimerId);
    FRepeatTimer = false;
}

void TskSkinButton::RepeatTick()
{
    TskButtonBehaviour<TskSkinButton>::RepeatTick(*this);
}

void TskSkinButton::SetRepeatInterval(unsigned Ms)
{
    SetTimerFor(kRepeatTimerId, Ms);
}

void TskSkinButton::FocusChanged(TWinControl* NewFocus)
{
    auto* focusedButton = dynamic_cast<TskSkinButton*>(NewFocus);
    FActive = focusedButton != nullptr ? focusedButton == this : FDefault;
    if (!(FCanFocused && FDefault))
        return;
    if (focusedButton != nullptr && focusedButton != this && FMouseIn) {
        FMouseIn = false;
        HotStateChanged();
    } else if (focusedButton == nullptr && NewFocus != nullptr && !FMouseIn) {
        if (MorphingActive())
            FMorph.Kf = 1;
        FMouseIn = true;
        Repaint();
    }
}

bool TskSkinButton::HandleKeyMessage(TMessage& message)
{
    const WPARAM key = message.WParam;
    if (message.Msg == WM_KEYDOWN && key == VK_SPACE) {
        StopAnimationOnPress();
        SetDown(true);
        if (RepeatMode)
            ButtonClick();
        return false;
    }
    if (message.Msg == WM_KEYDOWN && key == VK_RETURN) {
        // Clicked here, so the form's dialog-key round does not click again.
        ButtonClick();
        return true;
    }
    if (message.Msg == WM_KEYUP && key == VK_SPACE) {
        SetDown(false);
        ButtonClick();
    }
    return false;
}

bool TskSkinButton::HandleDialogKey(TMessage& message)
{
    if (message.WParam == VK_RETURN && FActive && Enabled()) {
        ButtonClick();
        return true;
    }
    if (message.WParam == VK_ESCAPE && Cancel && FCanFocused && GetShiftState().Empty() && CanFocus()) {
        ButtonClick();
        return true;
    }
    return false;
}

void TskSkinButton::WndProc(TMessage& message)
{
    if (FCanFocused && FocusClickSwallows(message))
        return;
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (FCanFocused && HandleKeyMessage(message))
            return;
        break;
    case CM_DIALOGKEY:
        if (HandleDialogKey(message)) {
            message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (FCanFocused && IsAccelChar(message.WParam, Caption()) && CanFocus()) {
            SetFocus();
            ButtonClick();
            message.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: FocusChanged(reinterpret_cast<TWinControl*>(message.LParam)); break;
    case CM_MOUSEENTER:
        TskSkinCustomControl::WndProc(message);
        MouseEntered();
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(message);
        MouseLeft();
        return;
    case WM_SETFOCUS:
        TskSkinCustomControl::WndProc(message);
        if (FCanFocused) {
            if (AnimationApplies())
                StartAnimation(true);
            HotStateChanged();
        }
        return;
    case WM_KILLFOCUS:
        if (Repeating())
            StopRepeat();
        if (FGroupIndex == 0 && FDown)
            FDown = false;
        TskSkinCustomControl::WndProc(message);
        if (FCanFocused) {
            if (AnimationApplies())
                StartAnimation(false);
            HotStateChanged();
        }
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(message);
        if (MorphingActive()) {
            StopMorphing();
            FMorph.Kf = 0;
        }
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(message);
        Repaint();
        return;
    case WM_ERASEBKGND:
        if (!FromWMPaint && message.WParam != 0 && Width() > 0 && Height() > 0) {
            // A parent drawing its children through their erase messages gets the picture.
            TBitmap B(Width(), Height());
            BuildImage(B);
            BitBlt(reinterpret_cast<HDC>(message.WParam), 0, 0, Width(), Height(), B.Canvas()->Handle(), 0, 0, SRCCOPY);
            message.Result = 1;
            return;
        }
        break;
    case WM_TIMER:
        if (message.WParam == kRepeatTimerId) {
            RepeatTick();
            return;
        }
        if (message.WParam == kMorphTimerId) {
            MorphTick();
            return;
        }
        if (message.WParam == kAnimateTimerId) {
            AnimationTick();
            return;
        }
        break;
    case ShowLayerMessage: ShowLayer(); return;
    case HideLayerMessage: HideLayer(); return;
    default: break;
    }
    TskSkinCustomControl::WndProc(message);
}

} // namespace tovrel
