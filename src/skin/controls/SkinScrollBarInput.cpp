// The scroll bar's mouse, keys, wheel and repeat timer.
#include "platform/wm/Keys.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinScrollBar.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

constexpr ULONG_PTR kRepeatTimer = 1;
// A held part acts at once, again after the first delay, then at the repeat interval.
constexpr unsigned kFirstDelayMs = 500;
constexpr unsigned kRepeatMs = 50;

bool IsArrowKey(WPARAM key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

} // namespace

void TskSkinScrollBar::StartTimer(unsigned Interval)
{
    if (HandleAllocated())
        SetTimer(Handle(), kRepeatTimer, Interval, nullptr);
}

void TskSkinScrollBar::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), kRepeatTimer);
    FTimerMode = 0;
}

void TskSkinScrollBar::UpButtonAction()
{
    if (OnUpButtonClick)
        OnUpButtonClick(this);
    else
        SetPosition(FPosition + FSmallChange);
}

void TskSkinScrollBar::DownButtonAction()
{
    if (OnDownButtonClick)
        OnDownButtonClick(this);
    else
        SetPosition(FPosition - FSmallChange);
}

void TskSkinScrollBar::WndProc(TMessage& message)
{
    if (FCanFocused && FocusClickSwallows(message))
        return;
    switch (message.Msg) {
    case WM_TIMER:
        TskSkinCustomControl::WndProc(message);
        if (message.WParam == kRepeatTimer)
            TimerTick();
        return;
    case WM_MOUSEWHEEL:
        if (FCanFocused && Focused()) {
            const int delta = short(HIWORD(message.WParam));
            SetPosition(delta > 0 ? FPosition - FSmallChange : FPosition + FSmallChange);
            message.Result = 1;
            return;
        }
        break;
    case CM_WANTSPECIALKEY:
        TskSkinCustomControl::WndProc(message);
        if (FCanFocused && IsArrowKey(message.WParam))
            message.Result = 1;
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(message);
        Repaint();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(message);
        if (FCanFocused)
            Repaint();
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(message);
        MouseLeft();
        return;
    default: break;
    }
    TskSkinCustomControl::WndProc(message);
}

void TskSkinScrollBar::KeyDown(WORD& Key, TShiftState Shift)
{
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused)
        return;
    if (Key == VK_LEFT || Key == VK_UP)
        SetPosition(FPosition - FSmallChange);
    else if (Key == VK_RIGHT || Key == VK_DOWN)
        SetPosition(FPosition + FSmallChange);
}

int TskSkinScrollBar::PartAt(int X, int Y) const
{
    for (int i : {kThumb, kUpButton, kDownButton})
        if (Buttons[i].R.Contains(TPoint{X, Y}))
            return i;
    return -1;
}

void TskSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    MouseD = true;
    CalcRects();
    FTimerMode = 0;
    WaitMode = true;
    MX = X;
    MY = Y;
    const int part = PartAt(X, Y);
    if (part != -1) {
        CaptureButton = part;
        ButtonDown(part);
        return;
    }
    if (!NewTrackArea.Contains(TPoint{X, Y}))
        return;
    if (Along(X, Y) < StartOf(Buttons[kThumb].R)) {
        SetPosition(FPosition - FLargeChange);
        FTimerMode = 3;
        StartTimer(kFirstDelayMs);
        if (OnPageUp)
            OnPageUp(this);
    } else {
        SetPosition(FPosition + FLargeChange);
        FTimerMode = 4;
        StartTimer(kFirstDelayMs);
        if (OnPageDown)
            OnPageDown(this);
    }
}

void TskSkinScrollBar::ButtonDown(int i)
{
    Buttons[i].Down = true;
    Repaint();
    switch (i) {
    case kThumb:
        OMPos = Horizontal() ? MX : MY;
        OldBOffset = BOffset;
        FDown = true;
        Repaint();
        break;
    case kUpButton:
        UpButtonAction();
        FTimerMode = 2;
        StartTimer(kFirstDelayMs);
        break;
    default:
        DownButtonAction();
        FTimerMode = 1;
        StartTimer(kFirstDelayMs);
        break;
    }
}

