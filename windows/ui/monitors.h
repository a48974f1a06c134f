// The desktop's monitors as placement.h takes them, and what the windows do with them: open on
// the monitor the user types on, come back when their monitor goes away (Windows only).
#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "ui/placement.h"

namespace revaze {

inline ScreenRect toScreenRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Every monitor with its work area, the primary first. Never empty: should the enumeration
// answer nothing, the primary screen and SPI_GETWORKAREA.
std::vector<MonitorArea> DesktopMonitors();

// The window the user types in: this thread's focus window, else the foreground window; null
// when there is none.
HWND FocusWindow();

// The monitor of the focus window; the primary without one.
const MonitorArea& FocusMonitor(std::span<const MonitorArea> monitors);

// Where a window of `width` x `height` opens on `monitor`.
using HomePlace = ScreenPoint (*)(const MonitorArea& monitor, int width, int height);

// Moves `window` to its home on the focus window's monitor when most of it is on another one.
void OpenOnFocusMonitor(HWND window, HomePlace home);

// Moves `window` back into a work area when part of it is on no monitor (WM_DISPLAYCHANGE: a
// monitor went away or changed its resolution).
void BringBackOnScreen(HWND window);

} // namespace revaze
