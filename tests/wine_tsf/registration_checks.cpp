#include "tests/wine_tsf/registration_checks.h"

#include <windows.h>

#include <msctf.h>
#include <shellapi.h>

#include "tests/wine/harness.h"
#include "tests/wine_tsf/expected_ids.h"
#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"

using harness::check;
using harness::narrow;
using revaze::tsf::ComPtr;

namespace tsfharness {

namespace {

std::wstring tipKey() {
    return std::wstring(L"SOFTWARE\\Microsoft\\CTF\\TIP\\") + kClsidText;
}

std::wstring profileKey() {
    return tipKey() + L"\\LanguageProfile\\0x00000451\\" + kProfileText;
}

bool keyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool readString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring& value) {
    wchar_t buffer[MAX_PATH * 2] = {};
    DWORD bytes = sizeof buffer - sizeof buffer[0];
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    value = buffer;
    return true;
}

bool readDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD& value) {
    DWORD bytes = sizeof value;
    return RegGetValueW(root, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) ==
           ERROR_SUCCESS;
}

bool samePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

ComPtr<ITfCategoryMgr> categoryManager() {
    ComPtr<ITfCategoryMgr> categories;
    CoCreateInstance(CLSID_TF_CategoryMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ITfCategoryMgr,
                     categories.putVoid());
    return categories;
}

// The category manager's own answer (Wine has no EnumCategoriesInItem): is the service in
// `category`? With no category given: is it in any?
bool inCategory(const GUID* category) {
    ComPtr<ITfCategoryMgr> categories = categoryManager();
    GUID found{};
    return categories && categories->FindClosestCategory(kClsid, &found, &category,
                                                         category != nullptr ? 1 : 0) == S_OK;
}

std::wstring guidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// Both keys a category registration writes: the category lists the item, the item the category.
bool categoryKeys(const GUID& category) {
    const std::wstring base = tipKey() + L"\\Category\\";
    return keyExists(HKEY_LOCAL_MACHINE,
                     base + L"Category\\" + guidText(category) + L"\\" + kClsidText) &&
           keyExists(HKEY_LOCAL_MACHINE,
                     base + L"Item\\" + kClsidText + L"\\" + guidText(category));
}

} // namespace

std::wstring TipBeside(const std::wstring& ime) {
    const std::size_t slash = ime.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : ime.substr(0, slash + 1)) +
           L"RevazeTip.dll";
}

