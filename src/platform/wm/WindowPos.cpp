// Window rectangles, coordinate mapping, SetWindowPos and ShowWindow.
#include "platform/wm/WindowPos.h"

#include "platform/wm/Backend.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>

namespace tovrel {

BOOL GetWindowRect(HWND hwnd, RECT* r)
{
    auto w = LookupWindow(hwnd);
    if (!w || !r)
        return 0;
    const TPoint o = ScreenOrigin(*w);
    *r = Bounds(o.X, o.Y, w->Rect.Width(), w->Rect.Height());
    return 1;
}

BOOL GetClientRect(HWND hwnd, RECT* r)
{
    auto w = LookupWindow(hwnd);
    if (!w || !r)
        return 0;
    *r = {0, 0, w->Client.Width(), w->Client.Height()};
    return 1;
}

namespace {
bool ClientOrigin(HWND hwnd, TPoint& origin)
{
    if (!hwnd || hwnd == DesktopHandle()) {
        origin = {0, 0};
        return true;
    }
    auto w = LookupWindow(hwnd);
    if (!w)
        return false;
    origin = ClientScreenOrigin(*w);
    return true;
}
} // namespace

BOOL ClientToScreen(HWND hwnd, POINT* p)
{
    TPoint o;
    if (!p || !hwnd || !ClientOrigin(hwnd, o))
        return 0;
    p->X += o.X;
    p->Y += o.Y;
    return 1;
}

BOOL ScreenToClient(HWND hwnd, POINT* p)
{
    TPoint o;
    if (!p || !hwnd || !ClientOrigin(hwnd, o))
        return 0;
    p->X -= o.X;
    p->Y -= o.Y;
    return 1;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
    TPoint a, b;
    if (!ClientOrigin(from, a) || !ClientOrigin(to, b))
        return 0;
    const int dx = a.X - b.X, dy = a.Y - b.Y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].X += dx;
        points[i].Y += dy;
    }
    return int(MAKELONG(dx, dy));
}

BOOL AdjustWindowRectEx(RECT* r, DWORD style, BOOL, DWORD exStyle)
{
    if (!r)
        return 0;
    const TRect insets = FrameInsets(style, exStyle);
    *r = {r->Left - insets.Left, r->Top - insets.Top, r->Right + insets.Right, r->Bottom + insets.Bottom};
    return 1;
}

