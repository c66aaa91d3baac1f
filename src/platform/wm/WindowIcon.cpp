#include "platform/wm/Backend.h"
#include "platform/wm/Messages.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

LRESULT SetWindowIcon(TWindow& w, WPARAM kind, HICON icon)
{
    if (kind != ICON_SMALL && kind != ICON_BIG)
        return 0;
    HICON& slot = kind == ICON_BIG ? w.BigIcon : w.SmallIcon;
    const HICON previous = slot;
    slot = icon;
    if (kind == ICON_BIG && !w.Parent)
        Backend().WindowIconChanged(w.Handle, icon);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT GetWindowIcon(const TWindow& w, WPARAM kind)
{
    switch (kind) {
    case ICON_BIG: return reinterpret_cast<LRESULT>(w.BigIcon);
    case ICON_SMALL: return reinterpret_cast<LRESULT>(w.SmallIcon);
    case ICON_SMALL2: return reinterpret_cast<LRESULT>(w.SmallIcon ? w.SmallIcon : w.BigIcon);
    default: return 0;
    }
}

} // namespace tovrel
