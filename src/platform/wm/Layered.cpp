#include "platform/wm/Layered.h"

#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/RegionBuilder.h"
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
bool IsClickThrough(const TWindow& w)
{
    constexpr DWORD kClickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;
    return (w.ExStyle & kClickThrough) == kClickThrough;
}

// Per-pixel alpha content, whose fully transparent pixels the mouse passes.
const TSurface* AlphaContent(const TWindow& w)
{
    const bool perPixel = (w.ExStyle & WS_EX_LAYERED) && w.Store && w.Store->PerPixelAlpha && w.Store->Surface;
    return perPixel && w.Store->Surface->BytesPerPixel() == 4 ? w.Store->Surface.get() : nullptr;
}

bool Transparent(const TSurface& s, int x, int y)
{
    return s.ScanLine(y)[x * 4 + 3] == 0;
}

} // namespace

bool LayeredPassesMouseAt(HWND hwnd, TPoint p)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return false;
    if (IsClickThrough(*w))
        return true;
    const TSurface* content = AlphaContent(*w);
    return content && p.X >= 0 && p.Y >= 0 && p.X < content->Width() && p.Y < content->Height() &&
           Transparent(*content, p.X, p.Y);
}

std::optional<TRegion> LayeredMouseRegion(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return std::nullopt;
    if (IsClickThrough(*w))
        return TRegion();
    const TSurface* content = AlphaContent(*w);
    if (!content)
        return std::nullopt;
    TRegionBuilder builder;
    std::vector<TRegion::TSpan> spans;
    for (int y = 0; y < content->Height(); ++y) {
        spans.clear();
        for (int x = 0; x < content->Width();) {
            while (x < content->Width() && Transparent(*content, x, y))
                ++x;
            const int left = x;
            while (x < content->Width() && !Transparent(*content, x, y))
                ++x;
            if (x > left)
                spans.push_back({left, x});
        }
        builder.AddBand(y, y + 1, spans.data(), int(spans.size()));
    }
    return builder.Take();
}

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
    const bool hadAlphaContent = store.PerPixelAlpha;
    store.PerPixelAlpha = false;
    Backend().WindowOpacityChanged(hwnd, (flags & LWA_ALPHA) ? alpha : 255);
    if (hadAlphaContent)
        Backend().WindowContentChanged(hwnd);
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
    Backend().WindowContentChanged(hwnd);
    return 1;
}

BOOL IsPerPixelAlphaWindow(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w && w->Store && w->Store->PerPixelAlpha ? 1 : 0;
}

} // namespace tovrel
