#pragma once
// What SDL leaves out on X11, reached through the window's X11 handles:
// whether a compositor runs (per-window opacity and alpha then show),
// window shapes from regions, click-through, stacking relative to a sibling,
// ownership, and the pointer's current position.
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/Types.h"

struct SDL_Window;

namespace tovrel {

// The id of a 32-bit TrueColor visual when a compositor runs on $DISPLAY
// (windows made with it show per-pixel alpha); 0 otherwise.
unsigned long X11ArgbVisualId();
// Shapes the window to `bounding` (null: its rectangle) and its input to
// `input` (null: the bounding shape). Outside its input shape the pointer goes
// to whatever lies beneath the window. False when it is not an X11 window.
bool X11ShapeWindow(SDL_Window* window, const TRegion* bounding, const TRegion* input);
// Stacks the window just below `above` (through the window manager, when one runs).
bool X11StackBelow(SDL_Window* window, SDL_Window* above);
// Marks the window as belonging to `owner` (WM_TRANSIENT_FOR): kept above it
// and minimised with it by the window manager; null makes it stand alone.
bool X11SetTransientFor(SDL_Window* window, SDL_Window* owner);
// Whether the window has a task bar entry of its own (_NET_WM_STATE_SKIP_TASKBAR),
// asked of the window manager once it manages the window.
bool X11SetTaskbarEntry(SDL_Window* window, bool entry);
// The window's type for the window manager: a dialog (_NET_WM_WINDOW_TYPE_DIALOG)
// or a normal window. Read by most managers when the window is first mapped.
bool X11SetDialogType(SDL_Window* window, bool dialog);
// Iconifies the window (asking the window manager) or maps it back. SDL's own
// calls do nothing while its state still lags what was asked before.
bool X11Iconify(SDL_Window* window, bool iconic);
// Whether the window manager has the window iconified now (its WM_STATE, and off the screen).
// False, leaving `iconic`, when no window manager states it.
bool X11IsIconic(SDL_Window* window, bool& iconic);
// Where the pointer is now, in screen coordinates, asked of the X server
// through the window's connection (SDL's own answer can lag the events).
// False when the window is not an X11 window.
bool X11PointerPosition(SDL_Window* window, TPoint& screen);
// The file descriptor of the X connection the window was made on; -1 when
// the window is not an X11 window.
int X11ConnectionFd(SDL_Window* window);
// Waits until the X server has handled every request made on the window's
// connection, so what it sent in answer is there to be read. False when the
// window is not an X11 window.
bool X11Sync(SDL_Window* window);
// The whole X screen of $DISPLAY as a 24-bit surface (for smoke tests of the
// desktop backend); empty when no X display can be opened.
TSurface X11GrabScreen();

} // namespace tovrel
