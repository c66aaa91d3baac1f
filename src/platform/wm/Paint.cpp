// Update regions, WM_PAINT, BeginPaint/EndPaint, and showing what was drawn.
#include "platform/wm/Paint.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Regions.h"
#include "platform/wm/Backend.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>
#include <cstring>

namespace tovrel {

namespace {

// A client-coordinate rectangle or region as window coordinates.
TRegion ClientArea(const TWindow& w, const RECT* r, HRGN rgn)
{
    TRegion area;
    if (rgn) {
        auto given = RegionOf(rgn);
        if (!given)
            return {};
        area = *given;
    } else if (r) {
        area = TRegion(*r);
    } else {
        return TRegion(w.Client);
    }
    area.Offset(w.Client.Left, w.Client.Top);
    return area;
}

void PaintTree(TWindow& w)
{
    if (!w.Update.IsEmpty() || w.FrameNeeded || w.InternalPaint)
        SendMessage(w.Handle, WM_PAINT, 0, 0);
}

bool NeedsPaint(const TWindow& w)
{
    return !w.Update.IsEmpty() || w.FrameNeeded || w.InternalPaint;
}

HWND FindPaintable(const std::vector<HWND>& windows, bool bottomFirst, HWND only)
{
    const auto pick = [&](HWND h) -> HWND {
        auto w = LookupWindow(h);
        if (!w || !(w->Style & WS_VISIBLE))
            return nullptr;
        if (w->Store && w->Store->PerPixelAlpha) {
            w->Update = {};
            w->FrameNeeded = w->EraseNeeded = w->InternalPaint = false;
            return nullptr;
        }
        if (NeedsPaint(*w) && (!only || only == h))
            return h;
        return FindPaintable(w->Children, true, only);
    };
    if (bottomFirst) {
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            if (HWND h = pick(*it))
                return h;
    } else {
        for (HWND h : windows)
            if (HWND found = pick(h))
                return found;
    }
    return nullptr;
}

void CollectTree(const TWindow& w, std::vector<HWND>& out)
{
    out.push_back(w.Handle);
    for (HWND h : w.Children)
        if (auto c = LookupWindow(h))
            CollectTree(*c, out);
}

// Copies the pixels of `to` (surface coordinates) from where they lie before
// a move by (dx, dy); source and destination may overlap.
void MovePixels(TSurface& surface, const TRegion& to, int dx, int dy)
{
    if (to.IsEmpty())
        return;
    const TRect source = Offset(to.Bounds(), -dx, -dy);
    const std::size_t bpp = std::size_t(surface.BytesPerPixel());
    const std::size_t rowBytes = std::size_t(source.Width()) * bpp;
    std::vector<std::uint8_t> copy(rowBytes * std::size_t(source.Height()));
    for (int y = source.Top; y < source.Bottom; ++y)
        std::memcpy(copy.data() + std::size_t(y - source.Top) * rowBytes,
                    surface.ScanLine(y) + std::size_t(source.Left) * bpp, rowBytes);
    to.ForEachRect([&](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            const std::uint8_t* from = copy.data() + std::size_t(y - dy - source.Top) * rowBytes +
                                       std::size_t(r.Left - dx - source.Left) * bpp;
            std::memcpy(surface.ScanLine(y) + std::size_t(r.Left) * bpp, from, std::size_t(r.Width()) * bpp);
        }
    });
}

// Moves the shown pixels of `area` by (dx, dy) within it, changing only
// `changeable` (both in window coordinates); the part that got pixels, in
// window coordinates.
TRegion ScrollPixels(TWindow& w, const TRegion& area, const TRegion& changeable, int dx, int dy)
{
    auto top = TopLevelOf(w);
    if (!top || !top->Store || top->Store->PerPixelAlpha || !IsVisibleChain(w))
        return {};
    EnsureBackingStore(*top);
    TSurface& surface = *top->Store->Surface;
    const TPoint o = OriginInTopLevel(w);
    // Children move with their pixels, so they clip nothing here.
    const TRegion shown =
        VisibleRegion(w).Combined(TRegion(TRect{0, 0, surface.Width(), surface.Height()}), TRegionOp::And);
    TRegion from = area;
    from.Offset(o.X, o.Y);
    from = from.Combined(shown, TRegionOp::And);
    TRegion mayChange = changeable;
    mayChange.Offset(o.X, o.Y);
    TRegion to = from;
    to.Offset(dx, dy);
    to = to.Combined(from, TRegionOp::And).Combined(mayChange, TRegionOp::And);
    MovePixels(surface, to, dx, dy);
    MarkDirty(top->Handle, to);
    to.Offset(-o.X, -o.Y);
    return to;
}

// Invalidates every shown child under `area` (window coordinates of `w`).
void InvalidateChildren(const TWindow& w, const TRegion& area, UINT flags)
{
    for (HWND h : w.Children) {
        auto c = LookupWindow(h);
        if (!c || !(c->Style & WS_VISIBLE))
            continue;
        TRegion childArea = area;
        childArea.Offset(-w.Client.Left - c->Rect.Left, -w.Client.Top - c->Rect.Top);
        InvalidateWindowArea(*c, childArea, flags);
    }
}

} // namespace

