#include "skin/controls/SkinControl.h"

namespace tovrel {

void TskSkinControl::CheckControlsBackground()
{
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->Perform(CheckParentBackgroundMessage, 0, 0);
    }
}

bool TskSkinControl::FocusClickSwallows(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Focused())
            return false;
        FClicksDisabled = true;
        if (CanFocus())
            SetFocus();
        FClicksDisabled = false;
        return !Focused();
    case CN_COMMAND: return FClicksDisabled;
    default: return false;
    }
}

void TskSkinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // Every paint covers each pixel, so erasing would only flicker.
        message.Result = 1;
        return;
    case WM_PAINT:
        FromWMPaint = true;
        TskSkinned::WndProc(message);
        FromWMPaint = false;
        return;
    case CheckParentBackgroundMessage: CheckParentBackground(); return;
    default: TskSkinned::WndProc(message);
    }
}

} // namespace tovrel
