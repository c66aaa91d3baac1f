#include "platform/ctrls/ListBoxInput.h"

#include "platform/ctrls/ListBox.h"
#include "platform/gdi/TextUtf8.h"
#include "platform/wm/Clock.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

#include <algorithm>

namespace tovrel {

bool TListBoxInput::Handle(TMessage& message)
{
    switch (message.Msg) {
    case WM_KEYDOWN: KeyDown(WORD(message.WParam)); return true;
    case WM_CHAR: Char(char16_t(message.WParam)); return true;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(PointFromLParam(message.LParam), message.WParam, message.Msg == WM_LBUTTONDBLCLK);
        return true;
    case WM_MOUSEMOVE:
        if (tracking_ && (message.WParam & MK_LBUTTON))
            Drag(PointFromLParam(message.LParam));
        return false;
    case WM_LBUTTONUP:
        if (tracking_) {
            tracking_ = false;
            if (list_.HandleAllocated() && GetCapture() == list_.Handle())
                ReleaseCapture();
        }
        return false;
    case WM_CAPTURECHANGED: tracking_ = false; return false;
    case WM_VSCROLL:
        if (list_.columns_ == 0)
            Scroll(message.WParam);
        return true;
    case WM_HSCROLL:
        if (list_.columns_ > 0) {
            const int rows = list_.VisibleRows();
            const int column = ScrollRequest(message.WParam, list_.top_ / rows, 1, list_.columns_, list_.ColumnCount());
            list_.SetTop(column * rows);
        }
        return true;
    case WM_MOUSEWHEEL: {
        const int notches = GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA;
        list_.SetTop(list_.top_ - 3 * notches);
        message.Result = 0;
        return true;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        list_.InvalidateRow(list_.caret_);
        list_.Notify(message.Msg == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return false;
    default: return false;
    }
}

void TListBoxInput::MoveTo(int index, TShiftState held)
{
    TCustomListBox& l = list_;
    if (l.Count() == 0)
        return;
    index = std::clamp(index, 0, l.Count() - 1);
    if (!l.multiSelect_) {
        const bool changed = index != l.caret_ || !l.rows_[std::size_t(index)].Selected;
        l.SelectOnly(index);
        l.SetCaret(index);
        l.EnsureVisible(index);
        if (changed)
            l.NotifySelChange();
        return;
    }
    l.SetCaret(index);
    l.EnsureVisible(index);
    if (!l.extendedSelect_ || held.Contains(ssCtrl))
        return;
    if (held.Contains(ssShift) && l.anchor_ >= 0) {
        l.SelectOnly(-1);
        l.SelectRange(l.anchor_, index, true);
    } else {
        l.SelectOnly(index);
        l.anchor_ = index;
    }
    l.NotifySelChange();
}

void TListBoxInput::KeyDown(WORD key)
{
    TCustomListBox& l = list_;
    const TShiftState held = GetShiftState();
    const int caret = std::max(l.caret_, 0);
    const int page = std::max(1, l.VisibleRows() - 1);
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        // Across the columns of a multi-column list.
        if (l.columns_ > 0)
            MoveTo(caret + (key == VK_LEFT ? -1 : 1) * l.VisibleRows(), held);
        break;
    case VK_UP: MoveTo(l.caret_ < 0 ? 0 : caret - 1, held); break;
    case VK_DOWN: MoveTo(l.caret_ < 0 ? 0 : caret + 1, held); break;
    case VK_PRIOR: MoveTo(caret - page, held); break;
    case VK_NEXT: MoveTo(caret + page, held); break;
    case VK_HOME: MoveTo(0, held); break;
    case VK_END: MoveTo(l.Count() - 1, held); break;
    case VK_SPACE:
        if (l.multiSelect_ && l.caret_ >= 0) {
            auto& row = l.rows_[std::size_t(l.caret_)];
            row.Selected = l.extendedSelect_ && !held.Contains(ssCtrl) ? true : !row.Selected;
            l.anchor_ = l.caret_;
            l.InvalidateRow(l.caret_);
            l.NotifySelChange();
        }
        break;
    default: break;
    }
}

void TListBoxInput::Char(char16_t ch)
{
    const int found =
        typeAhead_.Type(ch, list_.Count(), list_.caret_, [this](int i) { return list_.rows_[std::size_t(i)].Text; });
    if (found >= 0)
        MoveTo(found, TShiftState{});
}

void TListBoxInput::ButtonDown(TPoint p, WPARAM keys, bool doubleClick)
{
    TCustomListBox& l = list_;
    if (l.HandleAllocated() && GetFocus() != l.Handle())
        ::tovrel::SetFocus(l.Handle());
    const int index = l.ItemAtPos(p, true);
    if (index < 0)
        return;
    const bool shift = keys & MK_SHIFT, ctrl = keys & MK_CONTROL;
    if (!l.multiSelect_) {
        l.SelectOnly(index);
        l.SetCaret(index);
        l.NotifySelChange();
    } else if (!l.extendedSelect_) {
        auto& row = l.rows_[std::size_t(index)];
        row.Selected = !row.Selected;
        l.SetCaret(index);
        l.InvalidateRow(index);
        l.NotifySelChange();
    } else {
        if (ctrl) {
            l.rows_[std::size_t(index)].Selected = !l.rows_[std::size_t(index)].Selected;
            l.InvalidateRow(index);
            l.anchor_ = index;
        } else if (shift && l.anchor_ >= 0) {
            l.SelectOnly(-1);
            l.SelectRange(l.anchor_, index, true);
        } else {
            l.SelectOnly(index);
            l.anchor_ = index;
        }
        l.SetCaret(index);
        l.NotifySelChange();
    }
    if (doubleClick) {
        l.Notify(LBN_DBLCLK);
        return;
    }
    if (l.HandleAllocated() && (!l.multiSelect_ || l.extendedSelect_)) {
        tracking_ = true;
        SetCapture(l.Handle());
    }
}

void TListBoxInput::Drag(TPoint p)
{
    TCustomListBox& l = list_;
    // Outside the box the list follows one row per move.
    int index;
    if (p.Y < 0)
        index = l.top_ - 1;
    else if (p.Y >= l.ClientHeight())
        index = l.top_ + l.VisibleRows();
    else
        index = l.ItemAtPos(p, false);
    index = std::clamp(index, 0, l.Count() - 1);
    if (index == l.caret_)
        return;
    if (!l.multiSelect_) {
        l.SelectOnly(index);
    } else {
        l.SelectOnly(-1);
        l.SelectRange(l.anchor_, index, true);
    }
    l.SetCaret(index);
    l.EnsureVisible(index);
    l.NotifySelChange();
}

void TListBoxInput::Scroll(WPARAM w)
{
    list_.SetTop(ScrollRequest(w, list_.top_, 1, list_.VisibleRows(), list_.Count()));
}

} // namespace tovrel
