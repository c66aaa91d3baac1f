// TrackMouseEvent: one WM_MOUSELEAVE / WM_NCMOUSELEAVE when the pointer leaves
// the tracked part of a window, one WM_MOUSEHOVER / WM_NCMOUSEHOVER when it
// rests there (within 4 x 4 pixels) for the hover time.
#include "platform/wm/Clock.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <cstdlib>

namespace tovrel {

namespace {

constexpr DWORD kDefaultHoverMs = 400;
constexpr int kHoverSlop = 2; // half of the 4 x 4 rest area

struct THover {
    HWND Hwnd = nullptr;
    bool NonClient = false;
    DWORD TimeMs = kDefaultHoverMs;
    TPoint Anchor;
    std::uint64_t Due = 0;
};

struct TTracking {
    HWND Client = nullptr;    // leave tracking, client area
    HWND NonClient = nullptr; // leave tracking, non-client area
    THover Hover[2];          // [0] client, [1] non-client
    // Where the input translated so far left the pointer; the device may be
    // further on already, with its events still waiting.
    std::optional<TPoint> Pointer;
};
TTracking tracking;

void Restart(THover& hover, TPoint at)
{
    hover.Anchor = at;
    hover.Due = Clock()->NowMs() + hover.TimeMs;
}

bool PointerIn(HWND hwnd, bool nonClient, TPoint p)
{
    auto w = LookupWindow(hwnd);
    // The capture holder's moves are all client moves: its client tracking
    // covers its whole window, as UpdateMouseTracking has it.
    if (GetCapture() == hwnd)
        return !nonClient && InWindowShape(*w, p);
    if (DeepestWindowAt(p, nullptr) != hwnd)
        return false;
    const TPoint o = ClientScreenOrigin(*w);
    const bool inClient = TRect{0, 0, w->Client.Width(), w->Client.Height()}.Contains({p.X - o.X, p.Y - o.Y});
    return inClient != nonClient;
}

} // namespace

void UpdateMouseTracking(HWND hwnd, bool nonClient, TPoint screen)
{
    tracking.Pointer = screen;
    // Stamped with the point that left, so a handler can tell where the pointer went.
    if (tracking.Client && (tracking.Client != hwnd || nonClient)) {
        PostMessageAt(tracking.Client, WM_MOUSELEAVE, 0, 0, screen);
        tracking.Client = nullptr;
    }
    if (tracking.NonClient && (tracking.NonClient != hwnd || !nonClient)) {
        PostMessageAt(tracking.NonClient, WM_NCMOUSELEAVE, 0, 0, screen);
        tracking.NonClient = nullptr;
    }
    for (int area = 0; area < 2; ++area) {
        THover& hover = tracking.Hover[area];
        if (!hover.Hwnd)
            continue;
        if (hover.Hwnd != hwnd || nonClient != (area == 1))
            hover.Hwnd = nullptr;
        else if (std::abs(screen.X - hover.Anchor.X) > kHoverSlop || std::abs(screen.Y - hover.Anchor.Y) > kHoverSlop)
            Restart(hover, screen);
    }
}

bool TakeDueHover(MSG& out, const TMessageFilter& filter)
{
    const std::uint64_t now = Clock()->NowMs();
    for (int area = 0; area < 2; ++area) {
        THover& hover = tracking.Hover[area];
        if (!hover.Hwnd || hover.Due > now)
            continue;
        const HWND hwnd = hover.Hwnd;
        hover.Hwnd = nullptr; // one message per request
        if (!IsWindow(hwnd))
            continue;
        out = MSG{};
        out.hwnd = hwnd;
        out.pt = hover.Anchor;
        out.time = std::uint32_t(now);
        if (area == 1) {
            out.message = WM_NCMOUSEHOVER;
            out.wParam = WPARAM(SendMessage(hwnd, WM_NCHITTEST, 0, LParamFromPoint(hover.Anchor)));
            out.lParam = LParamFromPoint(hover.Anchor);
        } else {
            out.message = WM_MOUSEHOVER;
            TPoint client = hover.Anchor;
            ScreenToClient(hwnd, &client);
            out.wParam = MouseKeyFlags();
            out.lParam = LParamFromPoint(client);
        }
        if (filter.Matches(out))
            return true;
        hover.Hwnd = hwnd; // not asked for now: keep it waiting
    }
    return false;
}

std::optional<std::uint64_t> NextHoverDue()
{
    std::optional<std::uint64_t> next;
    for (const auto& hover : tracking.Hover)
        if (hover.Hwnd && (!next || hover.Due < *next))
            next = hover.Due;
    return next;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme)
{
    if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT))
        return 0;
    const bool nonClient = (tme->dwFlags & TME_NONCLIENT) != 0;
    HWND& leave = nonClient ? tracking.NonClient : tracking.Client;
    THover& hover = tracking.Hover[nonClient ? 1 : 0];
    if (tme->dwFlags & TME_QUERY) {
        const bool client = tracking.Client || tracking.Hover[0].Hwnd;
        tme->hwndTrack = tracking.Client ? tracking.Client : tracking.Hover[0].Hwnd;
        tme->dwFlags = (tracking.Client ? TME_LEAVE : 0) | (tracking.Hover[0].Hwnd ? TME_HOVER : 0);
        if (!client) {
            tme->hwndTrack = tracking.NonClient ? tracking.NonClient : tracking.Hover[1].Hwnd;
            tme->dwFlags = (tracking.NonClient ? TME_LEAVE : 0) | (tracking.Hover[1].Hwnd ? TME_HOVER : 0);
            if (tme->dwFlags)
                tme->dwFlags |= TME_NONCLIENT;
        }
        tme->dwHoverTime = tme->dwFlags & TME_HOVER ? hover.TimeMs : 0;
        return 1;
    }
    if (!IsWindow(tme->hwndTrack))
        return 0;
    if (tme->dwFlags & TME_CANCEL) {
        if ((tme->dwFlags & TME_LEAVE) && leave == tme->hwndTrack)
            leave = nullptr;
        if ((tme->dwFlags & TME_HOVER) && hover.Hwnd == tme->hwndTrack)
            hover.Hwnd = nullptr;
        return 1;
    }
    TPoint p;
    if (tracking.Pointer)
        p = *tracking.Pointer;
    else
        GetCursorPos(&p);
    const bool inside = PointerIn(tme->hwndTrack, nonClient, p);
    if (tme->dwFlags & TME_LEAVE) {
        // Already outside: the leave message comes at once, as the platform does.
        if (inside) {
            leave = tme->hwndTrack;
        } else {
            PostMessageAt(tme->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0, p);
            leave = nullptr;
        }
    }
    if ((tme->dwFlags & TME_HOVER) && inside) {
        hover.Hwnd = tme->hwndTrack;
        hover.NonClient = nonClient;
        hover.TimeMs = tme->dwHoverTime == HOVER_DEFAULT || tme->dwHoverTime == 0 ? kDefaultHoverMs : tme->dwHoverTime;
        Restart(hover, p);
    }
    return 1;
}

} // namespace tovrel
