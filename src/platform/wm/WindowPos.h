#pragma once
// Window geometry: rectangles, coordinate mapping, finding windows by point,
// moving, sizing, z-order and showing.
//
// SetWindowPos sends WM_WINDOWPOSCHANGING (the WINDOWPOS may be changed),
// WM_NCCALCSIZE when the size changes or SWP_FRAMECHANGED is given, then
// WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and WM_SIZE.
// ShowWindow sends WM_SHOWWINDOW first.
#include "platform/wm/Messages.h"
#include "platform/wm/Styles.h"

namespace tovrel {

BOOL GetWindowRect(HWND hwnd, RECT* r); // screen coordinates
BOOL GetClientRect(HWND hwnd, RECT* r); // (0, 0, width, height)
BOOL ClientToScreen(HWND hwnd, POINT* p);
BOOL ScreenToClient(HWND hwnd, POINT* p);
// From one window's client coordinates to another's (null: the screen);
// returns the x offset in the low word and the y offset in the high word.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
inline int MapWindowPoints(HWND from, HWND to, RECT* r, UINT rects)
{
    return MapWindowPoints(from, to, reinterpret_cast<POINT*>(r), rects * 2);
}
BOOL AdjustWindowRectEx(RECT* r, DWORD style, BOOL menu, DWORD exStyle);

// The deepest visible window at a screen point, asking WM_NCHITTEST past
// transparent (HTTRANSPARENT) windows; regions count.
HWND WindowFromPoint(POINT screen);
// The direct child at a point of the parent's client area; the parent itself
// when no child is there; null outside the parent.
HWND ChildWindowFromPoint(HWND parent, POINT client);
HWND ChildWindowFromPointEx(HWND parent, POINT client, UINT skip);

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND hwnd);
// Returns nonzero if the window was visible before.
BOOL ShowWindow(HWND hwnd, int command);

} // namespace tovrel
