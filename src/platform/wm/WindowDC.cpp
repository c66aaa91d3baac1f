// Device contexts of windows: a window's part of its top-level surface,
// clipped to what of it is visible, and shown when released.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Regions.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WmInternal.h"

#include <unordered_map>

namespace tovrel {

namespace {

// DCs handed out for windows: what they may draw, to show it when they are released.
struct TLiveDC {
    HWND TopLevel;
    TRegion Clip;
};
std::unordered_map<HDC, TLiveDC>& LiveDCs()
{
    static std::unordered_map<HDC, TLiveDC> dcs;
    return dcs;
}

} // namespace

void MarkDirty(HWND top, const TRegion& clip)
{
    auto t = LookupWindow(top);
    if (t && t->Store)
        t->Store->Dirty = t->Store->Dirty.Combined(clip, TRegionOp::Or);
}

HDC MakeWindowDC(TWindow& w, bool client, TRegion clip)
{
    auto top = TopLevelOf(w);
    if (!top || !top->Store)
        return nullptr;
    EnsureBackingStore(*top);
    TPoint o = OriginInTopLevel(w);
    if (client) {
        o.X += w.Client.Left;
        o.Y += w.Client.Top;
    }
    HDC dc = CreateSurfaceDC(top->Store->Surface, o, clip);
    if (dc) {
        MarkDirty(top->Handle, clip);
        LiveDCs()[dc] = {top->Handle, std::move(clip)};
    }
    return dc;
}

HDC GetDCEx(HWND hwnd, HRGN rgn, DWORD flags)
{
    if (!hwnd || hwnd == DesktopHandle())
        return CreateCompatibleDC(nullptr);
    auto w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    const bool client = !(flags & DCX_WINDOW);
    const bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->Style & WS_CLIPCHILDREN);
    TRegion clip = VisibleRegion(
        *w, {.ClientOnly = client, .ClipChildren = clipChildren, .ClipSiblings = (flags & DCX_CLIPSIBLINGS) != 0});
    if (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) {
        if (auto given = RegionOf(rgn)) {
            // Screen coordinates, as WM_NCPAINT hands the region over.
            const TPoint screen = ScreenOrigin(*w), inTop = OriginInTopLevel(*w);
            given->Offset(inTop.X - screen.X, inTop.Y - screen.Y);
            clip = clip.Combined(*given, (flags & DCX_INTERSECTRGN) ? TRegionOp::And : TRegionOp::Diff);
        }
    }
    return MakeWindowDC(*w, client, std::move(clip));
}

HDC GetDC(HWND hwnd)
{
    return GetDCEx(hwnd, nullptr, 0);
}
HDC GetWindowDC(HWND hwnd)
{
    return GetDCEx(hwnd, nullptr, DCX_WINDOW);
}

int ReleaseDC(HWND, HDC dc)
{
    auto it = LiveDCs().find(dc);
    if (it != LiveDCs().end()) {
        MarkDirty(it->second.TopLevel, it->second.Clip);
        LiveDCs().erase(it);
    }
    return DeleteDC(dc) ? 1 : 0;
}

} // namespace tovrel
