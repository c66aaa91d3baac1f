#pragma once
// Handles, scalar types and records of the window layer, under the names and
// layouts the window, control and skin code is written against.
//
// Window handles are opaque ids, never pointers, and are never reused: a
// destroyed window's handle is simply unknown and every call given it does
// nothing (messages to it return 0).
#include "platform/gdi/GdiTypes.h"

#include <cstdint>

namespace tovrel {

struct HWND__;
struct HMENU__;
struct HCURSOR__;
struct HMONITOR__;
using HWND = HWND__*;
using HMENU = HMENU__*;
using HCURSOR = HCURSOR__*;
using HMONITOR = HMONITOR__*;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using ATOM = WORD;
using SHORT = std::int16_t;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, ULONG_PTR, DWORD);

constexpr WORD LOWORD(ULONG_PTR v)
{
    return WORD(v & 0xFFFF);
}
constexpr WORD HIWORD(ULONG_PTR v)
{
    return WORD((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int low, int high)
{
    return LPARAM(std::int32_t(DWORD(WORD(low)) | (DWORD(WORD(high)) << 16)));
}
constexpr WPARAM MAKEWPARAM(int low, int high)
{
    return WPARAM(DWORD(WORD(low)) | (DWORD(WORD(high)) << 16));
}
constexpr LRESULT MAKELRESULT(int low, int high)
{
    return LRESULT(MAKELPARAM(low, high));
}
constexpr DWORD MAKELONG(int low, int high)
{
    return DWORD(WORD(low)) | (DWORD(WORD(high)) << 16);
}
// Coordinates in LPARAM are signed 16-bit values (negative beside a captured window).
constexpr int GET_X_LPARAM(LPARAM l)
{
    return SHORT(LOWORD(ULONG_PTR(l)));
}
constexpr int GET_Y_LPARAM(LPARAM l)
{
    return SHORT(HIWORD(ULONG_PTR(l)));
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w)
{
    return SHORT(HIWORD(w));
}
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM w)
{
    return LOWORD(w);
}
inline TPoint PointFromLParam(LPARAM l)
{
    return {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
}
inline LPARAM LParamFromPoint(TPoint p)
{
    return MAKELPARAM(p.X, p.Y);
}

template <class T> WPARAM ToWParam(T* p)
{
    return reinterpret_cast<WPARAM>(p);
}
template <class T> LPARAM ToLParam(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}
template <class T> T* FromLParam(LPARAM l)
{
    return reinterpret_cast<T*>(l);
}

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    const char* lpszName = ""; // UTF-8
    const char* lpszClass = "";
    DWORD dwExStyle = 0;
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = 0;
    RECT rcPaint;
    BOOL fRestore = 0;
    BOOL fIncUpdate = 0;
};

struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};

struct MONITORINFO {
    DWORD cbSize = sizeof(MONITORINFO);
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags = 0;
};

struct WNDCLASSEX {
    UINT cbSize = sizeof(WNDCLASSEX);
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr; // a brush, or (COLOR_* + 1) as the platform allows
    const char* lpszMenuName = nullptr;
    const char* lpszClassName = nullptr;
    HICON hIconSm = nullptr;
};
using WNDCLASS = WNDCLASSEX;

} // namespace tovrel
