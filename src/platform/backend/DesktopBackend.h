#pragma once
// The desktop backend: one borderless SDL window per top-level window showing
// its backing surface. Popups that must not take the focus (WS_POPUP tool
// windows, WS_EX_NOACTIVATE) become SDL popup-menu windows, which X11 maps
// override-redirect: never placed or focused by the window manager. Mouse,
// keys, wheel and input-method text are handed to the window layer in screen
// coordinates, so capture, hit tests and the move/size loop stay the layer's.
// The layer owns every position: moves the display reports late (X11 sends
// them after the fact) are not fed back, or they would undo newer moves.
// Sizes are fed back only when they were made outside (by the user through
// the window manager, or by another client): the sizes we asked for are
// remembered until the display reports them, so a late report of an older
// request does not undo a newer one.
#include "platform/backend/X11Tray.h"
#include "platform/wm/Backend.h"

#include <deque>
#include <map>
#include <memory>
#include <utility>

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace tovrel {

class EBackendUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TDesktopBackend : public TBackend {
public:
    // Throws EBackendUnavailable when SDL's video cannot start.
    TDesktopBackend();
    ~TDesktopBackend() override;

    void WindowDestroyed(HWND hwnd) override;
    void WindowShown(HWND hwnd, bool visible, bool activate) override;
    void WindowMinimized(HWND hwnd, bool minimized) override;
    void WindowMoved(HWND hwnd, const TRect& screenRect) override;
    void WindowRaised(HWND hwnd) override;
    void WindowShapeChanged(HWND hwnd, const TRegion* region) override;
    void WindowOwnerChanged(HWND hwnd) override;
    void WindowStyleChanged(HWND hwnd) override;
    void WindowContentChanged(HWND hwnd) override;
    void WindowOpacityChanged(HWND hwnd, BYTE alpha) override;
    void WindowTextChanged(HWND hwnd, const std::string& text) override;
    void WindowIconChanged(HWND hwnd, HICON icon) override;
    void Present(HWND hwnd, const TSurface& surface, const TRegion& dirty) override;
    void SetCursorShape(TCursorShape shape) override;
    void SetTextInputRect(const TRect& screenRect) override;

    void PollEvents() override;
    // Waits until the display has handled every request made so far and hands
    // the layer what it reported meanwhile: for tools that report the layer's
    // state to a script, so a report follows the display's answers.
    void SyncWithDisplay();
    void WaitEvents(int ms) override;
    void Wake() override;

    std::vector<TMonitor> Monitors() override;
    bool LayeredWindowsAvailable() override;
    // The freedesktop system tray (X11Tray.h).
    TTrayHost* Tray() override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;

private:
    // Popups and hints: SDL popup-menu windows that never take the focus.
    static bool NeverActivates(HWND hwnd);
    // The nearest shown window above in the layer's order that X stacks alike
    // (managed, same topmost band); null when the window is the top of its band.
    SDL_Window* ShownWindowAbove(HWND hwnd) const;
    void PresentWhole(HWND hwnd);
    void ShapeWindow(HWND hwnd, const TRegion* region);
    void ShowOwnership(HWND hwnd, SDL_Window* window);
    SDL_Window* WindowOf(HWND hwnd) const; // null until the window was first shown
    SDL_Window* MakeWindow(HWND hwnd);
    void KeepKeyboardOnActiveWindow(SDL_Window* popup);
    HWND HandleOf(std::uint32_t sdlWindowId) const;
    void Dispatch(const SDL_Event& e);
    void WindowEvent(const SDL_Event& e);
    void RequestSize(HWND hwnd, SDL_Window* window, int width, int height);
    void DisplayResized(HWND hwnd, int width, int height);
    void DisplayMinimized(HWND hwnd, bool minimized);
    bool SettleIconicReports();
    void FollowDisplayIconic(HWND hwnd, bool iconic);
    void FollowDisplayActivation(HWND hwnd);

    std::map<HWND, SDL_Window*> windows_;
    struct TRequestedSize {
        int width, height;
        std::uint64_t askedAtMs;
    };
    // Sizes asked of the display and not yet reported back, oldest first.
    std::map<HWND, std::deque<TRequestedSize>> requestedSizes_;
    struct TRequestedIconic {
        bool iconic;
        std::uint64_t askedAtMs;
    };
    // The minimized state last asked of the display, until it reports it; an
    // older report arriving meanwhile is stale, not the window manager's doing.
    std::map<HWND, TRequestedIconic> requestedIconic_;
    // SDL's minimize reports the X state (WM_STATE, mapping) has not caught up
    // with yet, by when they were reported.
    std::map<HWND, TRequestedIconic> unsettledIconic_;
    bool followingDisplay_ = false; // the layer is taking on a state the display reported
    // The window surface size each window was last presented into.
    std::map<HWND, std::pair<int, int>> presentedSizes_;
    std::map<TCursorShape, SDL_Cursor*> cursors_;
    // Written by Wake; the main thread's wait polls it.
    int wakeFd_ = -1;
    // The display connection's, known from the first window on; -1 before.
    int displayFd_ = -1;
    int layered_ = -1;               // not asked yet
    std::unique_ptr<TX11Tray> tray_; // made when first asked for
};

} // namespace tovrel
