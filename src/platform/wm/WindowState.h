#pragma once
// The layer's own records behind window handles (internal to the window
// layer). Everything here belongs to the main thread, except the handle table,
// which other threads may query (IsWindow, PostMessage) under its lock.
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/wm/WinTypes.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace tovrel {

struct TWindowClassInfo {
    std::string Name;
    ATOM Atom = 0;
    UINT Style = 0;
    WNDPROC Proc = nullptr;
    int ClassExtra = 0;
    int WindowExtra = 0;
    HICON Icon = nullptr;
    HCURSOR Cursor = nullptr;
    HBRUSH Background = nullptr;
};

// A top-level window's pixels and what the backend has not shown yet.
struct TBackingStore {
    std::shared_ptr<TSurface> Surface;
    TRegion Dirty; // surface coordinates
    // Layered windows.
    BYTE Alpha = 255;
    COLORREF ColorKey = 0;
    DWORD LayeredFlags = 0;
    bool PerPixelAlpha = false; // content comes from UpdateLayeredWindow, never painted
};

struct TWindow {
    HWND Handle = nullptr;
    std::shared_ptr<TWindowClassInfo> Class;
    WNDPROC Proc = nullptr;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HWND Parent = nullptr;      // null for top-level windows
    HWND Owner = nullptr;       // top-level windows only
    std::vector<HWND> Children; // z-order, topmost first
    TRect Rect;                 // relative to the parent's client area; screen for top-level windows
    TRect Client;               // relative to the window's top-left corner
    std::string Text;
    HICON BigIcon = nullptr; // WM_SETICON; the window does not own them
    HICON SmallIcon = nullptr;
    LONG_PTR UserData = 0;
    LONG_PTR Id = 0;
    HINSTANCE Instance = nullptr;
    std::vector<LONG_PTR> Extra; // cbWndExtra bytes, one slot per pointer-sized index
    std::map<std::string, HANDLE> Props;
    std::optional<TRegion> Region; // window coordinates

    // Painting: update region in window coordinates.
    TRegion Update;
    bool EraseNeeded = false;
    bool FrameNeeded = false;
    bool InternalPaint = false;
    bool NcActive = false; // the frame is drawn active (WM_NCACTIVATE)

    TRect RestoreRect;    // before maximize or minimize
    bool Created = false; // WM_NCCREATE answered
    bool Destroying = false;
    bool Destroyed = false;

    std::unique_ptr<TBackingStore> Store; // top-level windows only

    bool IsChild() const { return (Style & 0x40000000u) != 0 && Parent != nullptr; }
};

// The window's own rectangle in window coordinates.
inline TRect WholeWindow(const TWindow& w)
{
    return {0, 0, w.Rect.Width(), w.Rect.Height()};
}

struct TWindowTable {
    std::mutex Mutex;
    std::unordered_map<std::uintptr_t, std::shared_ptr<TWindow>> Windows;
    std::uintptr_t NextId = 0x10000;
    std::thread::id UiThread; // the thread that created the first window
};

TWindowTable& WindowTable();
// Thread-safe lookup; null for unknown or destroyed handles.
std::shared_ptr<TWindow> LookupWindow(HWND hwnd);
// True on the thread that owns the windows (or before any window exists).
bool OnUiThread();
// The window layer's main-thread state.
struct TWindowSystem {
    std::vector<HWND> TopLevels; // z-order, topmost first
    HWND Active = nullptr;
    HWND Focus = nullptr;
    HWND Capture = nullptr;
    std::map<std::string, std::shared_ptr<TWindowClassInfo>> Classes; // by lower-case name
    ATOM NextAtom = 0xC000;
};
TWindowSystem& WindowSystem();

// Geometry helpers shared by the layer.
TPoint ScreenOrigin(const TWindow& w);       // window's top-left corner on the screen
TPoint ClientScreenOrigin(const TWindow& w); // client area's top-left corner on the screen
TPoint OriginInTopLevel(const TWindow& w);   // window's top-left corner in its top-level window
std::shared_ptr<TWindow> TopLevelOf(const TWindow& w);
bool IsVisibleChain(const TWindow& w); // the window and all its parents are visible
bool IsEnabledChain(const TWindow& w);
inline TRect Offset(TRect r, int dx, int dy)
{
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
inline TRect Intersect(const TRect& a, const TRect& b)
{
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top, a.Right < b.Right ? a.Right : b.Right,
            a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    return r.IsEmpty() ? TRect{} : r;
}
inline HWND HandleOf(std::uintptr_t id)
{
    return reinterpret_cast<HWND>(id);
}
// Window sizes stay within what 16-bit message coordinates can carry.
constexpr int kMaxWindowExtent = 32767;
inline int ClampExtent(int v)
{
    return v < 0 ? 0 : v > kMaxWindowExtent ? kMaxWindowExtent : v;
}
inline int ClampPosition(int v)
{
    return v < -kMaxWindowExtent ? -kMaxWindowExtent : v > kMaxWindowExtent ? kMaxWindowExtent : v;
}

} // namespace tovrel
