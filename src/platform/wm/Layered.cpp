#include "platform/wm/Layered.h"

#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/wm/Backend.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

namespace {
std::shared_ptr<TWindow> LayeredTopLevel(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w && w->Store && (w->ExStyle & WS_EX_LAYERED) ? w : nullptr;
}
} // namespace

BOOL LayeredWindowsAvailable()
{
    return Backend().LayeredWindowsAvailable() ? 1 : 0;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
    auto w = LayeredTopLevel(hwnd);
    if (!w)
        return 0;
    auto& store = *w->Store;
    store.ColorKey = key;
    store.Alpha = alpha;
    store.LayeredFlags = flags;
    store.PerPixelAlpha = false;
    Backend().WindowOpacityChanged(hwnd, (flags & LWA_ALPHA) ? alpha : 255);
    return 1;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags)
{
    auto w = LayeredTopLevel(hwnd);
    if (!w)
        return 0;
    if (key)
        *key = w->Store->ColorKey;
    if (alpha)
        *alpha = w->Store->Alpha;
    if (flags)
        *flags = w->Store->LayeredFlags;
    return 1;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const POINT* dstPoint, const SIZE* size, HDC src, const POINT* srcPoint,
                         COLORREF key, const BLENDFUNCTION* blend, DWORD flags)
{
    auto w = LayeredTopLevel(hwnd);
    if (!w || (size && (size->cx < 0 || size->cy < 0)))
        return 0;
    UINT posFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    if (!dstPoint)
        posFlags |= SWP_NOMOVE;
    if (!size)
        posFlags |= SWP_NOSIZE;
    SetWindowPos(hwnd, nullptr, dstPoint ? dstPoint->X : 0, dstPoint ? dstPoint->Y : 0, size ? size->cx : 0,
                 size ? size->cy : 0, posFlags);
    if (!(w = LayeredTopLevel(hwnd)))
        return 0;
    EnsureBackingStore(*w);
    auto& store = *w->Store;
    if (src) {
        const TRect all{0, 0, w->Rect.Width(), w->Rect.Height()};
        HDC target = CreateSurfaceDC(store.Surface, {0, 0}, TRegion(all));
        const TPoint from = srcPoint ? *srcPoint : TPoint{};
        const BOOL copied = BitBlt(target, 0, 0, all.Width(), all.Height(), src, from.X, from.Y, SRCCOPY);
        DeleteDC(target);
        if (!copied)
            return 0;
        store.Dirty = TRegion(all);
    }
    store.ColorKey = key;
    store.Alpha = blend ? blend->SourceConstantAlpha : 255;
    store.LayeredFlags = flags;
    store.PerPixelAlpha = (flags & ULW_ALPHA) != 0;
    w->Update = {};
    w->FrameNeeded = w->EraseNeeded = false;
    Backend().WindowOpacityChanged(hwnd, store.Alpha);
    return 1;
}

BOOL IsPerPixelAlphaWindow(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w && w->Store && w->Store->PerPixelAlpha ? 1 : 0;
}

} // namespace tovrel
