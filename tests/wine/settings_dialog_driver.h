// Drives the settings window as a user does; shared by the harnesses that open it (ImeConfigure
// in settings_harness, ITfFnConfigure::Show in the text service's harness).
#pragma once

#include "tests/wine/harness.h"

#include <cwchar>
#include <functional>
#include <string>

#include "resources/settings_dialog.h"

namespace harness {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Revaze";

inline std::wstring storedText(HKEY root, const wchar_t* name) {
    wchar_t data[64] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(root, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS) {
        return L"(none)";
    }
    return data;
}

inline DWORD dwordValue(HKEY root, const wchar_t* name) {
    DWORD data = 0xFFFFFFFF;
    DWORD size = sizeof data;
    RegGetValueW(root, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &data, &size);
    return data;
}

inline HWND findDialog() {
    return FindWindowW(L"#32770", L"Revaze settings");
}

inline int countDialogs() {
    int count = 0;
    for (HWND w = findDialog(); w != nullptr; w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        wchar_t title[64] = {};
        GetWindowTextW(w, title, 64);
        count += std::wcscmp(title, L"Revaze settings") == 0 ? 1 : 0;
    }
    return count;
}

inline void choose(HWND dialog, int combo, int index) {
    SendDlgItemMessageW(dialog, combo, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 LPARAM(GetDlgItem(dialog, combo)));
}

struct DialogDriver {
    std::wstring artifacts;
    // Asks for the window once more while it is open: nothing new may open.
    std::function<void()> askAgain;
    const char* how;     // "ImeConfigure (IME_CONFIG_GENERAL)", ...
    const wchar_t* shot; // the screenshot's file name
};

// Works the settings window the way a user does, from another thread while the call that opened
// it holds it in its modal loop: Dzongkha, Caps Lock as English, no Shift tap, then OK.
inline DWORD WINAPI driveSettingsDialog(void* parameter) {
    const auto* op = static_cast<DialogDriver*>(parameter);
    HWND dialog = nullptr;
    for (int i = 0; i < 100 && (dialog == nullptr || !IsWindowVisible(dialog)); ++i) {
        Sleep(100);
        dialog = findDialog();
    }
    Sleep(300); // the modal loop has started: the window is the user's now
    if (!check(dialog != nullptr, "%s opens the settings window", op->how)) {
        return 0;
    }
    HWND apply = GetDlgItem(dialog, IDC_APPLY);
    check(!IsWindowEnabled(apply) &&
              SendDlgItemMessageW(dialog, IDC_START_LAYOUT, CB_GETCOUNT, 0, 0) >= 8 &&
              IsDlgButtonChecked(dialog, IDC_SHIFT_TOGGLES) == BST_CHECKED,
          "it shows every layout and the defaults, with Apply disabled");
    choose(dialog, IDC_START_LAYOUT, 3); // Dzongkha, in the layout menu's order
    choose(dialog, IDC_CAPS_LOCK, 2);    // English
    SendDlgItemMessageW(dialog, IDC_SHIFT_TOGGLES, BM_CLICK, 0, 0);
    check(IsWindowEnabled(apply) != FALSE, "a change enables Apply");
    op->askAgain();
    check(countDialogs() == 1, "asked again while it is open, no second window opens");
    Sleep(300);
    RECT area{};
    GetWindowRect(dialog, &area);
    check(saveScreenBmp(op->artifacts + L"\\" + op->shot, area),
          "screenshot of the settings window saved");
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    return 0;
}

// What the driver's choices leave in the user's key.
inline void CheckSettingsWritten() {
    check(storedText(HKEY_CURRENT_USER, L"StartLayout") == L"Dzongkha" &&
              storedText(HKEY_CURRENT_USER, L"CapsLock") == L"English" &&
              dwordValue(HKEY_CURRENT_USER, L"ShiftToggles") == 0,
          "OK wrote StartLayout=Dzongkha, CapsLock=English, ShiftToggles=0");
    check(storedText(HKEY_CURRENT_USER, L"StartMode") == L"(none)" &&
              dwordValue(HKEY_CURRENT_USER, L"RememberLayout") == 0xFFFFFFFF,
          "the settings left alone were not written");
}

} // namespace harness
