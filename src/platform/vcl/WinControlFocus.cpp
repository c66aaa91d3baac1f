// A windowed control's tab order and focus, and its share of key handling
// (key events, dialog keys).
#include "platform/vcl/WinControl.h"

#include "platform/vcl/Errors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include <algorithm>

namespace tovrel {

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    std::erase(list, this);
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool value)
{
    if (tabStop_ == value)
        return;
    tabStop_ = value;
    if (handle_) {
        const LONG_PTR style = GetWindowLongPtr(handle_, GWL_STYLE);
        SetWindowLongPtr(handle_, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
    }
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::tovrel::SetFocus(Handle());
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = int(list.size());
    int start = int(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count)
        start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* c = list[std::size_t(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

TWinControl* TWinControl::TopLevelControl()
{
    return GetParentTopLevel(this);
}

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift)
{
    TWinControl* form = TopLevelControl();
    if (form && form != this && form->WantsKeyPreview() && form->DoKeyDown(key, shift))
        return true;
    if (!ControlStyle.Contains(csNoStdEvents)) {
        KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    return false;
}

bool TWinControl::IsDialogKey(WORD key, LPARAM keyData)
{
    LRESULT mask = 0;
    switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: return false;
    }
    if (Perform(CM_WANTSPECIALKEY, key, 0) != 0 || (Perform(WM_GETDLGCODE, 0, 0) & mask) != 0)
        return false;
    TWinControl* form = TopLevelControl();
    return form && form->Perform(CM_DIALOGKEY, key, keyData) != 0;
}

void TWinControl::HandleKey(TMessage& message)
{
    WORD key = WORD(message.WParam);
    const TShiftState shift = GetShiftState();
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        TWinControl* top = TopLevelControl();
        if ((top && top->IsShortCut(key, shift)) || IsDialogKey(key, message.LParam) || DoKeyDown(key, shift))
            return;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        TWinControl* form = TopLevelControl();
        if (form && form != this && form->WantsKeyPreview())
            form->KeyUp(key, shift);
        if (key != 0)
            KeyUp(key, shift);
        if (key == 0)
            return;
        break;
    }
    case WM_SYSCHAR:
        if (TWinControl* form = TopLevelControl(); form && form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam))
            return;
        break;
    case WM_CHAR: {
        char16_t ch = char16_t(message.WParam);
        TWinControl* form = TopLevelControl();
        // Accelerators ("&x" captions) answer characters the control does not want.
        if (form && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 &&
            form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0)
            return;
        if (form && form != this && form->WantsKeyPreview())
            form->KeyPress(ch);
        if (ch != 0)
            KeyPress(ch);
        if (ch == 0)
            return;
        message.WParam = ch;
        break;
    }
    default: break;
    }
    DefaultHandler(message);
}

} // namespace tovrel
