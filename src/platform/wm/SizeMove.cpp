// The layer's own move and size loop (WM_SYSCOMMAND SC_MOVE / SC_SIZE), so
// WM_MOVING and WM_SIZING may change the proposed rectangle and
// WM_GETMINMAXINFO limits the size, on every desktop and headless alike.
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/ModalLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>

namespace tovrel {

namespace {

struct TTrackLimits {
    TPoint Min{0, 0};
    TPoint Max{32767, 32767};
};

TTrackLimits QueryLimits(HWND hwnd, const TRect& r)
{
    MINMAXINFO info;
    info.ptMaxSize = {r.Width(), r.Height()};
    info.ptMinTrackSize = {GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN)};
    info.ptMaxTrackSize = {32767, 32767};
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, ToLParam(&info));
    return {info.ptMinTrackSize,
            {std::max(info.ptMaxTrackSize.X, info.ptMinTrackSize.X),
             std::max(info.ptMaxTrackSize.Y, info.ptMinTrackSize.Y)}};
}

// The rectangle proposed for a pointer offset (dx, dy) from the start.
TRect Proposed(const TRect& start, WPARAM edge, bool moving, int dx, int dy, const TTrackLimits& limits)
{
    if (moving)
        return Offset(start, dx, dy);
    TRect r = start;
    const bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    const bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    const bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    const bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    if (left)
        r.Left = std::clamp(start.Left + dx, r.Right - limits.Max.X, r.Right - limits.Min.X);
    if (right)
        r.Right = std::clamp(start.Right + dx, r.Left + limits.Min.X, r.Left + limits.Max.X);
    if (top)
        r.Top = std::clamp(start.Top + dy, r.Bottom - limits.Max.Y, r.Bottom - limits.Min.Y);
    if (bottom)
        r.Bottom = std::clamp(start.Bottom + dy, r.Top + limits.Min.Y, r.Top + limits.Max.Y);
    return r;
}

void Apply(HWND hwnd, TRect screenRect, bool moving)
{
    if (HWND parent = GetAncestor(hwnd, GA_PARENT); parent && parent != GetDesktopWindow())
        MapWindowPoints(nullptr, parent, &screenRect, 1);
    SetWindowPos(hwnd, nullptr, screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0));
}

} // namespace

void RunSizeMoveLoop(HWND hwnd, WPARAM command, TPoint screenStart)
{
    RECT start;
    if (!GetWindowRect(hwnd, &start))
        return;
    const bool moving = (command & 0xFFF0) == SC_MOVE;
    const WPARAM edge = moving ? 0 : (command & 0x0F);
    const TTrackLimits limits = QueryLimits(hwnd, start);
    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    TRect last = start;
    TPoint lastPointer = screenStart;
    auto track = [&](TPoint pointer) {
        lastPointer = pointer;
        RECT r = Proposed(start, edge, moving, pointer.X - screenStart.X, pointer.Y - screenStart.Y, limits);
        SendMessage(hwnd, moving ? WM_MOVING : WM_SIZING, moving ? 0 : edge, ToLParam(&r));
        if (!(r == last)) {
            Apply(hwnd, r, moving);
            last = r;
        }
    };
    MSG m;
    while (IsWindow(hwnd) && GetCapture() == hwnd) {
        if (!GetMessage(&m, nullptr, 0, 0)) {
            PostQuitMessage(int(m.wParam));
            break;
        }
        if (CallMsgFilter(&m, moving ? MSGF_MOVE : MSGF_SIZE))
            continue;
        if (m.message == WM_MOUSEMOVE && m.hwnd == hwnd) {
            track(m.pt);
        } else if (m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP) {
            // The release may come where no move was reported first.
            if (m.hwnd == hwnd && !(m.pt == lastPointer))
                track(m.pt);
            break;
        } else if (m.message == WM_KEYDOWN && (m.wParam == VK_ESCAPE || m.wParam == VK_RETURN)) {
            if (m.wParam == VK_ESCAPE)
                Apply(hwnd, start, false);
            break;
        } else if (m.message < WM_MOUSEFIRST || m.message > WM_MOUSELAST) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

} // namespace tovrel
