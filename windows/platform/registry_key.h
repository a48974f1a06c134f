// An owned registry key, for the installer's helper and the text service's registration.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace revaze {

// Owns an open registry key and closes it.
class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    ~RegKey() { reset(); }
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Opens `path` under `root`; false when it does not exist or may not be opened.
    bool open(HKEY root, const std::wstring& path, REGSAM access) {
        reset();
        return RegOpenKeyExW(root, path.c_str(), 0, access, &key_) == ERROR_SUCCESS;
    }
    // Creates `path` under `root` (or opens it when it exists) for writing.
    bool create(HKEY root, const std::wstring& path) {
        reset();
        return RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                               nullptr, &key_, nullptr) == ERROR_SUCCESS;
    }
    HKEY get() const { return key_; }

    // The names of the subkeys.
    std::vector<std::wstring> subkeys() const {
        std::vector<std::wstring> names;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            names.emplace_back(name, length);
        }
        return names;
    }

    // A string value, or an empty string when there is none. `name` null reads the default value.
    std::wstring string(const wchar_t* name) const {
        wchar_t data[MAX_PATH * 2] = {};
        DWORD size = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
                ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return {};
        }
        return data;
    }

    // Writes a string value; `name` null writes the default value.
    bool setString(const wchar_t* name, const std::wstring& value) {
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              bytes) == ERROR_SUCCESS;
    }

private:
    void reset() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
            key_ = nullptr;
        }
    }

    HKEY key_ = nullptr;
};

} // namespace revaze
