// The default answers to the messages windows leave to the layer.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

namespace {

bool loneAlt = false; // Alt went down and nothing else since: its release opens the menu

HBRUSH BackgroundBrush(const TWindow& w)
{
    const auto value = reinterpret_cast<std::uintptr_t>(w.Class->Background);
    if (value > 0 && value <= 31) // COLOR_* + 1, as classes may give it
        return GetSysColorBrush(int(value - 1));
    return w.Class->Background;
}

LRESULT EraseBackground(TWindow& w, HDC dc)
{
    HBRUSH brush = BackgroundBrush(w);
    if (!brush)
        return 0;
    RECT r;
    GetClipBox(dc, &r);
    FillRect(dc, &r, brush);
    return 1;
}

HWND RootOf(const TWindow& w)
{
    return TopLevelOf(w)->Handle;
}

LRESULT SetCursorByHit(TWindow& w, WPARAM wParam, LPARAM lParam)
{
    if (w.IsChild() && SendMessage(w.Parent, WM_SETCURSOR, wParam, lParam))
        return 1;
    const LRESULT hit = SHORT(LOWORD(ULONG_PTR(lParam)));
    std::uintptr_t id = IDC_ARROW;
    switch (hit) {
    case HTCLIENT:
        if (reinterpret_cast<HWND>(wParam) == w.Handle && w.Class->Cursor)
            SetCursor(w.Class->Cursor);
        return 0;
    case HTLEFT:
    case HTRIGHT: id = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: id = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: id = IDC_SIZENESW; break;
    case HTERROR:
        // A press on a window disabled by a modal dialog brings the dialog forward.
        if (const UINT mouse = HIWORD(ULONG_PTR(lParam)); mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN ||
                                                          mouse == WM_MBUTTONDOWN || mouse == WM_NCLBUTTONDOWN ||
                                                          mouse == WM_NCRBUTTONDOWN)
            if (HWND popup = GetWindow(RootOf(w), GW_ENABLEDPOPUP))
                SetActiveWindow(popup);
        return 0;
    default: break;
    }
    SetCursor(LoadCursor(nullptr, id));
    return id != IDC_ARROW ? 1 : 0;
}

// A child without a sizing frame of its own that answers a size code (a
// status bar's grip) sizes its top-level window.
HWND SizedBy(const TWindow& w)
{
    return w.IsChild() && !(w.Style & WS_THICKFRAME) ? RootOf(w) : w.Handle;
}

LRESULT NcButtonDown(TWindow& w, WPARAM hit, LPARAM lParam)
{
    if (hit == WPARAM(HTCAPTION))
        SendMessage(w.Handle, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
    else if (hit >= WPARAM(HTLEFT) && hit <= WPARAM(HTBOTTOMRIGHT))
        SendMessage(SizedBy(w), WM_SYSCOMMAND, SC_SIZE | (hit - HTLEFT + WMSZ_LEFT), lParam);
    return 0;
}

LRESULT SysCommand(TWindow& w, WPARAM command, LPARAM lParam)
{
    const HWND hwnd = w.Handle;
    switch (command & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE: RunSizeMoveLoop(hwnd, command, PointFromLParam(lParam)); break;
    case SC_CLOSE: SendMessage(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_SHOWMAXIMIZED); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    default: break;
    }
    return 0;
}

// The menu key and Shift+F10 ask for the context menu at (-1, -1).
void KeyboardContextMenu(TWindow& w)
{
    SendMessage(w.Handle, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.Handle), MAKELPARAM(-1, -1));
}

LRESULT SysKey(TWindow& w, UINT message, WPARAM vk)
{
    if (message == WM_SYSKEYDOWN) {
        loneAlt = vk == VK_MENU;
        if (vk == VK_F4 && GetKeyState(VK_MENU) < 0)
            SendMessage(RootOf(w), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (vk == VK_F10 && GetKeyState(VK_SHIFT) < 0)
        KeyboardContextMenu(w);
    else if ((vk == VK_MENU && loneAlt && AltReleasedAlone()) || vk == VK_F10)
        SendMessage(RootOf(w), WM_SYSCOMMAND, SC_KEYMENU, 0);
    loneAlt = false;
    return 0;
}

void SendMoveAndSize(TWindow& w, const WINDOWPOS& pos)
{
    const HWND hwnd = w.Handle;
    if (!(pos.flags & SWP_NOCLIENTMOVE))
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(w.Rect.Left + w.Client.Left, w.Rect.Top + w.Client.Top));
    auto alive = LookupWindow(hwnd);
    if (!alive || (pos.flags & SWP_NOCLIENTSIZE))
        return;
    const WPARAM kind = (alive->Style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                        : (alive->Style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                       : SIZE_RESTORED;
    SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(alive->Client.Width(), alive->Client.Height()));
}

LRESULT PassToParent(TWindow& w, UINT message, WPARAM wParam, LPARAM lParam)
{
    return w.IsChild() ? SendMessage(w.Parent, message, wParam, lParam) : 0;
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    switch (message) {
    case WM_NCCREATE: return 1;
    case WM_NCCALCSIZE: return DefNcCalcSize(*w, wParam, lParam);
    case WM_NCHITTEST: return DefNcHitTest(*w, PointFromLParam(lParam));
    case WM_NCPAINT: {
        HDC dc = GetDCEx(hwnd, wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr,
                         DCX_WINDOW | (wParam > 1 ? DCX_INTERSECTRGN : 0));
        DefNcPaint(*w, dc);
        ReleaseDC(hwnd, dc);
        return 0;
    }
    case WM_NCACTIVATE:
        w->NcActive = wParam != 0;
        if (HasCaption(*w))
            SendMessage(hwnd, WM_NCPAINT, 1, 0);
        return 1;
    case WM_ERASEBKGND: return EraseBackground(*w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINT: return DefPrint(*w, reinterpret_cast<HDC>(wParam), lParam);
    case WM_SETTEXT:
        w->Text = lParam ? FromLParam<const char>(lParam) : "";
        if (!w->Parent)
            Backend().WindowTextChanged(hwnd, w->Text);
        if (HasCaption(*w) && IsVisibleChain(*w))
            SendMessage(hwnd, WM_NCPAINT, 1, 0);
        return 1;
    case WM_GETTEXT: return CopyWindowText(w->Text, FromLParam<char>(lParam), int(wParam));
    case WM_GETTEXTLENGTH: return LRESULT(w->Text.size());
    case WM_SETICON: return SetWindowIcon(*w, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON: return GetWindowIcon(*w, wParam);
    case WM_SETCURSOR: return SetCursorByHit(*w, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (LRESULT answer = PassToParent(*w, message, wParam, lParam))
            return answer;
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_NCLBUTTONDOWN: return NcButtonDown(*w, wParam, lParam);
    case WM_NCLBUTTONUP:
        if (wParam == WPARAM(HTCLOSE))
            SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == WPARAM(HTCAPTION) && (w->Style & WS_MAXIMIZEBOX))
            SendMessage(hwnd, WM_SYSCOMMAND, (w->Style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT p = PointFromLParam(lParam);
        ClientToScreen(hwnd, &p);
        SendMessage(hwnd, WM_CONTEXTMENU, WPARAM(hwnd), LParamFromPoint(p));
        return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return PassToParent(*w, message, wParam, lParam);
    case WM_SYSCOMMAND: return SysCommand(*w, wParam, lParam);
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return SysKey(*w, message, wParam);
    case WM_KEYDOWN: loneAlt = false; return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS)
            KeyboardContextMenu(*w);
        return 0;
    case WM_SYSCHAR: SendMessage(RootOf(*w), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam)); return 0;
    case WM_WINDOWPOSCHANGED: SendMoveAndSize(*w, *FromLParam<WINDOWPOS>(lParam)); return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_QUERYENDSESSION: return 1;
    case WM_SETREDRAW:
        // As the platform does: the visible bit goes without hiding; the caller repaints afterwards.
        if (wParam)
            w->Style |= WS_VISIBLE;
        else
            w->Style &= ~WS_VISIBLE;
        return 0;
    default: return 0;
    }
}

} // namespace tovrel
