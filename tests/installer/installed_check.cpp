// Checks what RevazeSetup.exe installed, from a process of one bitness: the keyboard layout of
// Revaze.ime (Tibetan, loading the file of this process's system directory), the file's version,
// the dictionary beside it, typing through the layout into an EDIT control, and, with --tip, the
// text service's file version and enabled profile.
//
//     installed_check.exe VERSION [--tip] [--hold SECONDS [--lock FILE]]
//
// Prints one PASS/FAIL line per check; exits 0 when all pass. With --hold it keeps Revaze.ime
// loaded (with --tip RevazeTip.dll too) for SECONDS after typing (announced by a line "holding
// Revaze.ime"), as a running application would while Revaze is removed or upgraded, then types
// again; --lock keeps a file of the system directory open without delete sharing meanwhile.
#include "tests/wine/edit_typing.h"

#include <msctf.h>
#include <objbase.h>

#include <cwchar>
#include <string>

using namespace harness;

namespace {

constexpr LANGID kTibetan = 0x0451;
constexpr LANGID kDzongkha = 0x0C51;
constexpr const wchar_t* kLayouts = L"SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts";

std::wstring systemFile(const wchar_t* name) {
    wchar_t dir[MAX_PATH] = {};
    GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\" + name;
}

std::wstring regString(HKEY key, const wchar_t* name) {
    wchar_t data[MAX_PATH] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return data;
}

std::wstring fileName(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The identifiers of the layouts that load Revaze.ime.
std::vector<std::wstring> revazeLayouts() {
    std::vector<std::wstring> found;
    HKEY layouts = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLayouts, 0, KEY_READ, &layouts) != ERROR_SUCCESS) {
        return found;
    }
    wchar_t name[64];
    for (DWORD i = 0;; ++i) {
        DWORD length = 64;
        if (RegEnumKeyExW(layouts, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        HKEY layout = nullptr;
        if (RegOpenKeyExW(layouts, name, 0, KEY_READ, &layout) == ERROR_SUCCESS) {
            if (lstrcmpiW(fileName(regString(layout, L"Ime File")).c_str(), L"Revaze.ime") == 0) {
                found.emplace_back(name);
            }
            RegCloseKey(layout);
        }
    }
    RegCloseKey(layouts);
    return found;
}

// The FileVersion string and the language of the version block of a file.
bool fileVersion(const std::wstring& path, std::wstring& version, WORD& language) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        return false;
    }
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        return false;
    }
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < 4) {
        return false;
    }
    language = translation[0];
    wchar_t query[64];
    std::swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\FileVersion", translation[0],
                  translation[1]);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&text), &length)) {
        return false;
    }
    version = text;
    return true;
}

void typeKeys(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        INPUT input[2] = {};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wVk = WORD(strokeFor(*p).vk);
            input[i].ki.wScan = WORD(MapVirtualKeyW(input[i].ki.wVk, MAPVK_VK_TO_VSC));
            input[i].ki.dwFlags = i == 0 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(2, input, sizeof(INPUT));
        pump(60);
    }
    pump(300);
}

