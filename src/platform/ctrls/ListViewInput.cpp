#include "platform/ctrls/ListViewInput.h"

#include "platform/ctrls/ListView.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

#include <algorithm>

namespace tovrel {

bool TListViewInput::Handle(TMessage& message)
{
    TCustomListView& v = view_;
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        ButtonDown(PointFromLParam(message.LParam), message.WParam, message.Msg == WM_LBUTTONDBLCLK,
                   message.Msg == WM_RBUTTONDOWN);
        return true;
    case WM_LBUTTONUP:
        // A click is a press and a release in the list view.
        if (pressed_) {
            pressed_ = false;
            const TPoint p = PointFromLParam(message.LParam);
            if (v.ClientRect().Contains(p))
                v.SendNotify(NM_CLICK, v.HitTest(p, v.RowSelect()), p);
        }
        return true;
    case WM_RBUTTONUP: {
        const TPoint p = PointFromLParam(message.LParam);
        v.SendNotify(NM_RCLICK, v.HitTest(p, v.RowSelect()), p);
        return false; // the default handling still asks for the context menu
    }
    case WM_KEYDOWN: KeyDown(WORD(message.WParam)); return true;
    case WM_CHAR: {
        // Typing the start of a caption selects its item.
        const int found = TypedItem(char16_t(message.WParam));
        if (found >= 0)
            v.SelectOnly(found);
        return true;
    }
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return true;
    case WM_VSCROLL:
    case WM_HSCROLL: v.ScrollByMessage(message.Msg == WM_VSCROLL, message.WParam); return true;
    case WM_MOUSEWHEEL: v.ScrollByWheel(GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA); return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        v.Invalidate();
        v.SendNotify(message.Msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, -1);
        return false;
    default: return false;
    }
}

int TListViewInput::TypedItem(char16_t ch)
{
    TCustomListView& v = view_;
    const int count = v.items_->Count();
    if (!v.OwnerData())
        return typeAhead_.Type(ch, count, v.FocusedIndex(), [&v](int i) { return v.items_->Item(i)->Caption(); });
    // Owner-data rows are searched by their owner, not fetched one by one.
    return typeAhead_.Type(ch, count, v.FocusedIndex(), [&v, count](std::string_view prefix, int start) {
        const int row =
            v.OwnerDataFind(ifPartialString, std::string(prefix), {}, nullptr, SearchStart(start, count), sdAll, true);
        return row < count ? row : -1;
    });
}

void TListViewInput::ButtonDown(TPoint p, WPARAM keys, bool doubleClick, bool right)
{
    TCustomListView& v = view_;
    if (v.HandleAllocated() && GetFocus() != v.Handle())
        ::tovrel::SetFocus(v.Handle());
    const int index = v.HitTest(p, v.RowSelect());
    const bool ctrl = keys & MK_CONTROL, shift = keys & MK_SHIFT;
    if (!v.multiSelect_ || index < 0 || !(ctrl || shift) || right) {
        if (!(right && index >= 0 && v.ItemState(index, LVIS_SELECTED)))
            v.SelectOnly(index);
        anchor_ = index;
    } else if (ctrl) {
        ToggleSelected(index);
    } else {
        SelectRange(index);
    }
    if (doubleClick)
        v.SendNotify(NM_DBLCLK, index, p);
    else if (!right)
        pressed_ = true;
}

void TListViewInput::SelectRange(int index)
{
    TCustomListView& v = view_;
    const int count = v.items_->Count();
    // An anchor left behind by deleted items, or none yet, starts from the focus.
    if (anchor_ < 0 || anchor_ >= count) {
        const int focused = v.FocusedIndex();
        anchor_ = focused >= 0 ? focused : 0;
    }
    const int from = std::min(anchor_, index), to = std::max(anchor_, index);
    for (int i = 0; i < count; ++i) {
        const UINT selected = i >= from && i <= to ? LVIS_SELECTED : 0;
        // The focus comes with the new end's own change, not as a second one.
        if (i == index)
            v.SetItemState(i, LVIS_SELECTED | LVIS_FOCUSED, selected | LVIS_FOCUSED);
        else
            v.SetItemState(i, LVIS_SELECTED, selected);
    }
    v.EnsureVisible(index);
}

void TListViewInput::ToggleSelected(int index)
{
    TCustomListView& v = view_;
    v.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED,
                   (v.ItemState(index, LVIS_SELECTED) ^ LVIS_SELECTED) | LVIS_FOCUSED);
    anchor_ = index;
}

void TListViewInput::KeyDown(WORD key)
{
    TCustomListView& v = view_;
    const int count = v.items_->Count();
    if (count == 0)
        return;
    // Without multiple selection Shift and Ctrl change nothing.
    const bool shift = v.multiSelect_ && GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = v.multiSelect_ && GetKeyState(VK_CONTROL) < 0;
    const int current = v.FocusedIndex();
    if (key == VK_SPACE) {
        if (ctrl && current >= 0)
            ToggleSelected(current);
        return;
    }
    const std::optional<int> step = v.KeyTarget(key, current);
    if (!step)
        return;
    const int target = std::clamp(*step, 0, count - 1);
    if (shift) {
        SelectRange(target);
    } else if (ctrl) {
        v.SetItemState(target, LVIS_FOCUSED, LVIS_FOCUSED);
        v.EnsureVisible(target);
    } else {
        if (target != current || !v.ItemState(target, LVIS_SELECTED))
            v.SelectOnly(target);
        anchor_ = target;
    }
}

} // namespace tovrel
