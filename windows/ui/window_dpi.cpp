#include "ui/window_dpi.h"

#include "platform/system_function.h"
#include "ui/dpi_scale.h"

namespace revaze {

namespace {

// The newer functions are looked up by name: Windows 7 has neither, Windows 8.1 the second.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI

GetDpiForWindowFn getDpiForWindow() {
    static const auto function =
        SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    return function;
}

GetDpiForMonitorFn getDpiForMonitor() {
    static const auto function =
        SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    return function;
}

int monitorDpi(HMONITOR monitor) {
    UINT x = 0;
    UINT y = 0;
    if (GetDpiForMonitorFn function = getDpiForMonitor();
        function != nullptr && monitor != nullptr &&
        SUCCEEDED(function(monitor, kEffectiveDpi, &x, &y))) {
        return static_cast<int>(y);
    }
    return 0;
}

int deviceDpi(HWND window) {
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        return 0;
    }
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi;
}

} // namespace

int DpiOfWindow(HWND window) {
    if (GetDpiForWindowFn function = getDpiForWindow(); function != nullptr && window != nullptr) {
        if (const UINT dpi = function(window); dpi != 0) {
            return usableDpi(static_cast<int>(dpi));
        }
    }
    if (const int dpi = monitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST))) {
        return usableDpi(dpi);
    }
    return usableDpi(deviceDpi(window));
}

int DpiAtPoint(POINT point) {
    if (const int dpi = monitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST))) {
        return usableDpi(dpi);
    }
    return usableDpi(deviceDpi(nullptr));
}

} // namespace revaze
