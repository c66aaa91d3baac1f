#pragma once
// Focus, activation, capture, key state, mouse tracking, cursors, and the
// entry points through which a backend (or a test) feeds device input.
//
// Rules:
// - Activation belongs to top-level windows. A window never activates when it
//   has WS_EX_NOACTIVATE, or is a WS_POPUP tool window (WS_EX_TOOLWINDOW)
//   without a caption: drop-down lists, menu levels and hints. Clicking such a
//   window still sends WM_MOUSEACTIVATE, but the active window and the focus
//   stay where they were; SetFocus into it fails.
// - Switching: WM_NCACTIVATE(FALSE) and WM_ACTIVATE(WA_INACTIVE) to the old
//   window, WM_ACTIVATEAPP when the application gains or loses activation,
//   WM_NCACTIVATE(TRUE) and WM_ACTIVATE(WA_ACTIVE / WA_CLICKACTIVE) to the
//   new one, whose default WM_ACTIVATE handling sets the focus to it.
// - Mouse input: WM_NCHITTEST for every event (HTTRANSPARENT passes it to the
//   window beneath), WM_MOUSEACTIVATE on a press into an inactive window,
//   WM_SETCURSOR, then the client message (HTCLIENT) or the WM_NC* message
//   (other codes, screen coordinates, the code in WPARAM). While a window has
//   the capture it gets every mouse event as a client message, wherever the
//   pointer is, and no hit test. Disabled child windows pass the mouse to
//   their parent; a disabled top-level window gets only WM_SETCURSOR(HTERROR),
//   whose default handling brings its enabled owned window (a modal dialog) forward.
// - Double clicks: a second press of the same button on the same window
//   within GetDoubleClickTime() ms and SM_CXDOUBLECLK x SM_CYDOUBLECLK pixels
//   becomes WM_xBUTTONDBLCLK (client area: only for CS_DBLCLKS classes).
// - Wheel messages go to the focus window (or the active one); the default
//   handling passes them to the parent.
// - Text input (the input method's commits, typed characters) arrives as
//   UTF-8 and is delivered as one WM_CHAR per UTF-16 unit to the focus window,
//   surrogate pairs as two messages, as the platform's input methods deliver it.
#include "platform/wm/Backend.h"
#include "platform/wm/Messages.h"

#include <string_view>

namespace tovrel {

HWND SetFocus(HWND hwnd); // returns the previous focus; null hwnd removes the focus
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

HWND SetCapture(HWND hwnd); // WM_CAPTURECHANGED(new) to the previous holder
BOOL ReleaseCapture();      // WM_CAPTURECHANGED(0) to the holder
HWND GetCapture();

// High bit (negative): down; low bit: toggled. GetKeyState follows the
// messages retrieved so far, GetAsyncKeyState the devices.
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);

// TME_LEAVE (with TME_NONCLIENT for the non-client area) posts one
// WM_MOUSELEAVE / WM_NCMOUSELEAVE when the pointer leaves that part of the
// window; TME_HOVER gives one WM_MOUSEHOVER / WM_NCMOUSEHOVER when the pointer
// rests there (within 4 x 4 pixels) for dwHoverTime ms (HOVER_DEFAULT: 400);
// TME_CANCEL stops them; TME_QUERY fills the record.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);

BOOL GetCursorPos(POINT* p);
BOOL SetCursorPos(int x, int y); // moves the pointer as a device move would
UINT GetDoubleClickTime();

// Cursors: the shared shapes by IDC_* id.
constexpr std::uintptr_t IDC_ARROW = 32512, IDC_IBEAM = 32513, IDC_WAIT = 32514, IDC_CROSS = 32515, IDC_UPARROW = 32516,
                         IDC_SIZENWSE = 32642, IDC_SIZENESW = 32643, IDC_SIZEWE = 32644, IDC_SIZENS = 32645,
                         IDC_SIZEALL = 32646, IDC_NO = 32648, IDC_HAND = 32649, IDC_APPSTARTING = 32650;
HCURSOR LoadCursor(HINSTANCE instance, std::uintptr_t id);
HCURSOR SetCursor(HCURSOR cursor); // returns the previous cursor
HCURSOR GetCursor();
TCursorShape CursorShapeOf(HCURSOR cursor);

// Device input for backends and tests; any thread. Points are screen
// coordinates; buttons 0 left, 1 right, 2 middle.
void InjectMouseMove(TPoint screen);
void InjectMouseButton(int button, bool down, TPoint screen);
void InjectMouseWheel(int delta, TPoint screen, bool horizontal = false);
void InjectKey(UINT vk, bool down);
void InjectText(std::string_view utf8);
// The desktop gave the keyboard to another program: the active window is deactivated.
void InjectAppDeactivated();
// The desktop's window manager iconified or restored a top-level window (main
// thread): sends WM_SYSCOMMAND SC_MINIMIZE / SC_RESTORE when the layer's state
// differs (now, so reports in a row each see the last one's effect), as if the
// program's own frame had asked.
void InjectWindowMinimized(HWND hwnd, bool minimized);

} // namespace tovrel
