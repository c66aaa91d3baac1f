#include "skin/controls/SkinUpDown.h"

#include "platform/wm/Timers.h"
#include "skin/controls/SkinButtonFace.h"
#include "skin/controls/SkinButtonImage.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"

namespace tovrel {

namespace {

constexpr ULONG_PTR kRepeatTimer = 1;
constexpr unsigned kFirstDelayMs = 500, kRepeatMs = 100, kReenterRepeatMs = 50;

} // namespace

TskSkinUpDown::TskSkinUpDown(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("hupdown");
    SetBounds(0, 0, 50, 25);
}

void TskSkinUpDown::SetOrientation(TUDOrientation Value)
{
    FOrientation = Value;
    CalcButtonRects();
    Repaint();
}

void TskSkinUpDown::SetPosition(int Value)
{
    if (Value > FMax || Value < FMin)
        return;
    FPosition = Value;
    // Deliberately also for an unchanged value: owners use it as a "stepped" signal.
    if (OnChange && !ComponentState().Contains(csLoading))
        OnChange(this);
}

void TskSkinUpDown::SetMin(int Value)
{
    FMin = Value;
    if (FPosition < FMin)
        FPosition = FMin;
}

void TskSkinUpDown::SetMax(int Value)
{
    FMax = Value;
    if (FPosition > FMax)
        FPosition = FMax;
}

void TskSkinUpDown::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    FUpDownEntry = false;
    if (FIndex != -1)
        if (const auto* e =
                dynamic_cast<const TskDataSkinUpDownControl*>(SkinData()->CtrlList[std::size_t(FIndex)].get())) {
            FUpDownEntry = true;
            CopyArrowButtons(*e);
            // The buttons are drawn over a fixed image: no corners, no client block.
            G.LTPt = G.RTPt = G.LBPt = G.RBPt = TPoint{};
            G.ClRect = TRect{};
        }
    CalcButtonRects();
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

void TskSkinUpDown::CalcButtonRects()
{
    const int w = Width(), h = Height();
    if (SkinLook() && UseSkinSize) {
        Buttons[0].R = UpButtonRect;
        Buttons[1].R = DownButtonRect;
    } else if (FOrientation == udVertical) {
        Buttons[0].R = Rect(0, 0, w, h / 2);
        Buttons[1].R = Rect(0, h / 2, w, h);
    } else {
        Buttons[1].R = Rect(0, 0, w / 2, h);
        Buttons[0].R = Rect(w / 2, 0, w, h);
    }
}

int TskSkinUpDown::ButtonAt(int X, int Y) const
{
    // Right and bottom edges count as inside, so button 0 takes the shared edge.
    for (int i = 0; i < 2; ++i) {
        const TRect& r = Buttons[i].R;
        if (X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom)
            return i;
    }
    return -1;
}

void TskSkinUpDown::TrackPointer(int X, int Y)
{
    FOldActiveButton = FActiveButton;
    FActiveButton = ButtonAt(X, Y);
    if (FCaptureButton != -1 && FActiveButton != -1 && FActiveButton != FCaptureButton)
        FActiveButton = -1;
    if (FActiveButton == FOldActiveButton)
        return;
    if (FOldActiveButton != -1) {
        TButton& old = Buttons[FOldActiveButton];
        old.MouseIn = false;
        Repaint();
        // Paused, not ended: the down flag and the timer mode stay.
        if (old.Down && Increment != 0 && HandleAllocated())
            KillTimer(Handle(), kRepeatTimer);
    }
    if (FActiveButton != -1) {
        Buttons[1 - FActiveButton].MouseIn = false;
        TButton& now = Buttons[FActiveButton];
        now.MouseIn = true;
        Repaint();
        if (now.Down && Increment != 0)
            StartTimer(kReenterRepeatMs);
    }
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
    FTimerMode = 0;
}

void TskSkinUpDown::Step(int Delta)
{
    SetPosition(FPosition + Delta);
}

void TskSkinUpDown::TimerTick()
{
    if (FWaitMode) {
        FWaitMode = false;
        StartTimer(kRepeatMs);
        return;
    }
    if (FTimerMode == 1)
        Step(-Increment);
    else if (FTimerMode == 2)
        Step(Increment);
}

void TskSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TrackPointer(X, Y);
    Buttons[FActiveButton == -1 ? 0 : 1 - FActiveButton].MouseIn = false;
    if (FActiveButton != -1) {
        FCaptureButton = FActiveButton;
        TButton& b = Buttons[FCaptureButton];
        b.MouseIn = b.Down = true;
        Repaint();
        if (Increment != 0) {
            FTimerMode = FCaptureButton == 0 ? 2 : 1;
            FWaitMode = true;
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
    const int released = FCaptureButton;
    if (released != -1) {
        TButton& b = Buttons[released];
        if (Increment != 0)
            StopTimer();
        b.Down = false;
        if (released != FActiveButton)
            b.MouseIn = false;
        Repaint();
        if (b.MouseIn) {
            if (Increment != 0)
                Step(released == 0 ? Increment : -Increment);
            const TNotifyEvent& click = released == 0 ? OnUpButtonClick : OnDownButtonClick;
            if (click)
                click(this);
        }
    }
    FCaptureButton = -1;
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinUpDown::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SIZE:
        TskSkinCustomControl::WndProc(message);
        CalcButtonRects();
        return;
    case WM_TIMER:
        TskSkinCustomControl::WndProc(message);
        TimerTick();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FActiveButton = FOldActiveButton = -1;
        TskSkinCustomControl::WndProc(message);
        if (message.Msg == CM_MOUSELEAVE)
            for (TButton& b : Buttons)
                if (b.MouseIn) {
                    b.MouseIn = false;
                    Repaint();
                }
        return;
    default: TskSkinCustomControl::WndProc(message); return;
    }
}

int TskSkinUpDown::ArrowKind(int i) const
{
    // DrawArrowImage kinds: 1 left, 2 right, 3 up, 4 down.
    if (FOrientation == udVertical)
        return i == 0 ? 3 : 4;
    return i == 0 ? 2 : 1;
}

void TskSkinUpDown::CreateControlDefaultImage(TBitmap& B)
{
    CalcButtonRects();
    TCanvas& c = *B.Canvas();
    for (int i = 0; i < 2; ++i) {
        const TButton& b = Buttons[i];
        DrawDefaultButtonFace(c, b.R, b.MouseIn, b.MouseIn && b.Down);
        DrawArrowImage(c.Handle(), b.R, RGB(0, 0, 0), ArrowKind(i));
    }
}

void TskSkinUpDown::DrawResizeButton(TCanvas& Canvas, int i)
{
    const TButton& b = Buttons[i];
    const auto* entry = FindButtonEntry(SkinData(), {"resizebutton"});
    if (!entry) {
        Canvas.Brush()->SetColor(clBtnFace);
        Canvas.FillRect(b.R);
        return;
    }
    const bool pressed = b.MouseIn && b.Down;
    DrawButtonEntryImage(Canvas, *SkinData(), *entry, b.R, b.MouseIn, pressed);
    TRect arrow = b.R;
    if (pressed) {
        arrow.Left += 2;
        arrow.Top += 2;
    }
    const TColor colour = pressed ? entry->DownFontColor : b.MouseIn ? entry->ActiveFontColor : entry->FontColor;
    DrawArrowImage(Canvas.Handle(), arrow, ColorToRGB(colour), ArrowKind(i));
}

void TskSkinUpDown::CreateControlSkinImage(TBitmap& B)
{
    CalcButtonRects();
    if (!UseSkinSize) {
        for (int i = 0; i < 2; ++i)
            DrawResizeButton(*B.Canvas(), i);
        return;
    }
    TskSkinCustomControl::CreateControlSkinImage(B);
    if (!G.Picture)
        return;
    for (int i = 0; i < 2; ++i) {
        const TButton& b = Buttons[i];
        TRect source;
        if (b.Down && b.MouseIn)
            source = i == 0 ? DownUpButtonRect : DownDownButtonRect;
        else if (b.MouseIn)
            source = i == 0 ? ActiveUpButtonRect : ActiveDownButtonRect;
        if (!IsNullRect(source))
            B.Canvas()->CopyRect(b.R, G.Picture->Canvas(), source);
    }
}

} // namespace tovrel
