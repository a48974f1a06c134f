// Typing through Revaze.ime as a user does: the IME installed and made the thread's layout, keys
// sent with SendInput, an EDIT control's text read back.
#pragma once

#include "tests/wine/harness.h"

#include <cwchar>

namespace harness {

inline void sendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = WORD(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

inline void tap(WORD vk) {
    sendKey(vk, false);
    sendKey(vk, true);
    pump(60);
}

// Capitals and the shifted signs with Shift held, as a user types them.
inline void typeText(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        const KeyStroke stroke = strokeFor(*p);
        if (stroke.shift) {
            sendKey(VK_SHIFT, false);
        }
        tap(WORD(stroke.vk));
        if (stroke.shift) {
            sendKey(VK_SHIFT, true);
        }
    }
    pump(300);
}

inline std::wstring editText(HWND edit) {
    wchar_t text[512] = {};
    GetWindowTextW(edit, text, 512);
    return text;
}

inline void clearEdit(HWND edit) {
    SetWindowTextW(edit, L"");
    pump(50);
}

inline bool installAndActivate(const wchar_t* imePath, HKL& hkl) {
    hkl = installIme(imePath);
    if (hkl == nullptr) {
        return false;
    }
    ActivateKeyboardLayout(hkl, 0);
    pump(300);
    return check(GetKeyboardLayout(0) == hkl, "the IME is the thread's keyboard layout");
}

inline LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// An application's window with an EDIT control, focused, its input context opened.
struct EditWindow {
    HWND main = nullptr;
    HWND edit = nullptr;
};

inline EditWindow openEditWindow(const wchar_t* className, const wchar_t* title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    EditWindow w;
    w.main = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, 40, 40, 520, 140, nullptr,
                             nullptr, wc.hInstance, nullptr);
    w.edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 480, 40,
                             w.main, nullptr, wc.hInstance, nullptr);
    ShowWindow(w.main, SW_SHOW);
    SetForegroundWindow(w.main);
    SetFocus(w.edit);
    pump(400);
    if (HIMC himc = ImmGetContext(w.edit)) {
        ImmSetOpenStatus(himc, TRUE);
        ImmReleaseContext(w.edit, himc);
    }
    pump(300);
    return w;
}

} // namespace harness
