#include "skin/controls/DropDownListHook.h"

#include "platform/wm/Input.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Wm.h"

namespace tovrel {

void HookDropDownListMessage(TMessage& message, TWinControl& box, const TWndMethod& listProc, bool& pressed,
                             bool& wasInList)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        pressed = true;
        wasInList = true;
        if (box.HandleAllocated())
            SetCapture(box.Handle());
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return;
    case WM_MOUSEACTIVATE:
        listProc(message);
        message.Result = MA_NOACTIVATE;
        return;
    default: listProc(message); return;
    }
}

} // namespace tovrel
