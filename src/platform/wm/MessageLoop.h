#pragma once
// Sending, posting, retrieving and dispatching messages.
//
// Retrieval order, as the platform's: posted messages, then WM_QUIT, then input
// (translated from the raw events when they are reached, so hit tests,
// activation and capture see the effects of what was dispatched before), then
// WM_PAINT for windows with an update region (parents first), then WM_TIMER.
// Every wait also runs the main-thread call queue.
#include "platform/wm/Messages.h"

#include <string_view>

namespace tovrel {

// Main thread: calls the procedure at once. Other threads: runs through the
// main-thread call queue and waits. Destroyed handles: nothing, 0.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessage(hwnd, message, wParam, lParam);
}
// Any thread. A null hwnd posts a thread message (hwnd null in MSG). Fails for
// unknown handles.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
inline BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PostMessage(hwnd, message, wParam, lParam);
}
void PostQuitMessage(int exitCode);

// Returns 0 for WM_QUIT, -1 when hwnd is (or becomes) no window, 1 otherwise.
// hwnd filters by window; min/max by message number (0, 0: all).
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
inline BOOL GetMessageW(MSG* msg, HWND hwnd, UINT mn, UINT mx)
{
    return GetMessage(msg, hwnd, mn, mx);
}
inline BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT mn, UINT mx, UINT f)
{
    return PeekMessage(msg, hwnd, mn, mx, f);
}
// Sleeps until something can be retrieved.
BOOL WaitMessage();
// Key messages: posts WM_CHAR for the keys that make control characters
// (Backspace 8, Tab 9, Enter 13, Escape 27, Ctrl+letter 1-26) and WM_SYSCHAR
// for Alt+letter or digit. Printable text never comes from key messages: it
// arrives as text input (see Input.h), one WM_CHAR per UTF-16 unit.
BOOL TranslateMessage(const MSG* msg);
// Calls the window's procedure, or the TIMERPROC of a WM_TIMER that carries one.
// A WM_PAINT handler that neither paints nor validates anything has its update
// region dropped, so one forgetful handler cannot keep a loop busy forever.
LRESULT DispatchMessage(const MSG* msg);
inline LRESULT DispatchMessageW(const MSG* msg)
{
    return DispatchMessage(msg);
}
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
inline LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// A message number (0xC000-0xFFFF) for a name, the same for the same name
// (case-insensitive) for the life of the process; 0 for an empty name.
UINT RegisterWindowMessage(std::string_view name);

DWORD GetMessageTime();
DWORD GetMessagePos(); // screen position of the last retrieved message, packed as in LPARAM

// Translates and dispatches every message that can be retrieved without
// waiting (WM_QUIT is left queued). Returns how many were dispatched. For
// tests and for ProcessMessages-style loops.
int PumpWaitingMessages();

} // namespace tovrel
