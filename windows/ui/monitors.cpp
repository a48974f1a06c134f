#include "ui/monitors.h"

namespace revaze {

namespace {

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& monitors = *reinterpret_cast<std::vector<MonitorArea>*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const MonitorArea area{toScreenRect(info.rcMonitor), toScreenRect(info.rcWork)};
        if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
            monitors.insert(monitors.begin(), area);
        } else {
            monitors.push_back(area);
        }
    }
    return TRUE;
}

ScreenRect windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return toScreenRect(r);
}

void moveCorner(HWND window, ScreenPoint corner) {
    SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

std::vector<MonitorArea> DesktopMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        MonitorArea primary{{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                            {}};
        RECT work{};
        primary.work = SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) ? toScreenRect(work)
                                                                           : primary.monitor;
        monitors.push_back(primary);
    }
    return monitors;
}

HWND FocusWindow() {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread)) {
        if (thread.hwndFocus != nullptr) {
            return thread.hwndFocus;
        }
        if (thread.hwndActive != nullptr) {
            return thread.hwndActive;
        }
    }
    return GetForegroundWindow();
}

const MonitorArea& FocusMonitor(std::span<const MonitorArea> monitors) {
    HWND focus = FocusWindow();
    const int index = focus != nullptr ? MonitorHolding(monitors, windowRect(focus)) : -1;
    return monitors[index >= 0 ? index : 0];
}

void OpenOnFocusMonitor(HWND window, HomePlace home) {
    if (!IsWindow(window)) {
        return;
    }
    const std::vector<MonitorArea> monitors = DesktopMonitors();
    const MonitorArea& focus = FocusMonitor(monitors);
    const ScreenRect r = windowRect(window);
    if (&monitors[MonitorHolding(monitors, r)] != &focus) {
        moveCorner(window, home(focus, r.width(), r.height()));
    }
}

void BringBackOnScreen(HWND window) {
    if (!IsWindow(window)) {
        return;
    }
    const ScreenRect r = windowRect(window);
    const ScreenPoint corner = BackOnScreen(DesktopMonitors(), r);
    if (corner.x != r.left || corner.y != r.top) {
        moveCorner(window, corner);
    }
}

} // namespace revaze
