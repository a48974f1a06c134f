// Small helpers of the setup helper: names of files, and the owned registry key it reads with.
#pragma once

#include <windows.h>

#include <string>

#include "platform/registry_key.h"

namespace revaze::setup {

// The last part of a path: "C:\Windows\System32\Revaze.ime" gives "Revaze.ime".
inline std::wstring fileName(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

inline bool sameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace revaze::setup
