#include "ui/settings_dialog.h"

#include <string>

#include "platform/guarded.h"
#include "platform/registry_settings.h"
#include "resources/settings_dialog.h"

namespace revaze {

namespace {

constexpr InputMode kModes[] = {InputMode::Tibetan, InputMode::English};
constexpr const wchar_t* kModeTexts[] = {L"Tibetan", L"English"};
constexpr CapsLockPolicy kCapsPolicies[] = {CapsLockPolicy::Letters, CapsLockPolicy::Ignore,
                                            CapsLockPolicy::English};
constexpr const wchar_t* kCapsTexts[] = {L"Gives capital letters", L"Is ignored in Tibetan mode",
                                         L"Switches to English while it is on"};

// The open window of the process, if any.
HWND g_open = nullptr;
LONG g_opening = 0;

// What the window was opened with (or last applied) and is showing now.
struct DialogState {
    Settings shown;
};

template <typename T, std::size_t N> int indexOf(const T (&values)[N], T value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (values[i] == value) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

int selection(HWND dialog, int control) {
    const auto index = static_cast<int>(SendDlgItemMessageW(dialog, control, CB_GETCURSEL, 0, 0));
    return index < 0 ? 0 : index;
}

void fill(HWND dialog, int control, const wchar_t* const* texts, std::size_t count, int chosen) {
    for (std::size_t i = 0; i < count; ++i) {
        SendDlgItemMessageW(dialog, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
    }
    SendDlgItemMessageW(dialog, control, CB_SETCURSEL, WPARAM(chosen), 0);
}

void showSettings(HWND dialog, const Settings& s) {
    const LayoutId start = s.startLayout.value_or(LayoutId::Wylie);
    int row = 0;
    for (const Layout& layout : allLayouts()) {
        // The layout menu's own text: English, Chinese and Tibetan names.
        const std::wstring text(layout.menuText);
        SendDlgItemMessageW(dialog, IDC_START_LAYOUT, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text.c_str()));
        if (layout.id == start) {
            SendDlgItemMessageW(dialog, IDC_START_LAYOUT, CB_SETCURSEL, WPARAM(row), 0);
        }
        ++row;
    }
    CheckDlgButton(dialog, IDC_REMEMBER_LAYOUT, s.rememberLayout ? BST_CHECKED : BST_UNCHECKED);
    fill(dialog, IDC_START_MODE, kModeTexts, std::size(kModeTexts), indexOf(kModes, s.startMode));
    fill(dialog, IDC_CAPS_LOCK, kCapsTexts, std::size(kCapsTexts),
         indexOf(kCapsPolicies, s.capsLock));
    CheckDlgButton(dialog, IDC_SHIFT_TOGGLES, s.shiftToggles ? BST_CHECKED : BST_UNCHECKED);
}

// The settings the controls show. An unset start layout stays unset until another is chosen, so
// that a profile's own layout (Dzongkha's) still counts.
Settings chosenSettings(HWND dialog, const Settings& shown) {
    Settings s = shown;
    const auto layouts = allLayouts();
    const LayoutId layout = layouts[std::size_t(selection(dialog, IDC_START_LAYOUT))].id;
    if (shown.startLayout || layout != LayoutId::Wylie) {
        s.startLayout = layout;
    }
    s.rememberLayout = IsDlgButtonChecked(dialog, IDC_REMEMBER_LAYOUT) == BST_CHECKED;
    s.startMode = kModes[selection(dialog, IDC_START_MODE) % std::size(kModes)];
    s.capsLock = kCapsPolicies[selection(dialog, IDC_CAPS_LOCK) % std::size(kCapsPolicies)];
    s.shiftToggles = IsDlgButtonChecked(dialog, IDC_SHIFT_TOGGLES) == BST_CHECKED;
    return s;
}

void apply(HWND dialog, DialogState& state) {
    const Settings chosen = chosenSettings(dialog, state.shown);
    RegistrySettings user(HKEY_CURRENT_USER);
    if (SaveChangedSettings(state.shown, chosen, user)) {
        state.shown = chosen;
    }
    EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
}

bool command(HWND dialog, DialogState& state, int id, int notification) {
    switch (id) {
    case IDOK:
        apply(dialog, state);
        EndDialog(dialog, IDOK);
        return true;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return true;
    case IDC_APPLY:
        apply(dialog, state);
        return true;
    case IDC_START_LAYOUT:
    case IDC_START_MODE:
    case IDC_CAPS_LOCK:
        if (notification != CBN_SELCHANGE) {
            return false;
        }
        [[fallthrough]];
    case IDC_REMEMBER_LAYOUT:
    case IDC_SHIFT_TOGGLES:
        EnableWindow(GetDlgItem(dialog, IDC_APPLY),
                     !(chosenSettings(dialog, state.shown) == state.shown));
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return guarded(INT_PTR{FALSE}, [&]() -> INT_PTR {
        auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (message == WM_INITDIALOG) {
            state = reinterpret_cast<DialogState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            g_open = dialog;
            showSettings(dialog, state->shown);
            EnableWindow(GetDlgItem(dialog, IDC_APPLY), FALSE);
            return TRUE;
        }
        if (message == WM_COMMAND && state != nullptr) {
            return command(dialog, *state, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        }
        return FALSE;
    });
}

} // namespace

bool ShowSettingsDialog(HINSTANCE instance, HWND owner) {
    if (InterlockedCompareExchange(&g_opening, 1, 0) != 0) {
        // Open already (perhaps on another thread): bring it forward.
        if (HWND open = g_open; open != nullptr && IsWindow(open)) {
            SetForegroundWindow(open);
        }
        return false;
    }
    DialogState state{ReadStoredSettings()};
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SETTINGS), owner, dialogProc,
                    reinterpret_cast<LPARAM>(&state));
    g_open = nullptr;
    InterlockedExchange(&g_opening, 0);
    return true;
}

} // namespace revaze
