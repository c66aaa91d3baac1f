// The up-down's properties, button geometry, pointer tracking and repeat.
#include "skin/controls/SkinUpDown.h"

#include "platform/gdi/SysColors.h"
#include "platform/wm/Timers.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

namespace {

constexpr ULONG_PTR kRepeatTimer = 1;
constexpr unsigned kFirstDelayMs = 500, kRepeatMs = 100, kReenterMs = 50;

} // namespace

TskSkinUpDown::TskSkinUpDown(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("hupdown");
    SetBounds(Left(), Top(), 50, 25);
    CalcRects();
}

void TskSkinUpDown::SetOrientation(TUDOrientation Value)
{
    FOrientation = Value;
    CalcRects();
    Repaint();
}

void TskSkinUpDown::SetPosition(int Value)
{
    if (Value > FMax || Value < FMin)
        return;
    FPosition = Value;
    if (OnChange)
        OnChange(this);
}

void TskSkinUpDown::SetMin(int Value)
{
    FMin = Value;
    if (FPosition < Value)
        FPosition = Value;
}

void TskSkinUpDown::SetMax(int Value)
{
    FMax = Value;
    if (FPosition > Value)
        FPosition = Value;
}

void TskSkinUpDown::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    const auto* e = SkinEntryAt<const TskDataSkinUpDownControl>(SkinData(), FIndex);
    FUpDownEntry = e != nullptr;
    if (e) {
        UpButtonRect = e->UpButtonRect;
        ActiveUpButtonRect = e->ActiveUpButtonRect;
        DownUpButtonRect = IsNullRect(e->DownUpButtonRect) ? e->ActiveUpButtonRect : e->DownUpButtonRect;
        DownButtonRect = e->DownButtonRect;
        ActiveDownButtonRect = e->ActiveDownButtonRect;
        DownDownButtonRect = IsNullRect(e->DownDownButtonRect) ? e->ActiveDownButtonRect : e->DownDownButtonRect;
        G.LTPt = G.RTPt = G.LBPt = G.RBPt = TPoint{0, 0};
        G.ClRect = TRect{};
    }
    CalcRects();
}

void TskSkinUpDown::CalcSize(int& AWidth, int& AHeight)
{
    if (UseSkinSize)
        TskSkinCustomControl::CalcSize(AWidth, AHeight);
}

void TskSkinUpDown::SetControlRegion()
{
    if (UseSkinSize)
        TskSkinCustomControl::SetControlRegion();
}

void TskSkinUpDown::CalcRects()
{
    const int w = Width(), h = Height();
    if (FIndex != -1 && FUpDownEntry && UseSkinSize) {
        Buttons[0].R = UpButtonRect;
        Buttons[1].R = DownButtonRect;
    } else if (FOrientation == udVertical) {
        Buttons[0].R = TRect{0, 0, w, h / 2};
        Buttons[1].R = TRect{0, h / 2, w, h};
    } else {
        Buttons[1].R = TRect{0, 0, w / 2, h};
        Buttons[0].R = TRect{w / 2, 0, w, h};
    }
}

int TskSkinUpDown::ButtonAt(int X, int Y) const
{
    // Right and bottom edges count: on the shared edge button 0 wins.
    for (int i = 0; i < 2; ++i)
        if (RectContainsPoint(Buttons[i].R, TPoint{X, Y}))
            return i;
    return -1;
}

void TskSkinUpDown::StartTimer(unsigned Interval)
{
    if (HandleAllocated())
        SetTimer(Handle(), kRepeatTimer, Interval, nullptr);
}

void TskSkinUpDown::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), kRepeatTimer);
}

void TskSkinUpDown::TrackPointer(int X, int Y)
{
    OldActiveButton = ActiveButton;
    const int hit = ButtonAt(X, Y);
    ActiveButton = CaptureButton != -1 && hit != -1 && hit != CaptureButton ? -1 : hit;
    if (ActiveButton == OldActiveButton)
        return;
    if (OldActiveButton != -1) {
        TButtonPart& old = Buttons[OldActiveButton];
        old.MouseIn = false;
        Repaint();
        if (old.Down && Increment != 0)
            StopTimer();
    }
    if (ActiveButton != -1) {
        Buttons[1 - ActiveButton].MouseIn = false;
        TButtonPart& now = Buttons[ActiveButton];
        now.MouseIn = true;
        Repaint();
        if (now.Down && Increment != 0)
            StartTimer(kReenterMs);
    }
}

void TskSkinUpDown::Step(int Button)
{
    SetPosition(Button == 0 ? FPosition + Increment : FPosition - Increment);
}

void TskSkinUpDown::TimerTick()
{
    if (WaitMode) {
        WaitMode = false;
        StartTimer(kRepeatMs);
        return;
    }
    if (TimerMode == 1)
        Step(1);
    else if (TimerMode == 2)
        Step(0);
}

void TskSkinUpDown::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_TIMER:
        TskSkinCustomControl::WndProc(message);
        TimerTick();
        return;
    case WM_SIZE:
        TskSkinCustomControl::WndProc(message);
        CalcRects();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        ActiveButton = OldActiveButton = -1;
        TskSkinCustomControl::WndProc(message);
        if (message.Msg == CM_MOUSELEAVE)
            for (TButtonPart& b : Buttons)
                if (b.MouseIn) {
                    b.MouseIn = false;
                    Repaint();
                }
        return;
    default: TskSkinCustomControl::WndProc(message);
    }
}

void TskSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TrackPointer(X, Y);
    Buttons[ActiveButton == -1 ? 0 : 1 - ActiveButton].MouseIn = false;
    if (ActiveButton != -1) {
        CaptureButton = ActiveButton;
        Buttons[ActiveButton].MouseIn = true;
        Buttons[ActiveButton].Down = true;
        Repaint();
        if (Increment != 0) {
            TimerMode = ActiveButton == 0 ? 2 : 1;
            WaitMode = true;
            StartTimer(kFirstDelayMs);
        }
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinUpDown::MouseMove(TShiftState Shift, int X, int Y)
{
    TrackPointer(X, Y);
    TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (CaptureButton != -1) {
        TButtonPart& b = Buttons[CaptureButton];
        if (Increment != 0) {
            StopTimer();
            TimerMode = 0;
        }
        b.Down = false;
        if (CaptureButton != ActiveButton)
            b.MouseIn = false;
        Repaint();
        if (b.MouseIn) {
            const int released = CaptureButton;
            if (Increment != 0)
                Step(released);
            const TNotifyEvent& click = released == 0 ? OnUpButtonClick : OnDownButtonClick;
            if (click)
                click(this);
        }
        CaptureButton = -1;
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

} // namespace tovrel
