// A DLL that runs behind a forwarder: on Windows on ARM, System32\RevazeTip.dll and
// System32\Revaze.ime are ARM64X images without code whose exports lead, in a native process, to
// the ARM64 build and, in an emulated x64 process, to the x64 build beside them. What is
// registered (the text service's server, the profile's icon) must name the forwarder, which loads
// in both kinds of process, not the build behind it.
#pragma once

#include <windows.h>

#include <array>
#include <cwchar>
#include <string>

namespace revaze {

// The full path of a loaded module, or nothing.
inline std::wstring ModulePath(HMODULE module) {
    std::array<wchar_t, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) {
        return {};
    }
    return std::wstring(path.data(), length);
}

// The forwarder `name` in the folder of `self`, when the process has it loaded and its export
// `probe` leads to `self`'s own; nullptr when `self` runs on its own (loaded by its own name).
inline HMODULE ForwarderOf(HMODULE self, const wchar_t* name, const char* probe) {
    const std::wstring own = ModulePath(self);
    const auto slash = own.find_last_of(L"\\/");
    if (own.empty() || slash == std::wstring::npos) {
        return nullptr;
    }
    const std::wstring candidate = own.substr(0, slash + 1) + name;
    if (_wcsicmp(candidate.c_str(), own.c_str()) == 0) {
        return nullptr;
    }
    HMODULE forwarder = GetModuleHandleW(candidate.c_str());
    if (forwarder == nullptr || forwarder == self) {
        return nullptr;
    }
    const FARPROC target = GetProcAddress(forwarder, probe);
    return target != nullptr && target == GetProcAddress(self, probe) ? forwarder : nullptr;
}

// The path to register for `self`: its forwarder's when it runs behind one, else its own.
inline std::wstring RegisteredPath(HMODULE self, const wchar_t* forwarder, const char* probe) {
    if (HMODULE front = ForwarderOf(self, forwarder, probe)) {
        return ModulePath(front);
    }
    return ModulePath(self);
}

} // namespace revaze
