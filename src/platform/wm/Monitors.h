#pragma once
// Monitors and work areas as the backend reports them (HMONITOR = index + 1,
// valid until the monitor set changes), and the system parameters the
// program reads.
#include "platform/wm/Styles.h"

#include <string>
#include <string_view>

namespace tovrel {

HMONITOR MonitorFromPoint(POINT p, DWORD flags);
HMONITOR MonitorFromRect(const RECT* r, DWORD flags); // the monitor with the largest overlap
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
inline BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info)
{
    return GetMonitorInfo(monitor, info);
}

// The backend saw monitors come, go or change (main thread): every top-level
// window gets WM_DISPLAYCHANGE (32 bits per pixel, the primary monitor's
// size); monitor queries already answer from the new set.
void NotifyDisplayChange();

// SPI_GETWORKAREA (RECT*: the primary monitor's work area), SPI_GETDRAGFULLWINDOWS
// (BOOL*: always TRUE, the layer moves whole windows), SPI_GETWHEELSCROLLLINES (UINT*: 3).
BOOL SystemParametersInfo(UINT action, UINT param, void* value, UINT winIni);
inline BOOL SystemParametersInfoW(UINT action, UINT param, void* value, UINT winIni)
{
    return SystemParametersInfo(action, param, value, winIni);
}

// No sound device is assumed: the beep is silent and succeeds. It is only
// counted, so tests see that refused input was answered.
BOOL MessageBeep(UINT type);
int BeepCount();

// Clipboard text (UTF-8) through the backend: the desktop's clipboard, or an
// in-process one when headless.
BOOL SetClipboardText(std::string_view text);
std::string GetClipboardText();
BOOL IsClipboardTextAvailable();

} // namespace tovrel
