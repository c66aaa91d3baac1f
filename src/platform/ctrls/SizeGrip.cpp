#include "platform/ctrls/SizeGrip.h"

#include "platform/wm/MessageLoop.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Styles.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"

namespace tovrel {

namespace {

HWND FormOf(HWND control)
{
    const HWND root = GetAncestor(control, GA_ROOT);
    return root != control ? root : nullptr;
}

} // namespace

bool GripCanSizeForm(HWND control)
{
    const HWND form = FormOf(control);
    if (!form)
        return false;
    const LONG_PTR style = GetWindowLong(form, GWL_STYLE);
    if (!(style & WS_THICKFRAME) || (style & (WS_MAXIMIZE | WS_MINIMIZE)))
        return false;
    RECT bar, client;
    if (!GetWindowRect(control, &bar) || !GetClientRect(form, &client))
        return false;
    POINT corner{client.Right, client.Bottom};
    ClientToScreen(form, &corner);
    return bar.Right == corner.X && bar.Bottom == corner.Y;
}

bool SizeFormFromGrip(HWND control, TPoint screenPoint)
{
    if (!GripCanSizeForm(control))
        return false;
    SendMessage(FormOf(control), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, LParamFromPoint(screenPoint));
    return true;
}

} // namespace tovrel
