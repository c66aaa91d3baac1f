// Opening and closing the combo box's list, and the mouse and keys meanwhile.
#include "platform/ctrls/ComboBox.h"

#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>

namespace tovrel {

void TCustomComboBox::SetDroppedDown(bool value)
{
    if (value == dropped_ || style_ == csSimple)
        return;
    if (!value) {
        CloseDropDown(false);
        return;
    }
    if (!HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    Notify(CBN_DROPDOWN);
    const int rows = std::clamp(list_->Count(), 1, dropDownCount_);
    const int border = 2 * GetSystemMetrics(SM_CYBORDER);
    const TPoint below =
        ClientToScreen(Point(-GetSystemMetrics(SM_CXEDGE), ClientHeight() + GetSystemMetrics(SM_CYEDGE)));
    const int height = rows * list_->ItemHeight() + border;
    // Above the box when the screen has no room below it.
    const TRect work = MonitorWorkArea(below);
    const int top =
        below.Y + height > work.Bottom ? ClientToScreen(Point(0, 0)).Y - GetSystemMetrics(SM_CYEDGE) - height : below.Y;
    list_->SetBounds(below.X, top, Width(), height);
    list_->SetItemIndex(committed_);
    dropped_ = true;
    list_->Handle();
    list_->SetVisible(true);
    SetWindowPos(list_->Handle(), HWND_TOPMOST, below.X, top, Width(), height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(Handle());
    Invalidate();
}

TRect TCustomComboBox::MonitorWorkArea(TPoint screen)
{
    MONITORINFO info;
    if (GetMonitorInfo(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    return Rect(0, 0, 1 << 20, 1 << 20);
}

void TCustomComboBox::CloseDropDown(bool accept)
{
    if (!dropped_)
        return;
    dropped_ = false;
    pressedOnButton_ = false;
    const int chosen = int(list_->Perform(LB_GETCURSEL, 0, 0));
    if (accept) {
        Notify(CBN_SELENDOK);
    } else {
        list_->SetItemIndex(committed_);
        Notify(CBN_SELENDCANCEL);
    }
    list_->SetVisible(false);
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    Invalidate();
    Notify(CBN_CLOSEUP);
    if (accept)
        Selected(chosen, true);
}

int TCustomComboBox::ListItemAt(TPoint clientPoint) const
{
    if (!list_->HandleAllocated())
        return -1;
    const TPoint inList = list_->ScreenToClient(ClientToScreen(clientPoint));
    if (!list_->ClientRect().Contains(inList))
        return -1;
    return list_->ItemAtPos(inList, true);
}

void TCustomComboBox::HandleMouse(TMessage& message)
{
    const TPoint p = PointFromLParam(message.LParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (dropped_) {
            // On the list a press only highlights (the release chooses); anywhere else it closes.
            const int item = ListItemAt(p);
            if (item >= 0)
                list_->SetItemIndex(item);
            else
                CloseDropDown(false);
            return;
        }
        if (HandleAllocated() && GetFocus() != Handle() && !(edit_ && edit_->Focused()))
            SetFocus();
        if (ButtonRect().Contains(p) || style_ == csDropDownList) {
            SetDroppedDown(true);
            pressedOnButton_ = dropped_;
        }
        break;
    case WM_MOUSEMOVE:
        if (dropped_) {
            const int item = ListItemAt(p);
            if (item >= 0 && item != list_->ItemIndex())
                list_->SetItemIndex(item);
        }
        break;
    case WM_LBUTTONUP:
        if (dropped_) {
            const int item = ListItemAt(p);
            if (item >= 0) {
                list_->SetItemIndex(item);
                CloseDropDown(true);
            } else if (pressedOnButton_ && !ClientRect().Contains(p)) {
                // The opening press was dragged off both the box and the list.
                CloseDropDown(false);
            }
            pressedOnButton_ = false;
        }
        break;
    case WM_CAPTURECHANGED:
        if (dropped_ && reinterpret_cast<HWND>(message.LParam) != (HandleAllocated() ? Handle() : nullptr))
            CloseDropDown(false);
        break;
    default: break;
    }
}

bool TCustomComboBox::ComboKey(WORD key)
{
    const bool alt = GetKeyState(VK_MENU) < 0;
    switch (key) {
    case VK_F4: SetDroppedDown(!dropped_); return true;
    case VK_DOWN:
    case VK_UP:
        if (alt) {
            SetDroppedDown(!dropped_);
            return true;
        }
        [[fallthrough]];
    case VK_PRIOR:
    case VK_NEXT: list_->Perform(WM_KEYDOWN, key, 0); return true;
    case VK_HOME:
    case VK_END:
        if (style_ != csDropDownList && !dropped_)
            return false;
        list_->Perform(WM_KEYDOWN, key, 0);
        return true;
    case VK_RETURN:
    case VK_ESCAPE:
        if (!dropped_)
            return false;
        CloseDropDown(key == VK_RETURN);
        return true;
    default: return false;
    }
}

} // namespace tovrel
