#pragma once
// What the window layer needs from the display: a place to show each
// top-level window's backing surface, events, a way to sleep and be woken,
// and the desktop's facts (monitors, clipboard, capabilities).
//
// Child windows never reach the backend: they are drawn into their top-level
// window's surface. The base class is a complete in-memory backend (nothing is
// shown), which the headless backend extends and the desktop backend replaces.
// All calls come from the main thread except Wake.
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/wm/WinTypes.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tovrel {

class TTrayHost;

struct TMonitor {
    TRect Bounds;
    TRect WorkArea;
};

enum class TCursorShape {
    Arrow,
    IBeam,
    Wait,
    Cross,
    UpArrow,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    Hand,
    AppStarting,
    None
};

class TBackend {
public:
    virtual ~TBackend() = default;

    // Top-level windows.
    virtual void WindowCreated(HWND) {}
    virtual void WindowDestroyed(HWND) {}
    // `activate` is false for windows that must not take the focus (popups, hints).
    virtual void WindowShown(HWND, bool /*visible*/, bool /*activate*/) {}
    // Iconified or brought back; a backend without icons just hides and shows.
    virtual void WindowMinimized(HWND hwnd, bool minimized) { WindowShown(hwnd, !minimized, false); }
    virtual void WindowMoved(HWND, const TRect& /*screenRect*/) {}
    // Raised to the top, or (when the layer put it under another window) restacked
    // just below the next visible top-level window above it.
    virtual void WindowRaised(HWND) {}
    virtual void WindowShapeChanged(HWND, const TRegion* /*windowRegion*/) {}
    // Given another owner (GWLP_HWNDPARENT), or none.
    virtual void WindowOwnerChanged(HWND) {}
    // GWL_STYLE or GWL_EXSTYLE changed (click-through, tool window).
    virtual void WindowStyleChanged(HWND) {}
    // A layered window was given new content (UpdateLayeredWindow), or lost
    // its per-pixel alpha: where it takes the mouse may have changed.
    virtual void WindowContentChanged(HWND) {}
    virtual void WindowOpacityChanged(HWND, BYTE /*alpha*/) {}
    virtual void WindowTextChanged(HWND, const std::string& /*text*/) {} // the task bar's title
    virtual void WindowIconChanged(HWND, HICON /*bigIcon*/) {}           // the task bar's picture
    // Shows `dirty` (surface coordinates) of the window's surface.
    virtual void Present(HWND, const TSurface&, const TRegion& /*dirty*/) {}

    virtual void SetCursorShape(TCursorShape) {}
    virtual void SetTextInputRect(const TRect& /*screenRect*/) {}

    // Moves waiting display events into the layer (Inject* calls).
    virtual void PollEvents() {}
    // Sleeps until Wake, an event, or ms (-1: no limit).
    virtual void WaitEvents(int ms);
    // Any thread.
    virtual void Wake();

    virtual std::vector<TMonitor> Monitors();
    // Per-window opacity and per-pixel alpha reach the screen (a compositor runs).
    virtual bool LayeredWindowsAvailable() { return false; }
    // The desktop's notification area (NotifyIcon.h); null: none.
    virtual TTrayHost* Tray() { return nullptr; }
    virtual std::string ClipboardText() { return clipboard_; }
    virtual void SetClipboardText(const std::string& text) { clipboard_ = text; }

private:
    std::mutex wakeMutex_;
    std::condition_variable woken_;
    bool wakePending_ = false;
    std::string clipboard_;
};

// Installs the backend (null: a plain in-memory one); returns the old one.
// Windows created before keep working; the new backend learns only of new ones.
std::shared_ptr<TBackend> SetBackend(std::shared_ptr<TBackend> backend);
TBackend& Backend();

} // namespace tovrel
