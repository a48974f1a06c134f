// The DPI a window is drawn at, on every Windows the input method runs on (Windows only).
#pragma once

#include <windows.h>

namespace revaze {

// The DPI of `window`: GetDpiForWindow (Windows 10 1607 and later), else GetDpiForMonitor of
// its monitor (Windows 8.1), else the LOGPIXELSY of its device context. Each answers for the
// DPI awareness of the window's thread: 96 in an application that is not DPI-aware, whose
// windows Windows itself enlarges. Never less than 48 (0 and failures give 96).
int DpiOfWindow(HWND window);

// The same for a window about to be created at `point` (screen).
int DpiAtPoint(POINT point);

} // namespace revaze