HWND ChildWindowFromPointEx(HWND parent, POINT client, UINT skip)
{
    auto w = LookupWindow(parent);
    if (!w || !TRect{0, 0, w->Client.Width(), w->Client.Height()}.Contains(client))
        return nullptr;
    for (HWND h : w->Children) {
        auto c = LookupWindow(h);
        if (!c)
            continue;
        if (((skip & CWP_SKIPINVISIBLE) && !(c->Style & WS_VISIBLE)) ||
            ((skip & CWP_SKIPDISABLED) && (c->Style & WS_DISABLED)) ||
            ((skip & CWP_SKIPTRANSPARENT) && (c->ExStyle & WS_EX_TRANSPARENT)))
            continue;
        const TPoint local{client.X - c->Rect.Left, client.Y - c->Rect.Top};
        if (c->Rect.Contains(client) && (!c->Region || c->Region->Contains(local.X, local.Y)))
            return h;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT client)
{
    return ChildWindowFromPointEx(parent, client, CWP_ALL);
}

void RecalcClient(TWindow& w)
{
    RECT r = w.Rect;
    SendMessage(w.Handle, WM_NCCALCSIZE, 0, ToLParam(&r));
    if (auto alive = LookupWindow(w.Handle)) {
        r.Right = std::max(r.Right, r.Left);
        r.Bottom = std::max(r.Bottom, r.Top);
        alive->Client = Offset(r, -alive->Rect.Left, -alive->Rect.Top);
    }
}

namespace {

void Reorder(TWindow& w, HWND after)
{
    auto& list = SiblingList(w);
    list.erase(std::remove(list.begin(), list.end(), w.Handle), list.end());
    auto isTopmost = [](HWND h) {
        auto s = LookupWindow(h);
        return s && (s->ExStyle & WS_EX_TOPMOST);
    };
    if (!w.Parent) {
        if (after == HWND_TOPMOST)
            w.ExStyle |= WS_EX_TOPMOST;
        else if (after == HWND_NOTOPMOST || after == HWND_BOTTOM)
            w.ExStyle &= ~WS_EX_TOPMOST;
    }
    auto firstNormal = [&] { return std::find_if(list.begin(), list.end(), [&](HWND h) { return !isTopmost(h); }); };
    auto at = list.begin();
    if (after == HWND_BOTTOM) {
        at = list.end();
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        at = (!w.Parent && !(w.ExStyle & WS_EX_TOPMOST)) ? firstNormal() : list.begin();
    } else {
        auto it = std::find(list.begin(), list.end(), after);
        at = it == list.end() ? list.begin() : it + 1;
    }
    list.insert(at, w.Handle);
}

// Owned windows stay above their owner within its topmost band: a window put
// below its owner goes just above it, and the windows a placed window owns
// (at any level) come along just above it, in their order.
void KeepOwnedAbove(const TWindow& w)
{
    auto& list = WindowSystem().TopLevels;
    const auto band = [](HWND h) {
        auto s = LookupWindow(h);
        return s && (s->ExStyle & WS_EX_TOPMOST);
    };
    const auto position = [&](HWND h) { return std::find(list.begin(), list.end(), h); };
    if (w.Owner && band(w.Owner) == band(w.Handle) && position(w.Owner) < position(w.Handle)) {
        list.erase(position(w.Handle));
        list.insert(position(w.Owner), w.Handle);
    }
    std::vector<HWND> owned;
    for (HWND h : list)
        if (band(h) == band(w.Handle) && IsOwnedBy(h, w.Handle))
            owned.push_back(h);
    if (owned.empty())
        return;
    std::erase_if(list, [&](HWND h) { return std::find(owned.begin(), owned.end(), h) != owned.end(); });
    list.insert(position(w.Handle), owned.begin(), owned.end());
}

} // namespace

BOOL SetWindowPosInternal(TWindow& w0, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    const HWND hwnd = w0.Handle;
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w0.Rect.Left;
        pos.y = w0.Rect.Top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w0.Rect.Width();
        pos.cy = w0.Rect.Height();
    }
    if (!(flags & SWP_NOSENDCHANGING))
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, ToLParam(&pos));
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    flags = pos.flags;
    const TRect oldRect = w->Rect;
    const TRect oldClient = w->Client;
    const bool wasVisible = IsVisibleChain(*w);
    const TRect newRect = (flags & SWP_NOMOVE) && (flags & SWP_NOSIZE)
                              ? oldRect
                              : Bounds((flags & SWP_NOMOVE) ? oldRect.Left : ClampPosition(pos.x),
                                       (flags & SWP_NOMOVE) ? oldRect.Top : ClampPosition(pos.y),
                                       ClampExtent((flags & SWP_NOSIZE) ? oldRect.Width() : pos.cx),
                                       ClampExtent((flags & SWP_NOSIZE) ? oldRect.Height() : pos.cy));
    const bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
    const bool moved = newRect.Left != oldRect.Left || newRect.Top != oldRect.Top;
    if (sized || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params;
        params.rgrc[0] = newRect;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = Offset(oldClient, oldRect.Left, oldRect.Top);
        params.lppos = &pos;
        SendMessage(hwnd, WM_NCCALCSIZE, 1, ToLParam(&params));
        if (!(w = LookupWindow(hwnd)))
            return 0;
        TRect c = params.rgrc[0];
        c.Right = std::max(c.Right, c.Left);
        c.Bottom = std::max(c.Bottom, c.Top);
        w->Client = Offset(c, -newRect.Left, -newRect.Top);
    }
    w->Rect = newRect;
    if (!(flags & SWP_NOZORDER)) {
        Reorder(*w, pos.hwndInsertAfter);
        if (!w->Parent)
            KeepOwnedAbove(*w);
    }
    if (flags & SWP_SHOWWINDOW)
        w->Style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->Style &= ~WS_VISIBLE;
    const bool visible = IsVisibleChain(*w);
    if (!w->Parent) {
        if (sized)
            EnsureBackingStore(*w);
        if (sized || moved)
            Backend().WindowMoved(hwnd, w->Rect);
        if (!(flags & SWP_NOZORDER))
            Backend().WindowRaised(hwnd);
        if (visible != wasVisible)
            Backend().WindowShown(hwnd, visible, visible && !(flags & SWP_NOACTIVATE) && IsActivatable(*w));
    }
    const bool clientChanged = w->Client.Width() != oldClient.Width() || w->Client.Height() != oldClient.Height();
    const bool clientMoved = moved || w->Client.Left != oldClient.Left || w->Client.Top != oldClient.Top;
    if (!(flags & SWP_NOREDRAW)) {
        if (w->Parent && wasVisible && (moved || sized || !visible))
            InvalidateParentArea(*w, oldRect);
        if (visible && ((moved && w->Parent) || sized || visible != wasVisible || (flags & SWP_FRAMECHANGED)))
            InvalidateWindowArea(*w, TRegion(TRect{0, 0, newRect.Width(), newRect.Height()}),
                                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (!w->Parent && visible && !(flags & SWP_NOACTIVATE) && IsActivatable(*w))
        SetActiveWindow(hwnd);
    if (!(w = LookupWindow(hwnd)))
        return 1;
    WINDOWPOS done{hwnd, pos.hwndInsertAfter, w->Rect.Left, w->Rect.Top, w->Rect.Width(), w->Rect.Height(), flags};
    if (!moved)
        done.flags |= SWP_NOMOVE;
    if (!sized)
        done.flags |= SWP_NOSIZE;
    if (!clientChanged)
        done.flags |= SWP_NOCLIENTSIZE;
    if (!clientMoved)
        done.flags |= SWP_NOCLIENTMOVE;
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, ToLParam(&done));
    if (wasVisible && !visible)
        if (auto alive = LookupWindow(hwnd))
            RefreshActivationAfterHide(*alive);
    return 1;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    auto w = LookupWindow(hwnd);
    return w ? SetWindowPosInternal(*w, insertAfter, x, y, cx, cy, flags) : 0;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace tovrel
