#include "setup/user_languages.h"

#include <windows.h>

namespace revaze::setup {
namespace {

// From the input.dll documentation: remove the profile instead of adding it.
constexpr DWORD kUninstall = 0x00000001;

using InstallLayoutOrTipFn = BOOL(WINAPI*)(LPCWSTR, DWORD);

bool callInstallLayoutOrTip(const std::wstring& profile, DWORD flags) {
    HMODULE input = LoadLibraryExW(L"input.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (input == nullptr) {
        return false;
    }
    auto install =
        reinterpret_cast<InstallLayoutOrTipFn>(GetProcAddress(input, "InstallLayoutOrTip"));
    bool done = install != nullptr && install(profile.c_str(), flags) != FALSE;
    FreeLibrary(input);
    return done;
}

} // namespace

bool addToUserLanguages(const std::wstring& profile) {
    return callInstallLayoutOrTip(profile, 0);
}

bool removeFromUserLanguages(const std::wstring& profile) {
    return callInstallLayoutOrTip(profile, kUninstall);
}

} // namespace revaze::setup
