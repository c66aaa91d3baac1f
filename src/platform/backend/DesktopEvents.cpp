// The desktop backend's events: SDL's mouse, keys, text and window events
// handed to the window layer.
#include "platform/backend/DesktopBackend.h"

#include "platform/backend/SdlKeys.h"
#include "platform/backend/X11Extras.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"

#include <SDL.h>
#include <poll.h>
#include <sys/eventfd.h>

namespace tovrel {

namespace {

TPoint PointerNow(std::uint32_t sdlWindowId)
{
    TPoint p;
    if (X11PointerPosition(SDL_GetWindowFromID(sdlWindowId), p))
        return p;
    SDL_GetGlobalMouseState(&p.X, &p.Y);
    return p;
}

int ButtonIndex(Uint8 sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return 0;
    }
}

} // namespace

void TDesktopBackend::WindowEvent(const SDL_Event& e)
{
    const HWND hwnd = HandleOf(e.window.windowID);
    if (!hwnd)
        return;
    switch (e.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (GetActiveWindow() != hwnd && !NeverActivates(hwnd) && !IsIconic(hwnd))
            FollowDisplayActivation(hwnd);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (!SDL_GetKeyboardFocus())
            InjectAppDeactivated();
        break;
    case SDL_WINDOWEVENT_LEAVE:
        // No motion comes once the pointer is off our windows: tell the layer where it went.
        InjectMouseMove(PointerNow(e.window.windowID));
        break;
    // The window manager's own minimize and restore (its buttons, its task bar).
    case SDL_WINDOWEVENT_MINIMIZED: DisplayMinimized(hwnd, true); break;
    case SDL_WINDOWEVENT_RESTORED: DisplayMinimized(hwnd, false); break;
    case SDL_WINDOWEVENT_RESIZED: DisplayResized(hwnd, e.window.data1, e.window.data2); break;
    case SDL_WINDOWEVENT_CLOSE: PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case SDL_WINDOWEVENT_EXPOSED: PresentWhole(hwnd); break;
    default: break;
    }
}

void TDesktopBackend::Dispatch(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_MOUSEMOTION: InjectMouseMove(PointerNow(e.motion.windowID)); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        int x = 0, y = 0;
        SDL_GetWindowPosition(SDL_GetWindowFromID(e.button.windowID), &x, &y);
        InjectMouseButton(ButtonIndex(e.button.button), e.type == SDL_MOUSEBUTTONDOWN,
                          {x + e.button.x, y + e.button.y});
        break;
    }
    case SDL_MOUSEWHEEL: {
        const int flip = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        if (e.wheel.y)
            InjectMouseWheel(e.wheel.y * flip * 120, PointerNow(e.wheel.windowID));
        if (e.wheel.x)
            InjectMouseWheel(e.wheel.x * flip * 120, PointerNow(e.wheel.windowID), true);
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (UINT vk = VirtualKeyFromSdl(e.key.keysym.sym, e.key.keysym.scancode))
            InjectKey(vk, e.type == SDL_KEYDOWN);
        break;
    case SDL_TEXTINPUT:
        // Left Alt with a letter is a menu key (WM_SYSCHAR from TranslateMessage), not typing.
        if (!((SDL_GetModState() & KMOD_LALT) && !(SDL_GetModState() & KMOD_CTRL)))
            InjectText(e.text.text);
        break;
    case SDL_WINDOWEVENT: WindowEvent(e); break;
    case SDL_DISPLAYEVENT: NotifyDisplayChange(); break;
    default: break;
    }
}

void TDesktopBackend::PollEvents()
{
    SDL_Event e;
    while (SDL_PollEvent(&e))
        Dispatch(e);
    SettleIconicReports();
}

void TDesktopBackend::SyncWithDisplay()
{
    if (!windows_.empty())
        X11Sync(windows_.begin()->second);
    PollEvents();
}

// Not SDL's own wait: a thread waking it sends an X event to one of our
// windows, which the main thread may be destroying meanwhile (an X BadWindow
// error ends the program). Wake only writes the descriptor polled here.
void TDesktopBackend::WaitEvents(int ms)
{
    // Reads all the connection holds, so the poll waits only for newer events.
    SDL_PumpEvents();
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT))
        return;
    // The X state a minimize report waits for may change with no event SDL
    // passes on (or be read along with a property): look again soon.
    constexpr int kSettleCheckMs = 20;
    if (SettleIconicReports() && (ms < 0 || ms > kSettleCheckMs))
        ms = kSettleCheckMs;
    pollfd waited[2] = {{wakeFd_, POLLIN, 0}, {displayFd_, POLLIN, 0}};
    poll(waited, displayFd_ < 0 ? 1 : 2, ms); // an interrupted poll returns early: callers loop
    eventfd_t wakes = 0;
    eventfd_read(wakeFd_, &wakes); // fails when not woken: nothing to clear
}

void TDesktopBackend::Wake()
{
    eventfd_write(wakeFd_, 1);
}

} // namespace tovrel