void EnsureBackingStore(TWindow& top)
{
    if (!top.Store)
        return;
    auto& surface = top.Store->Surface;
    // Pixels beyond 64 Mi are not kept (drawing there is clipped), so a huge window cannot exhaust memory.
    constexpr long long kMaxPixels = 64ll * 1024 * 1024;
    const int width = top.Rect.Width();
    const int height = width ? int(std::min<long long>(top.Rect.Height(), kMaxPixels / width)) : top.Rect.Height();
    if (surface && surface->Width() == width && surface->Height() == height)
        return;
    surface = std::make_shared<TSurface>(width, height, TPixelFormat::pf32bit);
    top.Store->Dirty = TRegion(TRect{0, 0, width, height});
}

void InvalidateWindowArea(TWindow& w, const TRegion& windowArea, UINT flags)
{
    if (!IsVisibleChain(w))
        return;
    TRegion area = windowArea.Combined(TRegion(WholeWindow(w)), TRegionOp::And);
    if (w.Region)
        area = area.Combined(*w.Region, TRegionOp::And);
    const TRegion clientPart = area.Combined(TRegion(w.Client), TRegionOp::And);
    if (flags & RDW_INVALIDATE) {
        const TRegion added = (flags & RDW_FRAME) ? area : clientPart;
        w.Update = w.Update.Combined(added, TRegionOp::Or);
        if ((flags & RDW_ERASE) && !added.IsEmpty())
            w.EraseNeeded = true;
        if ((flags & RDW_FRAME) && !area.Combined(clientPart, TRegionOp::Diff).IsEmpty())
            w.FrameNeeded = true;
    }
    if (flags & RDW_VALIDATE) {
        w.Update = w.Update.Combined(area, TRegionOp::Diff);
        if (w.Update.IsEmpty())
            w.EraseNeeded = false;
        if (flags & RDW_NOFRAME)
            w.FrameNeeded = false;
    }
    if (flags & RDW_INTERNALPAINT)
        w.InternalPaint = true;
    if (flags & RDW_NOINTERNALPAINT)
        w.InternalPaint = false;
    const bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w.Style & WS_CLIPCHILDREN));
    if (!children || clientPart.IsEmpty())
        return;
    InvalidateChildren(w, clientPart, (flags & RDW_INVALIDATE) ? (flags | RDW_FRAME) : flags);
}

