#pragma once
// Layered top-level windows (WS_EX_LAYERED): a constant opacity or a colour
// key (SetLayeredWindowAttributes), or per-pixel alpha content given whole
// (UpdateLayeredWindow; such a window is never sent WM_PAINT).
//
// Layering is a capability: the calls work and store their values on every
// backend, but only reach the screen when LayeredWindowsAvailable() is true
// (a compositor runs). Callers take their "not available" path otherwise.
#include "platform/gdi/Region.h"
#include "platform/wm/Messages.h"

#include <optional>

namespace tovrel {

BOOL LayeredWindowsAvailable();
// Fail for windows without WS_EX_LAYERED.
BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
// Moves and sizes the window to dst/size when given and copies `size` pixels
// of src at srcPoint (32-bit sources keep their alpha) as the window's content.
BOOL UpdateLayeredWindow(HWND hwnd, HDC dst, const POINT* dstPoint, const SIZE* size, HDC src, const POINT* srcPoint,
                         COLORREF key, const BLENDFUNCTION* blend, DWORD flags);
// Whether the window's content carries per-pixel alpha (for backends).
BOOL IsPerPixelAlphaWindow(HWND hwnd);
// Whether the mouse passes through the window at the point (window
// coordinates): everywhere on a layered window with WS_EX_TRANSPARENT, and
// where per-pixel alpha content is fully transparent.
bool LayeredPassesMouseAt(HWND hwnd, TPoint windowPoint);
// The part of the window that takes the mouse (window coordinates), for
// backends shaping its input; nullopt when all of it does.
std::optional<TRegion> LayeredMouseRegion(HWND hwnd);

} // namespace tovrel