int RunRegsvr32(const std::wstring& dll, bool unregister) {
    std::wstring command =
        std::wstring(L"regsvr32.exe /s ") + (unregister ? L"/u " : L"") + L"\"" + dll + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

bool ProfileListed(LANGID language, const GUID& wanted) {
    ComPtr<ITfInputProcessorProfiles> profiles;
    CoCreateInstance(CLSID_TF_InputProcessorProfiles, nullptr, CLSCTX_INPROC_SERVER,
                     IID_ITfInputProcessorProfiles, profiles.putVoid());
    ComPtr<IEnumTfLanguageProfiles> list;
    if (!profiles || FAILED(profiles->EnumLanguageProfiles(language, list.put())) || !list) {
        return false;
    }
    TF_LANGUAGEPROFILE profile{};
    ULONG fetched = 0;
    while (list->Next(1, &profile, &fetched) == S_OK && fetched == 1) {
        if (profile.clsid == kClsid && profile.guidProfile == wanted &&
            profile.langid == language && profile.catid == GUID_TFCAT_TIP_KEYBOARD) {
            return true;
        }
    }
    return false;
}

void CheckRegistered(const std::wstring& dll) {
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsidText;
    const std::wstring serverKey = clsidKey + L"\\InprocServer32";
    std::wstring name;
    std::wstring server;
    std::wstring model;
    std::wstring description;
    std::wstring iconFile;
    DWORD iconIndex = 99;
    DWORD enabled = 0;
    const bool named = readString(HKEY_CLASSES_ROOT, clsidKey, nullptr, name);
    const bool served = readString(HKEY_CLASSES_ROOT, serverKey, nullptr, server);
    const bool modelled = readString(HKEY_CLASSES_ROOT, serverKey, L"ThreadingModel", model);
    const bool described =
        readString(HKEY_LOCAL_MACHINE, profileKey(), L"Description", description);
    const bool iconed = readString(HKEY_LOCAL_MACHINE, profileKey(), L"IconFile", iconFile) &&
                        readDword(HKEY_LOCAL_MACHINE, profileKey(), L"IconIndex", iconIndex);
    const bool enabling = readDword(HKEY_LOCAL_MACHINE, profileKey(), L"Enable", enabled);

    check(named && name == L"Revaze", "registered: HKCR\\CLSID\\%ls names the class \"Revaze\"",
          kClsidText);
    check(served && samePath(server, dll), "registered: InprocServer32 names the DLL (%s)",
          narrow(server).c_str());
    check(modelled && model == L"Apartment", "registered: ThreadingModel is Apartment (%s)",
          narrow(model).c_str());
    check(described && description == L"Revaze",
          "registered: the Tibetan (0x0451) profile %ls is described \"Revaze\"", kProfileText);
    check(iconed && samePath(iconFile, dll) && iconIndex == 0,
          "registered: the profile's icon is the DLL's first (%s, %lu)", narrow(iconFile).c_str(),
          static_cast<unsigned long>(iconIndex));
    check(enabling && enabled == 1, "registered: the profile is enabled by default");
    HICON large = nullptr;
    HICON small = nullptr;
    const UINT icons = ExtractIconExW(dll.c_str(), static_cast<int>(iconIndex), &large, &small, 1);
    check(icons >= 1 && large != nullptr && small != nullptr,
          "registered: the DLL holds that icon, large and small");
    if (large != nullptr) {
        DestroyIcon(large);
    }
    if (small != nullptr) {
        DestroyIcon(small);
    }
    check(ProfileListed(), "registered: msctf lists the profile for Tibetan as a keyboard");
    check(ProfileListed(kDzongkha, kDzongkhaProfile),
          "registered: and a profile of its own for Dzongkha (0x0C51)");

    const struct {
        const GUID* guid;
        const char* name;
    } wanted[] = {
        {&GUID_TFCAT_TIP_KEYBOARD, "TIP_KEYBOARD"},
        {&GUID_TFCAT_DISPLAYATTRIBUTEPROVIDER, "DISPLAYATTRIBUTEPROVIDER"},
        {&revaze::tsf::kCategoryUiElementEnabled, "TIPCAP_UIELEMENTENABLED"},
        {&revaze::tsf::kCategoryImmersiveSupport, "TIPCAP_IMMERSIVESUPPORT"},
        {&revaze::tsf::kCategorySystraySupport, "TIPCAP_SYSTRAYSUPPORT"},
    };
    for (const auto& category : wanted) {
        check(categoryKeys(*category.guid) && inCategory(category.guid),
              "registered: category %s (registry and category manager)", category.name);
    }
}

void CheckUnregistered() {
    check(!keyExists(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + kClsidText),
          "unregistered: HKCR\\CLSID\\%ls is gone", kClsidText);
    check(!keyExists(HKEY_LOCAL_MACHINE, tipKey()),
          "unregistered: HKLM\\...\\CTF\\TIP\\%ls is gone (profile and categories)", kClsidText);
    check(!keyExists(HKEY_CURRENT_USER, tipKey()), "unregistered: HKCU\\...\\CTF\\TIP\\%ls is gone",
          kClsidText);
    check(!ProfileListed() && !ProfileListed(kDzongkha, kDzongkhaProfile),
          "unregistered: msctf no longer lists either profile");
    check(!inCategory(nullptr), "unregistered: the category manager knows no category of it");
}

} // namespace tsfharness
