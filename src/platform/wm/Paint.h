#pragma once
// Update regions, the paint cycle and device contexts of windows.
//
// A window's pixels live in its top-level window's backing surface. A DC of a
// window draws there, clipped to what of the window is visible: inside every
// parent's client area and window region, minus the siblings above it when
// it or an ancestor has WS_CLIPSIBLINGS, minus its children when it has
// WS_CLIPCHILDREN (or DCX_CLIPCHILDREN is asked).
//
// The paint cycle: invalidating a window without WS_CLIPCHILDREN invalidates
// the children under the area too. WM_PAINT is retrieved for windows with an
// update region, parents before their children (lower siblings first);
// BeginPaint sends WM_NCPAINT when the frame was invalidated, then
// WM_ERASEBKGND when erasing was asked, and validates the update region.
// What was drawn reaches the backend when the queue runs idle.
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"
#include "platform/wm/Messages.h"
#include "platform/wm/Styles.h"

#include <memory>

namespace tovrel {

BOOL InvalidateRect(HWND hwnd, const RECT* r, BOOL erase); // client coordinates; null: the client area
BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* r);
BOOL ValidateRgn(HWND hwnd, HRGN rgn);
BOOL UpdateWindow(HWND hwnd); // sends WM_PAINT now if the window has an update region
BOOL RedrawWindow(HWND hwnd, const RECT* r, HRGN rgn, UINT flags);
BOOL GetUpdateRect(HWND hwnd, RECT* r, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase);
// Scrolls the client area's pixels (or those of `scroll`) by (dx, dy), moving
// pending repaints with them, changes nothing outside `clip`, and invalidates
// only what no moved pixel covers. Without `scroll` the children move too.
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);       // client area; null hwnd: a screen-compatible DC for measuring
HDC GetWindowDC(HWND hwnd); // whole window, non-client area included
// DCX_WINDOW, DCX_CLIPCHILDREN, DCX_CLIPSIBLINGS, DCX_INTERSECTRGN, DCX_EXCLUDERGN
// (the region in screen coordinates, as WM_NCPAINT hands it over).
HDC GetDCEx(HWND hwnd, HRGN rgn, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);

// Window regions: the window's shape for drawing and hit testing, in window
// coordinates. The layer owns (and deletes) a region handed to SetWindowRgn.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN rgn); // the region kind, ERROR when the window has none

// A top-level window's backing surface (for backends and screenshots); null
// for child windows and unknown handles.
std::shared_ptr<const TSurface> WindowSurface(HWND hwnd);

} // namespace tovrel
