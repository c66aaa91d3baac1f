#pragma once
// Window classes, creating and destroying windows, the window tree and the
// values stored with a window. Main thread only, except IsWindow.
//
// Texts are UTF-8; lengths and buffer sizes count bytes.
#include "platform/wm/Messages.h"
#include "platform/wm/Styles.h"

#include <string>
#include <string_view>

namespace tovrel {

// Class registry. A second class of the same name (case-insensitive) fails with 0.
ATOM RegisterClassEx(const WNDCLASSEX* wc);
inline ATOM RegisterClass(const WNDCLASS* wc)
{
    return RegisterClassEx(wc);
}
BOOL UnregisterClass(std::string_view className, HINSTANCE instance);
BOOL GetClassInfoEx(HINSTANCE instance, std::string_view className, WNDCLASSEX* wc);
int GetClassName(HWND hwnd, char* buffer, int bufferSize);
std::string GetClassNameString(HWND hwnd);
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);
inline ULONG_PTR GetClassLong(HWND hwnd, int index)
{
    return GetClassLongPtr(hwnd, index);
}
inline ULONG_PTR SetClassLong(HWND hwnd, int index, LONG_PTR value)
{
    return SetClassLongPtr(hwnd, index, value);
}

// Creation sends WM_GETMINMAXINFO (framed top-level windows), WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, WM_SIZE and WM_MOVE, then WM_PARENTNOTIFY to the
// parent of a child, then shows the window when WS_VISIBLE was given. A child
// needs a parent; `menu` is a child's id. Fails with null for unknown classes,
// bad parents, or when WM_NCCREATE answers 0 or WM_CREATE answers -1.
HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
inline HWND CreateWindow(std::string_view className, std::string_view windowName, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}
// Hides the window, gives up activation, focus and capture, destroys owned
// windows, sends WM_DESTROY (parent before children) and WM_NCDESTROY
// (children before parent). Safe inside the window's own handlers.
BOOL DestroyWindow(HWND hwnd);

BOOL IsWindow(HWND hwnd);        // any thread
BOOL IsWindowVisible(HWND hwnd); // the window and all its parents
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd); // any depth
BOOL IsIconic(HWND hwnd);
// An owner at any level is minimized: the window left the screen with it.
bool HasMinimizedOwner(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable); // returns nonzero if it was disabled

HWND GetParent(HWND hwnd); // the parent of a child, the owner of a popup
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT kind);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND hwnd); // topmost child; null: topmost top-level window
HWND GetDesktopWindow();      // stands for the screen; has no procedure
// Top-level windows (in z-order) or the direct children of `parent`.
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
BOOL EnumWindows(WNDENUMPROC fn, LPARAM l);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM l); // all descendants, depth first

// Text (through WM_SETTEXT / WM_GETTEXT).
BOOL SetWindowText(HWND hwnd, std::string_view text);
int GetWindowText(HWND hwnd, char* buffer, int bufferSize); // cut at a character boundary, NUL-terminated
int GetWindowTextLength(HWND hwnd);
std::string GetWindowTextString(HWND hwnd);
inline BOOL SetWindowTextW(HWND hwnd, std::string_view text)
{
    return SetWindowText(hwnd, text);
}

// Stored values. Setting GWL_STYLE or GWL_EXSTYLE sends WM_STYLECHANGING and
// WM_STYLECHANGED; setting GWLP_WNDPROC replaces the procedure and returns the
// old one (chain to it with CallWindowProc). Non-negative indexes address the
// class's cbWndExtra bytes in pointer-sized slots.
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLong(HWND hwnd, int index)
{
    return GetWindowLongPtr(hwnd, index);
}
inline LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value)
{
    return SetWindowLongPtr(hwnd, index, value);
}
inline WNDPROC WndProcOf(LONG_PTR v)
{
    return reinterpret_cast<WNDPROC>(v);
}
inline LONG_PTR LongOf(WNDPROC p)
{
    return reinterpret_cast<LONG_PTR>(p);
}
int GetDlgCtrlID(HWND hwnd);
HWND GetDlgItem(HWND parent, int id);

// Named values stored with a window.
BOOL SetProp(HWND hwnd, std::string_view name, HANDLE value);
HANDLE GetProp(HWND hwnd, std::string_view name);
HANDLE RemoveProp(HWND hwnd, std::string_view name);

} // namespace tovrel
