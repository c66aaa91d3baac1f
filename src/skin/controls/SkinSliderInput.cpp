// The slider's thumb drag, ruler presses with their 400-ms repeat, and keys.
#include "skin/controls/SkinSlider.h"

#include "platform/vcl/Forms.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Timers.h"

namespace tovrel {

namespace {

constexpr ULONG_PTR kJumpTimer = 1;
constexpr UINT kJumpRepeatMs = 400;

} // namespace

void TskSkinCustomSlider::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SIZE:
        TskSkinControl::WndProc(message);
        if (!Reading())
            CalcLayout();
        return;
    case WM_MOVE:
        TskSkinControl::WndProc(message);
        if (FTransparent)
            Invalidate();
        return;
    case WM_TIMER: TimerTrack(); return;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case CM_ENABLEDCHANGED:
        TskSkinControl::WndProc(message);
        InvalidateThumb();
        return;
    case CM_FOCUSCHANGED: {
        const bool focused = reinterpret_cast<const TControl*>(message.LParam) == this;
        if (focused != FFocused) {
            FFocused = focused;
            if (FOptions.Contains(soShowFocus))
                Invalidate();
        }
        TskSkinControl::WndProc(message);
        return;
    }
    case CheckParentBackgroundMessage:
        if (FTransparent)
            Repaint();
        return;
    default: TskSkinControl::WndProc(message);
    }
}

void TskSkinCustomSlider::InvalidateThumb()
{
    if (HandleAllocated())
        InvalidateRect(Handle(), &FThumbRect, !ControlStyle.Contains(csOpaque));
}

void TskSkinCustomSlider::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || Shift.Contains(ssDouble))
        return;
    if (CanFocus())
        SetFocus();
    if (FThumbRect.Contains(TPoint{X, Y})) {
        ThumbMouseDown(Button, Shift, X, Y);
        return;
    }
    TRect zone = Bounds(FRulerOrg.X, FRulerOrg.Y, FRuler->Width(), FRuler->Height());
    if (Horizontal()) {
        zone.Top -= 3;
        zone.Bottom += 3;
    } else {
        zone.Left -= 3;
        zone.Right += 3;
    }
    if (!zone.Contains(TPoint{X, Y}) || !CanModify())
        return;
    SetMouseCapture(true);
    FTracking = true;
    FMousePos = TPoint{X, Y};
    FStartJump = GetJumpMode(X, Y);
    TimerTrack();
}

void TskSkinCustomSlider::TimerTrack()
{
    if (GetJumpMode(FMousePos.X, FMousePos.Y) == FStartJump)
        ThumbJump(FStartJump);
    if (!FTimerActive && HandleAllocated()) {
        SetTimer(Handle(), kJumpTimer, kJumpRepeatMs, nullptr);
        FTimerActive = true;
    }
}

void TskSkinCustomSlider::StopTracking()
{
    if (!FTracking)
        return;
    if (FTimerActive && HandleAllocated())
        KillTimer(Handle(), kJumpTimer);
    FTimerActive = false;
    FTracking = false;
    SetMouseCapture(false);
    Changed();
}

void TskSkinCustomSlider::MouseMove(TShiftState Shift, int X, int Y)
{
    if (Shift.Contains(ssLeft) && FSliding)
        ThumbMouseMove(Shift, X, Y);
    else if (FTracking)
        FMousePos = TPoint{X, Y};
    TskSkinControl::MouseMove(Shift, X, Y);
}

void TskSkinCustomSlider::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    StopTracking();
    if (FSliding)
        ThumbMouseUp(Button, Shift, X, Y);
    TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomSlider::ThumbMouseDown(TMouseButton Button, TShiftState /*Shift*/, int X, int Y)
{
    if (CanFocus())
        SetFocus();
    if (Button != mbLeft || !CanModify())
        return;
    FSliding = true;
    FThumbDown = true;
    FHit = Horizontal() ? X - FThumbRect.Left : Y - FThumbRect.Top;
    InvalidateThumb();
    Update();
}

void TskSkinCustomSlider::ThumbMouseMove(TShiftState Shift, int X, int Y)
{
    if (Shift.Contains(ssLeft) && CanModify())
        SetThumbOffset(Horizontal() ? X - FHit : Y - FHit);
}

void TskSkinCustomSlider::ThumbMouseUp(TMouseButton Button, TShiftState /*Shift*/, int /*X*/, int /*Y*/)
{
    if (Button != mbLeft)
        return;
    FSliding = false;
    FThumbDown = false;
    InvalidateThumb();
    Update();
    if (CanModify())
        Changed();
}

void TskSkinCustomSlider::KeyDown(WORD& Key, TShiftState Shift)
{
    TskJumpMode mode = jmNone;
    if (Shift.Empty()) {
        switch (Key) {
        case VK_HOME: mode = jmHome; break;
        case VK_END: mode = jmEnd; break;
        case VK_LEFT: mode = Horizontal() ? jmPrior : jmNone; break;
        case VK_RIGHT: mode = Horizontal() ? jmNext : jmNone; break;
        case VK_UP: mode = Horizontal() ? jmNone : jmNext; break;
        case VK_DOWN: mode = Horizontal() ? jmNone : jmPrior; break;
        default: break;
        }
    }
    if (mode != jmNone && CanModify()) {
        Key = 0;
        ThumbJump(mode);
        Changed();
    }
    TskSkinControl::KeyDown(Key, Shift);
}

} // namespace tovrel
