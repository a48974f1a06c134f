// The settings as a user stores them: written with `reg add` (or by Revaze itself), read by the
// next process that types through Revaze.ime into an EDIT control. Each typing run is a process
// of its own, as a newly started application is.
//
//     settings_harness.exe <Revaze.ime> <artifacts folder>
//     settings_harness.exe <Revaze.ime> <artifacts folder> --type SCRIPT [LAYOUT-ID]
#include "tests/wine/edit_typing.h"
#include "tests/wine/settings_dialog_driver.h"

#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <cwchar>

using namespace harness;

namespace {

constexpr const wchar_t* kKey = kSettingsKey;
// "kag Enter" in three layouts.
constexpr wchar_t kScript[] = L"kag\r";
const std::wstring kWylie = L"\u0F40\u0F42";
const std::wstring kDzongkha = L"\u0F58\u0F4F\u0F54";
const std::wstring kMonlam = L"\u0F40\u0F92";

// The child: a fresh application typing SCRIPT (after choosing a layout from the status
// window's menu when one is given) and printing what its EDIT control holds.
int typeAsNewProcess(const wchar_t* imePath, const wchar_t* script, int layout) {
    HKL hkl = nullptr;
    if (!installAndActivate(imePath, hkl)) {
        return 1;
    }
    const EditWindow w = openEditWindow(L"RevazeSettingsHarness", L"Revaze settings");
    if (layout != 0) {
        SendMessageW(findThreadWindow(L"UISTAT"), WM_COMMAND, WPARAM(layout), 0);
    }
    char keys[64] = {};
    std::snprintf(keys, sizeof keys, "%ls", script);
    typeText(keys);
    std::printf("TYPED %s\n", hex(editText(w.edit)).c_str());
    DestroyWindow(w.main);
    pump(100);
    uninstallIme(hkl);
    return 0;
}

void reg(const wchar_t* arguments) {
    runCapturing(std::wstring(L"reg.exe ") + arguments);
}

// What a new process types, as the hex of its EDIT control's text.
std::string typed(const wchar_t* self, const wchar_t* ime, int layout = 0) {
    wchar_t commandLine[1024];
    std::swprintf(commandLine, 1024, L"\"%ls\" \"%ls\" . --type \"%ls\" %d", self, ime, kScript,
                  layout);
    return typedLine(runCapturing(commandLine));
}

// The access-allowed entries of a key's DACL, as "SID mask flags" lines.
std::vector<std::string> allowedEntries(HKEY root, const wchar_t* path) {
    std::vector<std::string> entries;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, READ_CONTROL, &key) != ERROR_SUCCESS) {
        return entries;
    }
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                        nullptr, &descriptor) == ERROR_SUCCESS &&
        dacl != nullptr) {
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            if (!GetAce(dacl, i, &ace)) {
                continue;
            }
            auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            wchar_t* sid = nullptr;
            ConvertSidToStringSidW(&allowed->SidStart, &sid);
            char line[160];
            std::snprintf(line, sizeof line, "type %d %ls mask %08lx", allowed->Header.AceType,
                          sid != nullptr ? sid : L"?", static_cast<unsigned long>(allowed->Mask));
            entries.push_back(line);
            LocalFree(sid);
        }
    }
    LocalFree(descriptor);
    RegCloseKey(key);
    return entries;
}

// The key Revaze made holds what a key made by anyone else inherits, and the two read grants.
void checkPackageGrants() {
    HKEY probe = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\RevazeProbe", 0, nullptr, 0, KEY_READ, nullptr,
                    &probe, nullptr);
    RegCloseKey(probe);
    std::vector<std::string> expected = allowedEntries(HKEY_CURRENT_USER, L"Software\\RevazeProbe");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\RevazeProbe");
    char grant[96];
    for (const char* sid : {"S-1-15-2-1", "S-1-15-2-2"}) {
        std::snprintf(grant, sizeof grant, "type 0 %s mask %08lx", sid,
                      static_cast<unsigned long>(KEY_READ));
        expected.push_back(grant);
    }
    std::vector<std::string> actual = allowedEntries(HKEY_CURRENT_USER, kKey);
    std::vector<std::string> missing = expected;
    std::vector<std::string> extra;
    for (const std::string& entry : actual) {
        auto found = std::find(missing.begin(), missing.end(), entry);
        if (found != missing.end()) {
            missing.erase(found);
        } else {
            extra.push_back(entry);
        }
    }
    for (const std::string& entry : actual) {
        std::printf("    %s\n", entry.c_str());
    }
    check(missing.empty() && extra.empty(),
          "the key Revaze made grants exactly what its parent hands down and read to both "
          "package groups (%zu entries, %zu missing, %zu more)",
          actual.size(), missing.size(), extra.size());
}

void checkDialog(const wchar_t* ime, const wchar_t* artifacts) {
    HKL hkl = nullptr;
    if (!installAndActivate(ime, hkl)) {
        return;
    }
    DialogDriver driver{artifacts,
                        [hkl] { ImmConfigureIMEW(hkl, nullptr, IME_CONFIG_GENERAL, nullptr); },
                        "ImeConfigure (IME_CONFIG_GENERAL)", L"settings_dialog.bmp"};
    HANDLE thread = CreateThread(nullptr, 0, driveSettingsDialog, &driver, 0, nullptr);
    ImmConfigureIMEW(hkl, nullptr, IME_CONFIG_GENERAL, nullptr);
    WaitForSingleObject(thread, 20000);
    CloseHandle(thread);
    CheckSettingsWritten();
    uninstallIme(hkl);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc >= 5 && std::wcscmp(argv[3], L"--type") == 0) {
        return typeAsNewProcess(argv[1], argv[4], argc >= 6 ? _wtoi(argv[5]) : 0);
    }
    if (argc < 3) {
        std::printf("usage: settings_harness <Revaze.ime> <artifacts folder>\n");
        return 2;
    }
    std::printf("settings_harness (%d-bit)\n", int(sizeof(void*) * 8));
    if (sizeof(void*) == 8) {
        SetEnvironmentVariableW(L"REVAZE_IME_GENMSG", L"1"); // see ime_typing_harness
    }
    const wchar_t* self = argv[0];
    const wchar_t* ime = argv[1];
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);

    checkDialog(ime, argv[2]);
    checkPackageGrants();
    check(typed(self, ime) == hex(kDzongkha), "a new process starts as the window chose");
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);

    check(typed(self, ime) == hex(kWylie), "with nothing stored a new process types Wylie");

    reg(L"add HKCU\\Software\\Revaze /v StartLayout /t REG_SZ /d Dzongkha /f");
    check(typed(self, ime) == hex(kDzongkha),
          "with StartLayout=Dzongkha (reg add) a new process types Dzongkha");
    reg(L"add HKCU\\Software\\Revaze /v StartLayout /t REG_DWORD /d 20 /f");
    check(typed(self, ime) == hex(kWylie), "a StartLayout of the wrong type is ignored");

    // An administrator's RememberLayout, and no key of the user's yet: Revaze makes it.
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    reg(L"add HKLM\\Software\\Revaze /v RememberLayout /t REG_DWORD /d 1 /f");
    check(typed(self, ime, 60) == hex(kMonlam), "a process that chooses Monlam types Monlam");
    check(storedText(HKEY_CURRENT_USER, L"StartLayout") == L"Monlam",
          "RememberLayout=1 stored the chosen layout as the user's StartLayout");
    check(typed(self, ime) == hex(kMonlam), "the next process starts in Monlam");
    checkPackageGrants();

    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
    return finish("settings_harness");
}