void InvalidateParentArea(TWindow& w, const TRect& rectInParentClient)
{
    auto parent = LookupWindow(w.Parent);
    if (!parent)
        return;
    InvalidateWindowArea(*parent, TRegion(Offset(rectInParentClient, parent->Client.Left, parent->Client.Top)),
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void PaintNow(TWindow& w, bool children)
{
    const HWND hwnd = w.Handle;
    PaintTree(w);
    if (!children)
        return;
    auto alive = LookupWindow(hwnd);
    if (!alive)
        return;
    const auto list = alive->Children;
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (auto c = LookupWindow(*it); c && (c->Style & WS_VISIBLE))
            PaintNow(*c, true);
}

bool FindPaintMessage(MSG& out, const TMessageFilter& filter)
{
    if (!((filter.Min == 0 && filter.Max == 0) || (WM_PAINT >= filter.Min && WM_PAINT <= filter.Max)))
        return false;
    const HWND h = FindPaintable(WindowSystem().TopLevels, false, filter.Hwnd);
    if (!h)
        return false;
    out = MSG{};
    out.hwnd = h;
    out.message = WM_PAINT;
    return true;
}

void FlushPresent()
{
    const auto tops = WindowSystem().TopLevels;
    for (HWND h : tops) {
        auto w = LookupWindow(h);
        if (!w || !w->Store || w->Store->Dirty.IsEmpty() || !w->Store->Surface)
            continue;
        TRegion dirty = std::move(w->Store->Dirty);
        w->Store->Dirty = {};
        if (w->Style & WS_VISIBLE)
            Backend().Present(h, *w->Store->Surface, dirty);
    }
}

BOOL InvalidateRect(HWND hwnd, const RECT* r, BOOL erase)
{
    return RedrawWindow(hwnd, r, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase)
{
    return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* r)
{
    return RedrawWindow(hwnd, r, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}
BOOL ValidateRgn(HWND hwnd, HRGN rgn)
{
    return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL RedrawWindow(HWND hwnd, const RECT* r, HRGN rgn, UINT flags)
{
    if (!hwnd) {
        const auto tops = WindowSystem().TopLevels;
        for (HWND h : tops)
            RedrawWindow(h, r, rgn, flags);
        return 1;
    }
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    const TRegion area = (!r && !rgn && (flags & RDW_FRAME)) ? TRegion(WholeWindow(*w)) : ClientArea(*w, r, rgn);
    InvalidateWindowArea(*w, area, flags);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        PaintNow(*w, (flags & RDW_ALLCHILDREN) || !(flags & RDW_NOCHILDREN));
    return 1;
}

BOOL UpdateWindow(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    PaintNow(*w, false);
    return 1;
}

BOOL GetUpdateRect(HWND hwnd, RECT* r, BOOL erase)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    TRegion client = w->Update.Combined(TRegion(w->Client), TRegionOp::And);
    if (r)
        *r = client.IsEmpty() ? TRect{} : Offset(client.Bounds(), -w->Client.Left, -w->Client.Top);
    if (erase && w->EraseNeeded && !client.IsEmpty())
        UpdateWindow(hwnd);
    return client.IsEmpty() ? 0 : 1;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL)
{
    auto w = LookupWindow(hwnd);
    if (!w || !RegionOf(rgn))
        return ERROR;
    TRegion client = w->Update.Combined(TRegion(w->Client), TRegionOp::And);
    client.Offset(-w->Client.Left, -w->Client.Top);
    HRGN copy = CreateRegionHandle(client);
    const int kind = CombineRgn(rgn, copy, nullptr, RGN_COPY);
    DeleteObject(ToGdiObj(copy));
    return kind;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    if (dx == 0 && dy == 0)
        return 1;
    // In window coordinates: what scrolls, and what of it may change.
    const TRegion area = ClientArea(*w, scroll, nullptr).Combined(TRegion(w->Client), TRegionOp::And);
    const TRegion changeable = area.Combined(ClientArea(*w, clip, nullptr), TRegionOp::And);
    // Parts still waiting for their paint move with the pixels.
    TRegion pending = w->Update.Combined(area, TRegionOp::And);
    pending.Offset(dx, dy);
    w->Update = w->Update.Combined(changeable, TRegionOp::Diff)
                    .Combined(pending.Combined(changeable, TRegionOp::And), TRegionOp::Or);

    std::vector<HWND> tree;
    CollectTree(*w, tree);
    for (HWND h : tree)
        CaretBeforePaint(h);
    const TRegion scrolled = ScrollPixels(*w, area, changeable, dx, dy);
    if (!scroll) {
        const auto children = w->Children;
        for (HWND h : children)
            if (auto c = LookupWindow(h))
                SetWindowPos(h, nullptr, c->Rect.Left + dx, c->Rect.Top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    // Only what no moved pixel covers is painted again, children there included.
    InvalidateWindowArea(*w, changeable.Combined(scrolled, TRegionOp::Diff),
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    for (HWND h : tree)
        CaretAfterPaint(h);
    return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    auto w = LookupWindow(hwnd);
    if (!w || !ps)
        return nullptr;
    CaretBeforePaint(hwnd);
    if (w->FrameNeeded) {
        w->FrameNeeded = false;
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = LookupWindow(hwnd)))
            return nullptr;
    }
    TRegion update = w->Update.Combined(TRegion(w->Client), TRegionOp::And);
    // Without WS_CLIPCHILDREN the paint covers the children: whatever they drew
    // since this window was invalidated (an UpdateWindow of their own, say)
    // is lost, so they are painted again after it.
    if (!(w->Style & WS_CLIPCHILDREN) && !update.IsEmpty())
        InvalidateChildren(*w, update, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    const bool erase = w->EraseNeeded;
    w->Update = {};
    w->EraseNeeded = false;
    w->InternalPaint = false;
    const TPoint o = OriginInTopLevel(*w);
    TRegion clip = update;
    clip.Offset(o.X, o.Y);
    clip = clip.Combined(VisibleRegion(*w, {.ClipChildren = (w->Style & WS_CLIPCHILDREN) != 0}), TRegionOp::And);
    *ps = PAINTSTRUCT{};
    ps->hdc = MakeWindowDC(*w, true, clip);
    update.Offset(-w->Client.Left, -w->Client.Top);
    ps->rcPaint = update.IsEmpty() ? TRect{} : update.Bounds();
    if (erase && ps->hdc)
        ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) ? 0 : 1;
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    if (!ps)
        return 0;
    ReleaseDC(hwnd, ps->hdc);
    CaretAfterPaint(hwnd);
    return 1;
}

std::shared_ptr<const TSurface> WindowSurface(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    if (!w || !w->Store)
        return nullptr;
    EnsureBackingStore(*w);
    return w->Store->Surface;
}

} // namespace tovrel