// Keeps the input methods loaded for `seconds`, as a running application does while Revaze is
// upgraded or removed, then types again: what the application loaded keeps working.
// With `locked`, that system-directory file is also kept open without delete sharing (as a
// scanner might): then it can be neither deleted nor renamed.
void holdAndTypeAgain(HWND edit, int seconds, bool tip, const wchar_t* locked) {
    HMODULE service = tip ? LoadLibraryW(systemFile(L"RevazeTip.dll").c_str()) : nullptr;
    HANDLE lock = locked == nullptr
                      ? INVALID_HANDLE_VALUE
                      : CreateFileW(systemFile(locked).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (locked != nullptr) {
        check(lock != INVALID_HANDLE_VALUE, "%s is held open without delete sharing",
              narrow(locked).c_str());
    }
    std::printf("holding Revaze.ime%s for %d s\n", service ? " and RevazeTip.dll" : "", seconds);
    pump(DWORD(seconds) * 1000);
    // Another application may have come to the front meanwhile.
    SetForegroundWindow(GetAncestor(edit, GA_ROOT));
    SetFocus(edit);
    pump(200);
    SetWindowTextW(edit, L"");
    typeKeys("ka\r");
    wchar_t text[64] = {};
    GetWindowTextW(edit, text, 64);
    check(lstrcmpW(text, L"\u0F40") == 0, "after the hold ka Enter still types U+0F40 (%s)",
          hex(text).c_str());
    if (service != nullptr) {
        FreeLibrary(service);
    }
    if (lock != INVALID_HANDLE_VALUE) {
        CloseHandle(lock);
    }
}

// Activates the installed layout and types into an EDIT control as a user would.
void typeThroughLayout(const std::wstring& id, int holdSeconds, bool tip, const wchar_t* locked) {
    HKL hkl = LoadKeyboardLayoutW(id.c_str(), KLF_ACTIVATE);
    if (hkl == nullptr || GetKeyboardLayout(0) != hkl) {
        hkl = reinterpret_cast<HKL>(static_cast<ULONG_PTR>(std::wcstoul(id.c_str(), nullptr, 16)));
        ActivateKeyboardLayout(hkl, 0);
    }
    pump(300);
    if (!check(GetKeyboardLayout(0) == hkl, "layout %s is the thread's keyboard layout",
               narrow(id).c_str())) {
        return;
    }
    const EditWindow w = openEditWindow(L"RevazeInstalledCheck", L"Revaze installed");
    HWND main = w.main;
    HWND edit = w.edit;

    wchar_t loaded[MAX_PATH] = {};
    HMODULE ime = GetModuleHandleW(L"Revaze.ime");
    if (ime != nullptr) {
        GetModuleFileNameW(ime, loaded, MAX_PATH);
    }
    check(ime != nullptr && lstrcmpiW(loaded, systemFile(L"Revaze.ime").c_str()) == 0,
          "IMM32 loaded Revaze.ime from this process's system directory (%s)",
          narrow(loaded).c_str());
    // IMM32 creates the UI window with the instance of the file it loaded: on Windows on ARM
    // that is the forwarder, for which the input method registers the class as well.
    WNDCLASSEXW ui{};
    ui.cbSize = sizeof ui;
    check(ime != nullptr && GetClassInfoExW(ime, L"UINAME", &ui) != 0,
          "the UI class is registered for the Revaze.ime IMM32 loaded");
    typeKeys("bkra shis\r");
    wchar_t text[256] = {};
    GetWindowTextW(edit, text, 256);
    check(text == kBkraShis, "bkra shis Enter types %s into the edit control", hex(text).c_str());
    if (holdSeconds > 0) {
        holdAndTypeAgain(edit, holdSeconds, tip, locked);
    }
    DestroyWindow(main);
    pump(100);
}

// The text service's profile for `language`, found through the framework, and enabled.
void checkTextServiceFor(ITfInputProcessorProfiles* profiles, LANGID language, const char* name) {
    bool found = false;
    bool enabled = false;
    IEnumTfLanguageProfiles* list = nullptr;
    if (profiles != nullptr && SUCCEEDED(profiles->EnumLanguageProfiles(language, &list))) {
        TF_LANGUAGEPROFILE profile{};
        ULONG fetched = 0;
        while (list->Next(1, &profile, &fetched) == S_OK && fetched == 1) {
            wchar_t clsid[64] = {};
            StringFromGUID2(profile.clsid, clsid, 64);
            HKEY server = nullptr;
            std::wstring path = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
            if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &server) !=
                ERROR_SUCCESS) {
                continue;
            }
            std::wstring dll = regString(server, nullptr);
            RegCloseKey(server);
            // The 32-bit registration may name SysWOW64 itself: the file's name and that it
            // exists are what count.
            if (lstrcmpiW(fileName(dll).c_str(), L"RevazeTip.dll") == 0 &&
                GetFileAttributesW(dll.c_str()) != INVALID_FILE_ATTRIBUTES) {
                found = true;
                BOOL on = FALSE;
                profiles->IsEnabledLanguageProfile(profile.clsid, language, profile.guidProfile,
                                                   &on);
                enabled = enabled || on;
            }
        }
        list->Release();
    }
    check(found, "a %s text service profile is served by an installed RevazeTip.dll", name);
    check(enabled, "the %s profile is enabled for the user", name);
}

// Both profiles: Tibetan's and Dzongkha's.
void checkTextService() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ITfInputProcessorProfiles* profiles = nullptr;
    CoCreateInstance(CLSID_TF_InputProcessorProfiles, nullptr, CLSCTX_INPROC_SERVER,
                     IID_ITfInputProcessorProfiles, reinterpret_cast<void**>(&profiles));
    checkTextServiceFor(profiles, kTibetan, "Tibetan");
    checkTextServiceFor(profiles, kDzongkha, "Dzongkha");
    if (profiles != nullptr) {
        profiles->Release();
    }
    CoUninitialize();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) {
        std::printf("usage: installed_check VERSION [--tip]\n");
        return 2;
    }
    bool tip = false;
    int holdSeconds = 0;
    const wchar_t* locked = nullptr;
    for (int i = 2; i < argc; ++i) {
        if (lstrcmpW(argv[i], L"--tip") == 0) {
            tip = true;
        } else if (lstrcmpW(argv[i], L"--hold") == 0 && i + 1 < argc) {
            holdSeconds = _wtoi(argv[++i]);
        } else if (lstrcmpW(argv[i], L"--lock") == 0 && i + 1 < argc) {
            locked = argv[++i];
        }
    }
    if (sizeof(void*) == 8) {
        // 64-bit Wine 8.0 misreads the message list: the IME delivers through the context.
        SetEnvironmentVariableW(L"REVAZE_IME_GENMSG", L"1");
    }
    std::printf("installed_check (%d-bit)\n", int(sizeof(void*) * 8));

    std::vector<std::wstring> layouts = revazeLayouts();
    check(layouts.size() == 1, "one keyboard layout loads Revaze.ime (%zu)", layouts.size());
    bool tibetan =
        !layouts.empty() && (std::wcstoul(layouts[0].c_str(), nullptr, 16) & 0xFFFF) == kTibetan;
    check(tibetan, "the layout is Tibetan (%s)",
          layouts.empty() ? "none" : narrow(layouts[0]).c_str());

    std::wstring version;
    WORD language = 0;
    bool read = fileVersion(systemFile(L"Revaze.ime"), version, language);
    check(read && version == argv[1] && language == kTibetan,
          "Revaze.ime in the system directory is version %s of language %04x",
          narrow(version).c_str(), language);
    check(GetFileAttributesW(systemFile(L"ZovovUvoz2.dat").c_str()) != INVALID_FILE_ATTRIBUTES,
          "the dictionary is in the system directory");

    if (tip) {
        read = fileVersion(systemFile(L"RevazeTip.dll"), version, language);
        check(read && version == argv[1], "RevazeTip.dll in the system directory is version %s",
              narrow(version).c_str());
    }
    if (!layouts.empty()) {
        typeThroughLayout(layouts[0], holdSeconds, tip, locked);
    }
    if (tip) {
        checkTextService();
    }
    return finish("installed_check");
}
