// WM_PRINT: a window, its frame and its children drawn into a given DC.
#include "platform/gdi/DeviceContext.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Styles.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

LRESULT DefPrint(TWindow& w, HDC dc, LPARAM flags)
{
    if ((flags & PRF_CHECKVISIBLE) && !IsVisibleChain(w))
        return 0;
    const HWND hwnd = w.Handle;
    const TSavedDC saved(dc);
    if (!saved.Level())
        return 0;
    if (flags & PRF_NONCLIENT)
        DefNcPaint(w, dc);
    OffsetViewportOrgEx(dc, w.Client.Left, w.Client.Top, nullptr);
    IntersectClipRect(dc, 0, 0, w.Client.Width(), w.Client.Height());
    if (flags & PRF_ERASEBKGND)
        SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (flags & PRF_CLIENT)
        SendMessage(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    auto alive = LookupWindow(hwnd);
    if ((flags & PRF_CHILDREN) && alive) {
        const auto children = alive->Children;
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            auto c = LookupWindow(*it);
            if (!c || !(c->Style & WS_VISIBLE))
                continue;
            const TSavedDC childSaved(dc);
            OffsetViewportOrgEx(dc, c->Rect.Left, c->Rect.Top, nullptr);
            SendMessage(*it, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
        }
    }
    return 1;
}

} // namespace tovrel
