#include "platform/backend/DesktopBackend.h"

#include "platform/backend/X11Extras.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Regions.h"
#include "platform/wm/Input.h"
#include "platform/wm/Layered.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"

#include <SDL.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <optional>
#include <string>

namespace tovrel {

namespace {

SDL_SystemCursor SdlCursor(TCursorShape shape)
{
    switch (shape) {
    case TCursorShape::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case TCursorShape::Wait: return SDL_SYSTEM_CURSOR_WAIT;
    case TCursorShape::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case TCursorShape::SizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case TCursorShape::SizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case TCursorShape::SizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case TCursorShape::SizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    case TCursorShape::SizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case TCursorShape::No: return SDL_SYSTEM_CURSOR_NO;
    case TCursorShape::Hand: return SDL_SYSTEM_CURSOR_HAND;
    case TCursorShape::AppStarting: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

// The window manager's picture of the window (_NET_WM_ICON, set by SDL from a
// copy). An unknown icon leaves the old picture: SDL cannot remove one.
void ShowWindowIcon(SDL_Window* window, HICON icon)
{
    const auto image = FindIconImage(icon);
    if (!window || !image)
        return;
    TSurface picture = IconPicture(*image);
    // Our B,G,R,A bytes are ARGB8888 in SDL's terms on little-endian machines.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(picture.Bits(), picture.Width(), picture.Height(), 32,
                                                              picture.Stride(), SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

std::optional<TRegion> WindowRegion(HWND hwnd)
{
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(hwnd, rgn) != ERROR;
    auto region = shaped ? RegionOf(rgn) : std::nullopt;
    DeleteObject(ToGdiObj(rgn));
    return region;
}

} // namespace

bool TDesktopBackend::NeverActivates(HWND hwnd)
{
    const auto style = DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
    const auto ex = DWORD(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
    if (ex & WS_EX_NOACTIVATE)
        return true;
    return (style & WS_POPUP) && (ex & WS_EX_TOOLWINDOW) && (style & WS_CAPTION) != WS_CAPTION;
}

TDesktopBackend::TDesktopBackend()
{
    // Absolute placement and global pointer positions need X11 (XWayland under Wayland).
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
    // Plain X11 framebuffers: the accelerated one recreates each window as an OpenGL
    // window at its first surface, losing its position.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw EBackendUnavailable(std::string("The desktop cannot be reached: ") + SDL_GetError());
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw EBackendUnavailable("The desktop backend cannot make its wake-up descriptor");
    }
    SDL_StartTextInput();
}

TDesktopBackend::~TDesktopBackend()
{
    close(wakeFd_);
    for (auto& [hwnd, window] : windows_)
        SDL_DestroyWindow(window);
    for (auto& [shape, cursor] : cursors_)
        SDL_FreeCursor(cursor);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

SDL_Window* TDesktopBackend::WindowOf(HWND hwnd) const
{
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second;
}

HWND TDesktopBackend::HandleOf(std::uint32_t sdlWindowId) const
{
    SDL_Window* window = SDL_GetWindowFromID(sdlWindowId);
    for (const auto& [hwnd, w] : windows_)
        if (w == window)
            return hwnd;
    return nullptr;
}

// Made when first shown, with the styles and shape the window has by then: helper
// windows that are never shown (timers, the application window) cost no display window.
SDL_Window* TDesktopBackend::MakeWindow(HWND hwnd)
{
    if (SDL_Window* existing = WindowOf(hwnd))
        return existing;
    RECT r;
    GetWindowRect(hwnd, &r);
    const auto ex = DWORD(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (NeverActivates(hwnd))
        flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
    else
        flags |= SDL_WINDOW_RESIZABLE; // otherwise X11 gets fixed min = max size hints
    if (ex & WS_EX_TOPMOST)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    // Owned windows (dialogs, secondary forms) have no task bar entry of their own.
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    if ((ex & WS_EX_TOOLWINDOW) || owner)
        flags |= SDL_WINDOW_SKIP_TASKBAR;
    const std::string title = GetWindowTextString(hwnd);
    auto create = [&] {
        return SDL_CreateWindow(title.c_str(), r.Left, r.Top, std::max(1, r.Width()), std::max(1, r.Height()), flags);
    };
    SDL_Window* window = nullptr;
    // Layered windows get a 32-bit visual where a compositor can show their alpha.
    if (ex & WS_EX_LAYERED)
        if (const unsigned long visual = X11ArgbVisualId()) {
            SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(visual).c_str());
            window = create();
            SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, "");
        }
    if (!window)
        window = create();
    if (!window)
        return nullptr;
    windows_[hwnd] = window;
    if (displayFd_ < 0)
        displayFd_ = X11ConnectionFd(window);
    ShowWindowIcon(window, reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, ICON_BIG, 0)));
    ShowOwnership(hwnd, window);
    // Windows it owns that were shown before it.
    for (const auto& [h, ownedWindow] : windows_)
        if (GetWindow(h, GW_OWNER) == hwnd && !NeverActivates(h))
            X11SetTransientFor(ownedWindow, window);
    if (const auto region = WindowRegion(hwnd); region || (ex & WS_EX_LAYERED))
        ShapeWindow(hwnd, region ? &*region : nullptr);
    BYTE alpha = 255;
    DWORD layered = 0;
    if (GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &layered) && (layered & LWA_ALPHA))
        SDL_SetWindowOpacity(window, float(alpha) / 255.0f);
    return window;
}

void TDesktopBackend::WindowDestroyed(HWND hwnd)
{
    if (SDL_Window* window = WindowOf(hwnd)) {
        SDL_DestroyWindow(window);
        windows_.erase(hwnd);
    }
    requestedSizes_.erase(hwnd);
    requestedIconic_.erase(hwnd);
    unsettledIconic_.erase(hwnd);
    presentedSizes_.erase(hwnd);
}

void TDesktopBackend::WindowShown(HWND hwnd, bool visible, bool activate)
{
    SDL_Window* window = visible ? MakeWindow(hwnd) : WindowOf(hwnd);
    if (!window)
        return;
    if (!visible) {
        SDL_HideWindow(window);
        if (NeverActivates(hwnd))
            KeepKeyboardOnActiveWindow(window);
        return;
    }
    SDL_ShowWindow(window);
    if (NeverActivates(hwnd))
        KeepKeyboardOnActiveWindow(window);
    if (activate)
        SDL_RaiseWindow(window);
    PresentWhole(hwnd);
}

void TDesktopBackend::WindowMinimized(HWND hwnd, bool minimized)
{
    SDL_Window* window = minimized ? WindowOf(hwnd) : MakeWindow(hwnd);
    if (!window)
        return;
    if (followingDisplay_) {
        if (!minimized)
            PresentWhole(hwnd);
        return;
    }
    requestedIconic_[hwnd] = {minimized, SDL_GetTicks64()};
    if (!X11Iconify(window, minimized)) {
        if (minimized)
            SDL_MinimizeWindow(window);
        else
            SDL_RestoreWindow(window);
    }
    if (!minimized)
        PresentWhole(hwnd);
}

// SDL may report a minimize or restore before the window manager has finished
// it (WM_STATE and the mapping change a moment later): the report waits until
// the X state agrees, for a while.
void TDesktopBackend::DisplayMinimized(HWND hwnd, bool minimized)
{
    unsettledIconic_[hwnd] = {minimized, SDL_GetTicks64()};
    SettleIconicReports();
}

// True while some report still waits for the X state.
bool TDesktopBackend::SettleIconicReports()
{
    constexpr std::uint64_t kSettlesWithinMs = 2000;
    for (auto it = unsettledIconic_.begin(); it != unsettledIconic_.end();) {
        const HWND hwnd = it->first;
        bool iconic = !it->second.iconic;
        const bool stated = X11IsIconic(WindowOf(hwnd), iconic);
        if (stated && iconic == it->second.iconic) {
            it = unsettledIconic_.erase(it);
            FollowDisplayIconic(hwnd, iconic);
            it = unsettledIconic_.begin(); // the layer may have changed the map meanwhile
        } else if (SDL_GetTicks64() - it->second.askedAtMs > kSettlesWithinMs) {
            it = unsettledIconic_.erase(it);
        } else {
            ++it;
        }
    }
    return !unsettledIconic_.empty();
}

void TDesktopBackend::FollowDisplayIconic(HWND hwnd, bool minimized)
{
    // As with sizes, a request may never be reported.
    constexpr std::uint64_t kReportWithinMs = 2000;
    if (auto it = requestedIconic_.find(hwnd); it != requestedIconic_.end()) {
        const bool pending = SDL_GetTicks64() - it->second.askedAtMs <= kReportWithinMs;
        if (pending && it->second.iconic != minimized)
            return; // stale: reports a state from before our request
        requestedIconic_.erase(it);
        if (pending)
            return; // ours
    }
    // The display is already in that state: the layer follows without asking it again.
    followingDisplay_ = true;
    InjectWindowMinimized(hwnd, minimized);
    followingDisplay_ = false;
}

// The window manager focused the window (and raised it): the layer activates it
// without raising it in X again. Each such raise is an activation request the
// manager answers later, so a focus change it made meanwhile was undone, and
// two windows handed the focus back and forth for good.
void TDesktopBackend::FollowDisplayActivation(HWND hwnd)
{
    followingDisplay_ = true;
    SetActiveWindow(hwnd);
    followingDisplay_ = false;
}

void TDesktopBackend::PresentWhole(HWND hwnd)
{
    if (auto surface = WindowSurface(hwnd))
        Present(hwnd, *surface, TRegion(TRect{0, 0, surface->Width(), surface->Height()}));
}

// SDL gives a shown popup-menu window the X input focus (reverting to none when
// it goes), but the layer sends keys to its own focus wherever X delivers them:
// the X focus stays with the active window, so typing never goes nowhere.
void TDesktopBackend::KeepKeyboardOnActiveWindow(SDL_Window* popup)
{
    SDL_Window* active = WindowOf(GetActiveWindow());
    if (active && active != popup && (SDL_GetWindowFlags(active) & SDL_WINDOW_SHOWN))
        SDL_SetWindowInputFocus(active);
}

void TDesktopBackend::WindowMoved(HWND hwnd, const TRect& r)
{
    SDL_Window* window = WindowOf(hwnd);
    if (!window)
        return;
    RequestSize(hwnd, window, std::max(1, r.Width()), std::max(1, r.Height()));
    SDL_SetWindowPosition(window, r.Left, r.Top);
}

void TDesktopBackend::RequestSize(HWND hwnd, SDL_Window* window, int width, int height)
{
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    if (w == width && h == height)
        return;
    auto& pending = requestedSizes_[hwnd];
    // A display that never reports some requests must not make the list grow.
    constexpr std::size_t kMaxPending = 16;
    if (pending.size() == kMaxPending)
        pending.pop_front();
    pending.push_back({width, height, SDL_GetTicks64()});
    SDL_SetWindowSize(window, width, height);
}

void TDesktopBackend::DisplayResized(HWND hwnd, int width, int height)
{
    auto& pending = requestedSizes_[hwnd];
    // SDL drops the report of a request that took effect at once, so a request is
    // forgotten after a while rather than mistaken later for an outside resize.
    constexpr std::uint64_t kReportWithinMs = 2000;
    const std::uint64_t now = SDL_GetTicks64();
    std::erase_if(pending, [&](const TRequestedSize& r) { return now - r.askedAtMs > kReportWithinMs; });
    for (auto it = pending.begin(); it != pending.end(); ++it)
        if (it->width == width && it->height == height) {
            // Ours: this request and every older one have been dealt with.
            pending.erase(pending.begin(), it + 1);
            return;
        }
    pending.clear();
    RECT r;
    GetWindowRect(hwnd, &r);
    if (r.Width() != width || r.Height() != height)
        SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDesktopBackend::WindowRaised(HWND hwnd)
{
    SDL_Window* window = WindowOf(hwnd);
    if (!window)
        return;
    // SetWindowPos(HWND_TOPMOST / HWND_NOTOPMOST) changes the layer first.
    const bool topmost = (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost != ((SDL_GetWindowFlags(window) & SDL_WINDOW_ALWAYS_ON_TOP) != 0))
        SDL_SetWindowAlwaysOnTop(window, topmost ? SDL_TRUE : SDL_FALSE);
    // The window manager has raised and focused the window already: asking it
    // again would race its answer to the next focus change.
    if (followingDisplay_)
        return;
    // Raising a window that left the screen minimized, or with its minimized
    // owner, would make the window manager bring the whole group back.
    if (NeverActivates(hwnd) || !IsWindowVisible(hwnd) || IsIconic(hwnd) || HasMinimizedOwner(hwnd))
        return;
    // SDL only raises to the top: a window the layer put under another one
    // (a layered border below its form) is stacked under that one in X.
    if (SDL_Window* above = ShownWindowAbove(hwnd))
        X11StackBelow(window, above);
    else
        SDL_RaiseWindow(window);
}

SDL_Window* TDesktopBackend::ShownWindowAbove(HWND hwnd) const
{
    const auto topmost = [](HWND h) { return (GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    for (HWND h = GetWindow(hwnd, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV)) {
        if (topmost(h) != topmost(hwnd))
            break;
        SDL_Window* window = WindowOf(h);
        if (window && IsWindowVisible(h) && !IsIconic(h) && !NeverActivates(h))
            return window;
    }
    return nullptr;
}

void TDesktopBackend::WindowShapeChanged(HWND hwnd, const TRegion* region)
{
    ShapeWindow(hwnd, region);
}

// Outside its input shape the pointer reaches what lies beneath the window, as
// the layer's hit test passes it through click-through layers and the fully
// transparent pixels of per-pixel alpha content.
void TDesktopBackend::ShapeWindow(HWND hwnd, const TRegion* region)
{
    SDL_Window* window = WindowOf(hwnd);
    if (!window)
        return;
    std::optional<TRegion> input = LayeredMouseRegion(hwnd);
    if (input && region)
        input = input->Combined(*region, TRegionOp::And);
    X11ShapeWindow(window, region, input ? &*input : nullptr);
}

void TDesktopBackend::WindowContentChanged(HWND hwnd)
{
    const auto region = WindowRegion(hwnd);
    ShapeWindow(hwnd, region ? &*region : nullptr);
}

void TDesktopBackend::WindowStyleChanged(HWND hwnd)
{
    SDL_Window* window = WindowOf(hwnd);
    if (!window)
        return;
    WindowContentChanged(hwnd);
    ShowOwnership(hwnd, window);
}

void TDesktopBackend::WindowOwnerChanged(HWND hwnd)
{
    if (SDL_Window* window = WindowOf(hwnd))
        ShowOwnership(hwnd, window);
}

// An owned window (dialog, secondary form) is a dialog transient for its owner:
// the window manager keeps it above the owner, minimizes it along, and gives
// it no task bar entry. Popups are not managed at all.
void TDesktopBackend::ShowOwnership(HWND hwnd, SDL_Window* window)
{
    if (NeverActivates(hwnd))
        return;
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    const bool toolWindow = (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    X11SetTransientFor(window, WindowOf(owner));
    X11SetTaskbarEntry(window, !owner && !toolWindow);
    X11SetDialogType(window, owner != nullptr);
}

void TDesktopBackend::WindowOpacityChanged(HWND hwnd, BYTE alpha)
{
    if (SDL_Window* window = WindowOf(hwnd))
        SDL_SetWindowOpacity(window, float(alpha) / 255.0f);
}

void TDesktopBackend::WindowTextChanged(HWND hwnd, const std::string& text)
{
    if (SDL_Window* window = WindowOf(hwnd))
        SDL_SetWindowTitle(window, text.c_str());
}

void TDesktopBackend::WindowIconChanged(HWND hwnd, HICON icon)
{
    ShowWindowIcon(WindowOf(hwnd), icon);
}

void TDesktopBackend::Present(HWND hwnd, const TSurface& surface, const TRegion& dirty)
{
    SDL_Window* window = WindowOf(hwnd);
    if (!window || surface.Empty())
        return;
    SDL_Surface* target = SDL_GetWindowSurface(window);
    if (!target)
        return;
    // Our 32-bit pixels are B,G,R,A bytes: ARGB8888 in SDL's terms on little-endian machines.
    // Drawn (not per-pixel alpha) content leaves alpha 0, so its alpha byte is not shown.
    const Uint32 format = IsPerPixelAlphaWindow(hwnd) ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB888;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(surface.Bits()), surface.Width(),
                                                             surface.Height(), 32, surface.Stride(), format);
    if (!source)
        return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    std::vector<SDL_Rect> rects;
    // SDL makes a new, blank window surface after a resize: it needs every pixel.
    auto& presentedSize = presentedSizes_[hwnd];
    const bool whole = presentedSize != std::pair{target->w, target->h};
    presentedSize = {target->w, target->h};
    const TRegion everything(TRect{0, 0, surface.Width(), surface.Height()});
    (whole ? everything : dirty).ForEachRectIn({0, 0, surface.Width(), surface.Height()}, [&](const TRect& r) {
        SDL_Rect rect{r.Left, r.Top, r.Width(), r.Height()};
        SDL_Rect to = rect;
        SDL_BlitSurface(source, &rect, target, &to);
        rects.push_back(rect);
    });
    SDL_FreeSurface(source);
    if (!rects.empty())
        SDL_UpdateWindowSurfaceRects(window, rects.data(), int(rects.size()));
}

void TDesktopBackend::SetCursorShape(TCursorShape shape)
{
    if (shape == TCursorShape::None) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    SDL_Cursor*& cursor = cursors_[shape];
    if (!cursor)
        cursor = SDL_CreateSystemCursor(SdlCursor(shape));
    if (cursor)
        SDL_SetCursor(cursor);
}

void TDesktopBackend::SetTextInputRect(const TRect& screenRect)
{
    SDL_Window* focused = SDL_GetKeyboardFocus();
    int x = 0, y = 0;
    if (focused)
        SDL_GetWindowPosition(focused, &x, &y);
    SDL_Rect r{screenRect.Left - x, screenRect.Top - y, screenRect.Width(), screenRect.Height()};
    SDL_SetTextInputRect(&r);
}

std::vector<TMonitor> TDesktopBackend::Monitors()
{
    std::vector<TMonitor> monitors;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds, usable;
        if (SDL_GetDisplayBounds(i, &bounds) != 0)
            continue;
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0)
            usable = bounds;
        monitors.push_back(
            {Bounds(bounds.x, bounds.y, bounds.w, bounds.h), Bounds(usable.x, usable.y, usable.w, usable.h)});
    }
    if (monitors.empty())
        return TBackend::Monitors();
    return monitors;
}

bool TDesktopBackend::LayeredWindowsAvailable()
{
    if (layered_ < 0) // a compositor with a 32-bit visual to show alpha through
        layered_ = X11ArgbVisualId() != 0 ? 1 : 0;
    return layered_ == 1;
}

std::string TDesktopBackend::ClipboardText()
{
    char* text = SDL_GetClipboardText();
    std::string copy = text ? text : "";
    SDL_free(text);
    return copy;
}

void TDesktopBackend::SetClipboardText(const std::string& text)
{
    SDL_SetClipboardText(text.c_str());
}

} // namespace tovrel
