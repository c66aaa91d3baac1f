// WM_PARENTNOTIFY: a child tells its parent, then each ancestor up to the
// top-level window, that it was made, is being destroyed or was pressed on.
// A window with WS_EX_NOPARENTNOTIFY tells nobody above it.
#include "platform/wm/MessageLoop.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

void NotifyParents(const TWindow& child, WPARAM wParam, const std::function<LPARAM(HWND parent)>& lParamFor)
{
    if (!child.IsChild() || (child.ExStyle & WS_EX_NOPARENTNOTIFY))
        return;
    for (auto parent = LookupWindow(child.Parent); parent; parent = LookupWindow(parent->Parent)) {
        SendMessage(parent->Handle, WM_PARENTNOTIFY, wParam, lParamFor(parent->Handle));
        if (!parent->IsChild() || (parent->ExStyle & WS_EX_NOPARENTNOTIFY))
            break;
    }
}

void NotifyParentsOfPress(HWND target, UINT buttonDown, TPoint screen)
{
    if (auto w = LookupWindow(target))
        NotifyParents(*w, MAKEWPARAM(int(buttonDown), 0), [screen](HWND parent) {
            TPoint at = screen;
            ScreenToClient(parent, &at);
            return LParamFromPoint(at);
        });
}

} // namespace tovrel
