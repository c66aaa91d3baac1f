// Mouse, keys, focus and the hover blend of the skinned check box and radio button.
#include "platform/ctrls/ControlNotify.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Timers.h"
#include "skin/controls/SkinCheckRadioBox.h"

namespace tovrel {

namespace {

constexpr ULONG_PTR kMorphTimerId = 1;

} // namespace

bool TskSkinCheckRadioBox::MorphingActive() const
{
    const TskSkinData* skin = SkinData();
    return Morphing && skin && !skin->Empty && skin->EnableSkinEffects;
}

void TskSkinCheckRadioBox::HoverChanged()
{
    if (MorphingActive() && FIndex != -1)
        StartMorphing();
    else
        Repaint();
}

void TskSkinCheckRadioBox::StartMorphing()
{
    if (FMorphTimer)
        return;
    FMorphTimer = SetTimer(Handle(), kMorphTimerId, kMorphInterval, nullptr) != 0;
}

void TskSkinCheckRadioBox::StopMorphing()
{
    if (FMorphTimer && HandleAllocated())
        KillTimer(Handle(), kMorphTimerId);
    FMorphTimer = false;
}

void TskSkinCheckRadioBox::MorphTick()
{
    GetSkinData();
    const TskHoverMorph::TTick tick = FMorph.Tick(FMouseIn || HasFocusFrame(), FIndex != -1 && MorphingActive());
    if (tick.Finished)
        StopMorphing();
    if (tick.Repaint)
        Repaint();
}

void TskSkinCheckRadioBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!FMouseIn) {
        FMouseIn = true;
        HoverChanged();
    }
    TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TskSkinCustomControl::MouseUp(button, shift, x, y);
    // A release after the pointer left the box is no click.
    if (button != mbLeft || !FMouseIn)
        return;
    if (FAllowGrayed && !FRadio && FState == cbUnchecked) {
        FState = cbGrayed;
        Repaint();
        DoClick();
    } else {
        Toggle();
    }
}

void TskSkinCheckRadioBox::WndProc(TMessage& message)
{
    if (FCanFocused && FocusClickSwallows(message))
        return;
    switch (message.Msg) {
    case WM_KEYUP:
        TskSkinCustomControl::WndProc(message);
        // Space acts on release, and only with the focus.
        if (FCanFocused && message.WParam == VK_SPACE && Focused())
            Toggle();
        return;
    case CM_DIALOGCHAR:
        if (FCanFocused && CanFocus() && IsAccelChar(message.WParam, Caption())) {
            SetFocus();
            Toggle();
            message.Result = 1;
            return;
        }
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(message);
        FMouseIn = message.Msg == CM_MOUSEENTER;
        HoverChanged();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(message);
        if (FCanFocused) {
            if (FFlat)
                Invalidate();
            else
                HoverChanged();
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
    case WM_MOVE:
        TskSkinCustomControl::WndProc(message);
        // What lies behind a transparent box changed.
        if (FFlat)
            Invalidate();
        return;
    case WM_ERASEBKGND:
        if (!FromWMPaint && !FFlat && Width() > 0 && Height() > 0) {
            TBitmap B(Width(), Height());
            BuildImage(B, CurrentLook());
            TCanvas target;
            target.SetHandle(HDC(message.WParam));
            target.Draw(0, 0, &B);
            target.SetHandle(nullptr);
            message.Result = 1;
            return;
        }
        break;
    case WM_TIMER:
        if (message.WParam == kMorphTimerId) {
            MorphTick();
            return;
        }
        break;
    default: break;
    }
    TskSkinCustomControl::WndProc(message);
}

} // namespace tovrel
