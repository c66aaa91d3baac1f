// The list and edit parts of the combo box.
#include "platform/ctrls/ComboBox.h"

#include "platform/wm/Keys.h"

namespace tovrel {

TComboList::TComboList(TCustomComboBox& combo) : TCustomListBox(&combo), combo_(combo)
{
    SetVisible(false);
    SetTabStop(false);
}

void TComboList::SetPopup(bool popup)
{
    if (popup_ == popup)
        return;
    DestroyHandle();
    popup_ = popup;
    SetParent(popup ? nullptr : &combo_);
    SetVisible(!popup);
}

void TComboList::CreateParams(TCreateParams& params)
{
    TCustomListBox::CreateParams(params);
    if (!popup_)
        return;
    // Never activated: the combo keeps the focus while its list is open.
    params.Style = (params.Style & ~DWORD(WS_CHILD | WS_VISIBLE | WS_TABSTOP)) | WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
    params.WndParent = nullptr;
}

void TComboList::DefaultHandler(TMessage& message)
{
    if (message.Msg == WM_MOUSEACTIVATE && popup_) {
        message.Result = MA_NOACTIVATE;
        return;
    }
    TCustomListBox::DefaultHandler(message);
}

void TComboList::Click()
{
    combo_.ListSelected();
}

TComboEdit::TComboEdit(TCustomComboBox& combo) : TCustomEdit(&combo), combo_(combo)
{
    SetBorderStyle(bsNone);
    SetParent(&combo);
    SetTabStop(false);
}

void TComboEdit::Change()
{
    TCustomEdit::Change();
    combo_.EditChanged();
}

void TComboEdit::DefaultHandler(TMessage& message)
{
    if (message.Msg == WM_KEYDOWN && combo_.ComboKey(WORD(message.WParam)))
        return;
    if (message.Msg == WM_SYSKEYDOWN && (message.WParam == VK_DOWN || message.WParam == VK_UP) &&
        combo_.ComboKey(VK_F4))
        return;
    if (message.Msg == WM_CHAR && (message.WParam == 13 || message.WParam == 27) && combo_.DroppedDown())
        return;
    if (message.Msg == WM_KILLFOCUS && combo_.DroppedDown() &&
        reinterpret_cast<HWND>(message.WParam) != (combo_.HandleAllocated() ? combo_.Handle() : nullptr))
        combo_.SetDroppedDown(false);
    TCustomEdit::DefaultHandler(message);
}

} // namespace tovrel
