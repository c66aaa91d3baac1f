// Window regions: a window's shape for drawing and hit testing.
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Regions.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    std::optional<TRegion> shape = rgn ? RegionOf(rgn) : std::nullopt;
    if (rgn && !shape)
        return 0;
    if (rgn)
        DeleteObject(ToGdiObj(rgn));
    const bool visible = IsVisibleChain(*w);
    if (visible && w->Parent && redraw)
        InvalidateParentArea(*w, w->Rect);
    w->Region = std::move(shape);
    if (!w->Parent)
        Backend().WindowShapeChanged(hwnd, w->Region ? &*w->Region : nullptr);
    if (visible && redraw)
        InvalidateWindowArea(*w, TRegion(WholeWindow(*w)), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn)
{
    auto w = LookupWindow(hwnd);
    if (!w || !w->Region || !RegionOf(rgn))
        return ERROR;
    HRGN copy = CreateRegionHandle(*w->Region);
    const int kind = CombineRgn(rgn, copy, nullptr, RGN_COPY);
    DeleteObject(ToGdiObj(copy));
    return kind;
}

} // namespace tovrel
