#pragma once
// Screen and monitor work areas for maximizing, docking and placing popups,
// through the bound platform entries (one monitor when they are missing), and
// the window layer's table of those entries for the program to bind at start.
#include "platform/wm/WinTypes.h"
#include "skin/data/PlatformEntries.h"

namespace tovrel {

bool IsMultiMonitor();
// workArea: the primary work area; else the whole screen from (0, 0).
void GetScreenWorkArea(bool workArea, RECT& r);
// The monitor nearest to wnd (its work area or whole rectangle); r stays as it
// is when the monitor cannot be read. One monitor: GetScreenWorkArea.
void GetMonitorWorkArea(HWND wnd, bool workArea, RECT& r);

// The monitor and layered-window calls of the window layer.
TskPlatformEntries WindowLayerPlatformEntries();

} // namespace tovrel
