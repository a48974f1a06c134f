// Small registry helpers of the setup helper: an owned key and the reads it needs.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace revaze::setup {

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

private:
    void reset() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
            key_ = nullptr;
        }
    }

    HKEY key_ = nullptr;
};

// The last part of a path: "C:\Windows\System32\Revaze.ime" gives "Revaze.ime".
inline std::wstring fileName(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

inline bool sameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace revaze::setup
