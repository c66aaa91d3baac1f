// The combo box's drop-down list window: a skinned list box in a popup that
// never takes the activation, so the box keeps the focus while it is open.
#include "platform/wm/WindowPos.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinComboBox.h"

namespace tovrel {

TskPopupListBox::TskPopupListBox(TComponent* AOwner) : TskSkinListBox(AOwner)
{
    ControlStyle = ControlStyle + TControlStyle{csAcceptsControls, csReplicatable};
    SetVisible(false);
}

void TskPopupListBox::CreateParams(TCreateParams& params)
{
    TskSkinListBox::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN;
    // Layered fading needs a compositor, which this platform does not assume:
    // the list opens opaque and at once.
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
    params.WndParent = nullptr;
}

void TskPopupListBox::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSEACTIVATE) {
        message.Result = MA_NOACTIVATE;
        return;
    }
    TskSkinListBox::WndProc(message);
}

void TskPopupListBox::Show(TPoint Origin)
{
    SetBounds(Origin.X, Origin.Y, Width(), Height());
    HWND window = Handle();
    SetVisible(true);
    SetWindowPos(window, HWND_TOPMOST, Origin.X, Origin.Y, Width(), Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpDateScrollBar();
}

void TskPopupListBox::Hide()
{
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    SetVisible(false);
}

} // namespace tovrel
