// A host that sends WM_NCCREATE to a window that exists already, with no CREATESTRUCTW behind
// lParam: null, a zeroed buffer, a buffer of random bytes; sent, and called straight through
// the window's procedure. The window must take it like any message it does not know: the host
// lives on, and the window keeps its object (its GWLP_USERDATA) and keeps working.
#pragma once

#include "tests/wine/harness.h"

#include <cstdint>

namespace harness {

// A buffer that holds no CREATESTRUCTW: all zeros, or random bytes (a fixed seed, so that a
// failure repeats).
struct HostileBuffer {
    alignas(16) unsigned char bytes[256];

    explicit HostileBuffer(bool random) {
        std::uint32_t state = 0x2545F491u;
        for (unsigned char& byte : bytes) {
            state = state * 1664525u + 1013904223u;
            byte = random ? static_cast<unsigned char>(state >> 24) : 0;
        }
    }
    LPARAM lParam() { return reinterpret_cast<LPARAM>(bytes); }
};

// Sends WM_NCCREATE six ways to `window`; `name` says which window in the check's line.
inline void checkLateCreate(HWND window, const char* name) {
    if (!check(IsWindow(window) != FALSE, "late WM_NCCREATE: the %s window exists", name)) {
        return;
    }
    const LONG_PTR object = GetWindowLongPtrW(window, GWLP_USERDATA);
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    HostileBuffer zeroed(false);
    HostileBuffer random(true);
    const struct {
        const char* what;
        LPARAM lParam;
    } cases[] = {
        {"null", 0}, {"zeroed buffer", zeroed.lParam()}, {"random buffer", random.lParam()}};
    int survived = 0;
    for (const auto& c : cases) {
        SendMessageW(window, WM_NCCREATE, 0, c.lParam);
        CallWindowProcW(procedure, window, WM_NCCREATE, 0, c.lParam);
        if (IsWindow(window) && GetWindowLongPtrW(window, GWLP_USERDATA) == object) {
            ++survived;
        } else {
            std::printf("    the %s window changed after the %s case\n", name, c.what);
        }
    }
    check(survived == 3,
          "late WM_NCCREATE (null, zeroed and random lParam; sent and called) leaves the %s "
          "window as it was",
          name);
}

} // namespace harness