void TskSkinScrollBar::TimerTick()
{
    if (WaitMode) {
        WaitMode = false;
        StartTimer(kRepeatMs);
        return;
    }
    const TRect& thumb = Buttons[kThumb].R;
    switch (FTimerMode) {
    case 1: DownButtonAction(); break;
    case 2: UpButtonAction(); break;
    case 3:
        if (Along(MX, MY) < StartOf(thumb)) {
            SetPosition(FPosition - FLargeChange);
            if (OnPageUp)
                OnPageUp(this);
        } else {
            StopTimer();
        }
        break;
    case 4:
        if (Along(MX, MY) > EndOf(thumb)) {
            SetPosition(FPosition + FLargeChange);
            if (OnPageDown)
                OnPageDown(this);
        } else {
            StopTimer();
        }
        break;
    default: StopTimer(); break;
    }
}

int TskSkinScrollBar::CalcValue(int Offset)
{
    if (FPageSize != 0) {
        const int L = Horizontal() ? Buttons[kThumb].R.Width() : Buttons[kThumb].R.Height();
        Offset1 = StartOf(NewTrackArea) + L / 2;
        Offset2 = EndOf(NewTrackArea) - L / 2;
    }
    const int span = Offset2 - Offset1;
    double t = span > 0 ? double(Offset) / span : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const int range = FPageSize == 0 ? FMax - FMin : FMax - FMin - FPageSize + 1;
    return FMin + int(std::nearbyint(range * t));
}

void TskSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y)
{
    MX = X;
    MY = Y;
    TestActiveButton(X, Y);
    if (FDown)
        SetPosition(CalcValue(Along(X, Y) - OMPos + OldBOffset));
    TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinScrollBar::TestActiveButton(int X, int Y)
{
    OldActiveButton = ActiveButton;
    ActiveButton = PartAt(X, Y);
    if (CaptureButton != -1 && ActiveButton != CaptureButton)
        ActiveButton = -1;
    if (ActiveButton == OldActiveButton)
        return;
    if (OldActiveButton != -1)
        ButtonLeave(OldActiveButton);
    if (ActiveButton != -1)
        ButtonEnter(ActiveButton);
}

void TskSkinScrollBar::ButtonEnter(int i)
{
    Buttons[i].MouseIn = true;
    Repaint();
    if (i != kThumb && Buttons[i].Down)
        StartTimer(kRepeatMs);
}

void TskSkinScrollBar::ButtonLeave(int i)
{
    Buttons[i].MouseIn = false;
    Repaint();
    // The repeat pauses while the pointer is off the held button.
    if (i != kThumb && Buttons[i].Down && HandleAllocated())
        KillTimer(Handle(), kRepeatTimer);
}

void TskSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    MouseD = false;
    if (FTimerMode >= 3)
        StopTimer();
    const int captured = CaptureButton;
    if (captured != -1)
        ButtonUp(captured);
    CaptureButton = -1;
    if (Button == mbLeft && captured == kThumb && OnLastChange)
        OnLastChange(this);
}

void TskSkinScrollBar::ButtonUp(int i)
{
    Buttons[i].Down = false;
    if (ActiveButton != i)
        Buttons[i].MouseIn = false;
    Repaint();
    if (i == kThumb)
        FDown = false;
    else
        StopTimer();
}

void TskSkinScrollBar::MouseLeft()
{
    if (ActiveButton != -1 && CaptureButton == -1 && !FDown) {
        Buttons[ActiveButton].MouseIn = false;
        Repaint();
        ActiveButton = -1;
    }
    // A page repeat towards Max ends on leaving; one towards Min runs on until the thumb arrives.
    if (MouseD && FTimerMode == 4)
        StopTimer();
}

} // namespace tovrel
