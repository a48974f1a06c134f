// RevazeSetupHelper.exe: the calls of the installer that must be made from a process of the
// system's own bitness (a 32-bit installer cannot install a 64-bit input method's layout).
//
//   RevazeSetupHelper install-ime PATH LAYOUT-TEXT   keyboard layout of the IME at PATH
//   RevazeSetupHelper remove-ime FILE-NAME           every layout of that IME, and the user's lists
//   RevazeSetupHelper enable-tip DLL-NAME            the text service's profiles, for the user
//   RevazeSetupHelper forget-tip DLL-NAME            the user's traces, before unregistering
//
// Prints one line saying what it did; exits 0 on success, 1 on failure, 2 for bad arguments.
#include "setup/ime_layout.h"
#include "setup/text_service.h"

#include <cstdio>
#include <string>

namespace {

using namespace revaze::setup;

constexpr LANGID kTibetan = 0x0451;

int fail(const std::wstring& message) {
    std::fwprintf(stderr, L"RevazeSetupHelper: %ls\n", message.c_str());
    return 1;
}

int run(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"install-ime" && argc == 4) {
        std::wstring error;
        std::wstring id = installImeLayout(argv[2], argv[3], kTibetan, error);
        if (id.empty()) {
            return fail(error);
        }
        std::wprintf(L"keyboard layout %ls loads %ls\n", id.c_str(), argv[2]);
        return 0;
    }
    if (command == L"remove-ime" && argc == 3) {
        std::wprintf(L"%d keyboard layout(s) of %ls removed\n", removeImeLayouts(argv[2]), argv[2]);
        return 0;
    }
    if (command == L"enable-tip" && argc == 3) {
        std::vector<TipProfile> profiles = findTipProfiles(argv[2]);
        if (profiles.empty()) {
            return fail(std::wstring(L"no text service profile of ") + argv[2] + L" is registered");
        }
        std::wstring error;
        int enabled = enableTipProfiles(profiles, error);
        if (enabled != static_cast<int>(profiles.size())) {
            return fail(error);
        }
        std::wprintf(L"%d text service profile(s) of %ls enabled\n", enabled, argv[2]);
        return 0;
    }
    if (command == L"forget-tip" && argc == 3) {
        std::vector<TipProfile> profiles = findTipProfiles(argv[2]);
        forgetTipProfiles(profiles);
        std::wprintf(L"%d text service profile(s) of %ls forgotten\n", int(profiles.size()),
                     argv[2]);
        return 0;
    }
    std::fwprintf(stderr, L"usage: RevazeSetupHelper install-ime PATH TEXT | remove-ime NAME | "
                          L"enable-tip NAME | forget-tip NAME\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return run(argc, argv);
    } catch (...) {
        return fail(L"out of memory");
    }
}
