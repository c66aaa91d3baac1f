// The office combo box's mouse, drag into the drop-down, keys, wheel and focus.
#include "skin/controls/DropDownListHook.h"
#include "skin/controls/SkinOfficeComboBox.h"

#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinScrollBar.h"

#include <cstdint>

namespace tovrel {

bool TskSkinCustomOfficeComboBox::IsOwnControl(const TControl* Sender) const
{
    return Sender == this || Sender == FListBox || (Sender && Sender == FListBox->ScrollBar());
}

void TskSkinCustomOfficeComboBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_TIMER:
        TskSkinCustomControl::WndProc(message);
        if (message.WParam == 1)
            TimerTick();
        return;
    case WM_MOUSEWHEEL:
        TskSkinCustomControl::WndProc(message);
        // The whole parameter read as a signed 32-bit value: the delta sits in its high word.
        WheelNotch(std::int32_t(std::uint32_t(message.WParam)));
        return;
    case WM_SIZE:
        TskSkinCustomControl::WndProc(message);
        CalcRects();
        return;
    case WM_SETFOCUS:
        TskSkinCustomControl::WndProc(message);
        Repaint();
        return;
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(message);
        CloseUp(false);
        Repaint();
        return;
    case CM_CANCELMODE:
        TskSkinCustomControl::WndProc(message);
        if (!IsOwnControl(reinterpret_cast<const TControl*>(message.LParam)))
            CloseUp(false);
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(message);
        Repaint();
        return;
    case CM_WANTSPECIALKEY:
        if (message.WParam == VK_UP || message.WParam == VK_DOWN || message.WParam == VK_LEFT ||
            message.WParam == VK_RIGHT) {
            message.Result = 1;
            return;
        }
        TskSkinCustomControl::WndProc(message);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
        TskSkinCustomControl::WndProc(message);
        FMouseIn = message.Msg == CM_MOUSEENTER;
        if (!FMouseIn && Button.MouseIn) {
            Button.MouseIn = false;
            Repaint();
        }
        if ((FIndex != -1 && FComboEntry && ActiveSkinRect.Width() > 0 && ActiveSkinRect.Height() > 0) ||
            FToolButtonStyle)
            Invalidate();
        return;
    }
    default: TskSkinCustomControl::WndProc(message);
    }
}

void TskSkinCustomOfficeComboBox::WheelNotch(int Delta)
{
    if (Delta > 0)
        FListBox->FindUp();
    else
        FListBox->FindDown();
    // Over an open list the wheel only moves the highlight.
    if (!IsPopupVisible())
        CommitListIndex();
}

void TskSkinCustomOfficeComboBox::ListBoxWindowProcHook(TMessage& message)
{
    HookDropDownListMessage(message, *this, FListBoxWindowProc, FLBDown, WasInLB);
}

void TskSkinCustomOfficeComboBox::MouseDown(TMouseButton AButton, TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseDown(AButton, Shift, X, Y);
    if (!Focused() && CanFocus())
        SetFocus();
    if (AButton != mbLeft)
        return;
    if (Button.MouseIn || CBItem.R.Contains(TPoint{X, Y}) || FToolButtonStyle) {
        Button.Down = true;
        Repaint();
        if (!IsPopupVisible()) {
            WasInLB = false;
            FLBDown = true;
            DropDown();
        } else {
            CloseUp(false);
        }
    } else if (IsPopupVisible()) {
        CloseUp(false);
    }
}

void TskSkinCustomOfficeComboBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (IsPopupVisible())
        TrackListBoxMouse();
    const bool in = Button.R.Contains(TPoint{X, Y});
    if (in != Button.MouseIn) {
        Button.MouseIn = in;
        Repaint();
    }
}

void TskSkinCustomOfficeComboBox::MouseUp(TMouseButton AButton, TShiftState Shift, int X, int Y)
{
    if (FLBDown && WasInLB) {
        ReleaseCapture();
        FLBDown = false;
        POINT cursor{0, 0};
        GetCursorPos(&cursor);
        const bool overList = FListBox->HandleAllocated() && WindowFromPoint(cursor) == FListBox->Handle();
        CloseUp(overList);
    } else {
        FLBDown = false;
    }
    TskSkinCustomControl::MouseUp(AButton, Shift, X, Y);
    if (Button.Down) {
        Button.Down = false;
        Repaint();
    }
}

void TskSkinCustomOfficeComboBox::TrackListBoxMouse()
{
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    const TPoint P = FListBox->ScreenToClient(TPoint{cursor.X, cursor.Y});
    const bool scrolls = FListBox->ScrollBar() != nullptr;
    if (P.Y < 0 && scrolls && WasInLB) {
        SetTimerMode(1);
    } else if (P.Y > FListBox->Height() && scrolls && WasInLB) {
        SetTimerMode(2);
    } else if (P.Y >= 0 && P.Y <= FListBox->Height()) {
        StopTimer();
        FListBox->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(P.X, P.Y));
        WasInLB = true;
        if (!FLBDown) {
            FLBDown = true;
            WasInLB = false;
        }
    }
}

void TskSkinCustomOfficeComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TskSkinCustomControl::KeyDown(Key, Shift);
    const bool alt = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_RETURN:
        if (IsPopupVisible())
            CloseUp(true);
        break;
    case VK_ESCAPE:
        if (IsPopupVisible())
            CloseUp(false);
        break;
    case VK_PRIOR:
        FListBox->FindPageUp();
        CommitListIndex();
        break;
    case VK_NEXT:
        FListBox->FindPageDown();
        CommitListIndex();
        break;
    case VK_LEFT:
    case VK_UP:
        if (!alt) {
            FListBox->FindUp();
            CommitListIndex();
        } else if (IsPopupVisible()) {
            CloseUp(false);
        }
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (!alt) {
            FListBox->FindDown();
            CommitListIndex();
        } else if (!IsPopupVisible()) {
            DropDown();
        }
        break;
    default: break;
    }
}

} // namespace tovrel
