// A function of a Windows system DLL that older Windows versions lack, looked up at run time. The
// DLL is taken only from System32 (never from the application's folder or the current one),
// loaded on first use, never while the loader lock is held, and kept for the process.
#pragma once

#include <windows.h>

namespace revaze {

template <typename Function> Function SystemFunction(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (handle == nullptr) {
        handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    // The function pointer types differ from FARPROC only in their signature.
    return handle != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
               : nullptr;
}

} // namespace revaze
