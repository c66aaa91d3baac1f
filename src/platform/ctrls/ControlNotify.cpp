#include "platform/ctrls/ControlNotify.h"

#include "platform/vcl/Menus.h"

#include <utility>

namespace tovrel {

namespace {
const TControl* quietTextControl = nullptr;
} // namespace

void NotifyCommand(TWinControl& control, WORD code)
{
    if (control.ControlState.Contains(csCreating) || control.ComponentState().Contains(csDestroying))
        return;
    const HWND hwnd = control.HandleAllocated() ? control.Handle() : nullptr;
    control.Perform(CN_COMMAND, MAKEWPARAM(hwnd ? GetDlgCtrlID(hwnd) : 0, code), ToLParam(hwnd));
}

LRESULT SendReflectedNotify(TWinControl& control, int code, NMHDR& notice)
{
    if (control.ComponentState().Contains(csDestroying))
        return 0;
    notice.hwndFrom = control.HandleAllocated() ? control.Handle() : nullptr;
    notice.idFrom = notice.hwndFrom ? ULONG_PTR(GetDlgCtrlID(notice.hwndFrom)) : 0;
    notice.code = code;
    return control.Perform(CN_NOTIFY, notice.idFrom, ToLParam(&notice));
}

void SetTextQuietly(TControl& control, const std::string& text)
{
    TWndMethod hooks = std::move(control.WindowProc);
    control.WindowProc = [&control](TMessage& m) { control.WndProc(m); };
    const TControl* outer = std::exchange(quietTextControl, &control);
    TMessage m{WM_SETTEXT, 0, ToLParam(text.c_str()), 0};
    try {
        control.TControl::WndProc(m);
    } catch (...) {
        quietTextControl = outer;
        control.WindowProc = std::move(hooks);
        throw;
    }
    quietTextControl = outer;
    control.WindowProc = std::move(hooks);
}

bool SettingTextQuietly(const TControl& control)
{
    return quietTextControl == &control;
}

bool IsAccelChar(WPARAM ch, std::string_view caption)
{
    const WPARAM upper = ch >= 'a' && ch <= 'z' ? ch - ('a' - 'A') : ch;
    return upper <= 0xFFFF && IsAccel(WORD(upper), caption);
}

} // namespace tovrel
