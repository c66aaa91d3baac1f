// The office list's mouse, wheel and keys; the popup's no-activate answer.
#include "skin/controls/SkinOfficeListBox.h"

#include "platform/wm/Keys.h"

namespace tovrel {

void TskSkinOfficeListBox::WndProc(TMessage& message)
{
    if (FocusClickSwallows(message))
        return;
    switch (message.Msg) {
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case WM_MOUSEWHEEL:
        TskSkinCustomControl::WndProc(message);
        WheelNotch(short(HIWORD(message.WParam)));
        return;
    case WM_SIZE:
        TskSkinCustomControl::WndProc(message);
        SizeChanged();
        return;
    case CM_FOCUSCHANGED:
        TskSkinCustomControl::WndProc(message);
        Repaint();
        return;
    default: TskSkinCustomControl::WndProc(message);
    }
}

void TskSkinOfficeListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (Button != mbLeft || i == -1 || Item(i).Header())
        return;
    SetItemActive(i);
    FMouseDown = true;
    FMouseActive = i;
}

void TskSkinOfficeListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i == -1 || Item(i).Header() || !(FMouseDown || MouseMoveChangeIndex) || i == FMouseActive)
        return;
    SetItemActive(i);
    FMouseActive = i;
}

void TskSkinOfficeListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseDown = false;
    const int i = ItemAtPos(X, Y);
    if (Button == mbLeft && i != -1 && !Item(i).Header())
        SetItemIndex(i);
}

void TskSkinOfficeListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TskSkinCustomControl::KeyDown(Key, Shift);
    switch (Key) {
    case VK_NEXT: FindPageDown(); break;
    case VK_PRIOR: FindPageUp(); break;
    case VK_UP:
    case VK_LEFT: FindUp(); break;
    case VK_DOWN:
    case VK_RIGHT: FindDown(); break;
    default: break;
    }
}

void TskPopupOfficeListBox::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSEACTIVATE) {
        // A click into the drop-down never takes the activation from the form.
        message.Result = MA_NOACTIVATE;
        return;
    }
    if (message.Msg == WM_TIMER) {
        FadeStep();
        return;
    }
    TskSkinOfficeListBox::WndProc(message);
}

} // namespace tovrel
