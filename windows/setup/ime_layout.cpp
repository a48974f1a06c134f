#include "setup/ime_layout.h"

#include "setup/registry.h"
#include "setup/user_languages.h"

#include <imm.h>

#include <algorithm>
#include <cwchar>
#include <utility>

namespace revaze::setup {
namespace {

constexpr const wchar_t* kLayouts = L"SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts";
constexpr const wchar_t* kPreload = L"Keyboard Layout\\Preload";
constexpr const wchar_t* kSubstitutes = L"Keyboard Layout\\Substitutes";

std::wstring layoutId(DWORD value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%08X", static_cast<unsigned>(value));
    return text;
}

DWORD layoutValue(const std::wstring& id) {
    return static_cast<DWORD>(std::wcstoul(id.c_str(), nullptr, 16));
}

std::wstring languageProfile(const std::wstring& id) {
    return id.substr(4) + L":" + id;
}

// IMM32 takes the language from the file's version resource; Wine takes the user's language
// instead. A layout that came out under another language moves to the first free identifier of
// the right one, values and all.
std::wstring moveToLanguage(const std::wstring& id, LANGID language, std::wstring& error) {
    DWORD value = layoutValue(id);
    if (LOWORD(value) == language) {
        return id;
    }
    RegKey layouts;
    if (!layouts.open(HKEY_LOCAL_MACHINE, kLayouts, KEY_ALL_ACCESS)) {
        error = L"cannot open the keyboard layouts";
        return {};
    }
    for (DWORD slot = 1; slot < 0x1000; ++slot) {
        std::wstring target = layoutId(0xE0000000u | (slot << 16) | language);
        HKEY handle = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExW(layouts.get(), target.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &handle, &disposition) != ERROR_SUCCESS) {
            continue;
        }
        RegKey created(handle);
        if (disposition != REG_CREATED_NEW_KEY) {
            continue; // another layout has it
        }
        if (RegCopyTreeW(layouts.get(), id.c_str(), created.get()) != ERROR_SUCCESS) {
            created = RegKey();
            RegDeleteKeyW(layouts.get(), target.c_str());
            error = L"cannot copy the layout to " + target;
            return {};
        }
        RegDeleteTreeW(layouts.get(), id.c_str());
        UnloadKeyboardLayout(reinterpret_cast<HKL>(static_cast<ULONG_PTR>(value)));
        return target;
    }
    error = L"no free layout identifier";
    return {};
}

// Rewrites the user's preload list without the entries that name `ids` (directly or through a
// substitute), numbered again from 1: Windows stops reading the list at the first gap.
void removeFromPreload(const std::vector<std::wstring>& ids) {
    std::vector<std::wstring> substituted;
    RegKey substitutes;
    if (substitutes.open(HKEY_CURRENT_USER, kSubstitutes, KEY_ALL_ACCESS)) {
        std::vector<std::wstring> names;
        wchar_t name[64];
        for (DWORD i = 0;; ++i) {
            DWORD length = 64;
            if (RegEnumValueW(substitutes.get(), i, name, &length, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                break;
            }
            names.emplace_back(name, length);
        }
        for (const std::wstring& n : names) {
            std::wstring target = substitutes.string(n.c_str());
            if (std::any_of(ids.begin(), ids.end(),
                            [&](const std::wstring& id) { return sameName(id, target); })) {
                RegDeleteValueW(substitutes.get(), n.c_str());
                substituted.push_back(n);
            }
        }
    }
    RegKey preload;
    if (!preload.open(HKEY_CURRENT_USER, kPreload, KEY_ALL_ACCESS)) {
        return;
    }
    std::vector<std::wstring> kept;
    bool changed = false;
    int count = 0;
    for (int i = 1;; ++i) {
        std::wstring entry = preload.string(std::to_wstring(i).c_str());
        if (entry.empty()) {
            break;
        }
        count = i;
        auto names = [&](const std::wstring& id) { return sameName(id, entry); };
        if (std::any_of(ids.begin(), ids.end(), names) ||
            std::any_of(substituted.begin(), substituted.end(), names)) {
            changed = true;
        } else {
            kept.push_back(entry);
        }
    }
    if (!changed) {
        return;
    }
    for (int i = 1; i <= count; ++i) {
        RegDeleteValueW(preload.get(), std::to_wstring(i).c_str());
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const std::wstring& entry = kept[i];
        RegSetValueExW(preload.get(), std::to_wstring(i + 1).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(entry.c_str()),
                       DWORD((entry.size() + 1) * sizeof(wchar_t)));
    }
}

} // namespace

std::vector<std::wstring> findImeLayouts(const std::wstring& imeFileName) {
    std::vector<std::wstring> found;
    RegKey layouts;
    if (!layouts.open(HKEY_LOCAL_MACHINE, kLayouts, KEY_READ)) {
        return found;
    }
    for (const std::wstring& id : layouts.subkeys()) {
        RegKey layout;
        if (layout.open(layouts.get(), id, KEY_READ) &&
            sameName(fileName(layout.string(L"Ime File")), imeFileName)) {
            found.push_back(id);
        }
    }
    return found;
}

std::wstring installImeLayout(const std::wstring& imePath, const std::wstring& text,
                              LANGID language, std::wstring& error) {
    std::vector<std::wstring> existing = findImeLayouts(fileName(imePath));
    std::wstring id;
    if (!existing.empty()) {
        id = existing.front();
    } else {
        HKL hkl = ImmInstallIMEW(imePath.c_str(), text.c_str());
        if (hkl == nullptr) {
            error = L"ImmInstallIMEW failed with error " + std::to_wstring(GetLastError());
            return {};
        }
        id = layoutId(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(hkl)));
    }
    id = moveToLanguage(id, language, error);
    if (!id.empty()) {
        addToUserLanguages(languageProfile(id));
    }
    return id;
}

int removeImeLayouts(const std::wstring& imeFileName) {
    std::vector<std::wstring> ids = findImeLayouts(imeFileName);
    if (ids.empty()) {
        return 0;
    }
    removeFromPreload(ids);
    RegKey layouts;
    layouts.open(HKEY_LOCAL_MACHINE, kLayouts, KEY_ALL_ACCESS);
    for (const std::wstring& id : ids) {
        removeFromUserLanguages(languageProfile(id));
        UnloadKeyboardLayout(reinterpret_cast<HKL>(static_cast<ULONG_PTR>(layoutValue(id))));
        RegDeleteTreeW(layouts.get(), id.c_str());
    }
    return static_cast<int>(ids.size());
}

} // namespace revaze::setup
