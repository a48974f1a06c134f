#include "tsf/registration.h"

#include <msctf.h>
#include <olectl.h>

#include <string>

#include "platform/com_apartment.h"
#include "platform/forwarder.h"
#include "platform/registry_key.h"
#include "tsf/com_ptr.h"
#include "tsf/dll_module.h"
#include "tsf/guids.h"
#include "tsf/tsf_sdk.h"

namespace revaze::tsf {

namespace {

// The categories that make the service a keyboard text service of today's Windows: it types
// (keyboard), marks composed text (display attributes), draws its own windows as UI elements,
// works in Store applications and the shell, and shows its mode on the taskbar.
const GUID* const kCategories[] = {
    &GUID_TFCAT_TIP_KEYBOARD,   &GUID_TFCAT_DISPLAYATTRIBUTEPROVIDER,
    &kCategoryUiElementEnabled, &kCategoryImmersiveSupport,
    &kCategorySystraySupport,
};

std::wstring clsidKeyPath() {
    return L"CLSID\\" + guidText(kTextServiceClsid);
}

bool registerClass(const std::wstring& dll) {
    RegKey clsid;
    RegKey server;
    return clsid.create(HKEY_CLASSES_ROOT, clsidKeyPath()) &&
           clsid.setString(nullptr, kProfileDescription) &&
           server.create(HKEY_CLASSES_ROOT, clsidKeyPath() + L"\\InprocServer32") &&
           server.setString(nullptr, dll) && server.setString(L"ThreadingModel", L"Apartment");
}

template <typename T> ComPtr<T> create(const CLSID& clsid) {
    ComPtr<T> object;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(T), object.putVoid());
    return object;
}

HRESULT registerProfile(const std::wstring& dll, const LanguageProfile& profile) {
    const auto descriptionLength = static_cast<ULONG>(std::size(kProfileDescription) - 1);
    const auto dllLength = static_cast<ULONG>(dll.size());
    // Windows 8 and later: one call, enabled by default.
    if (auto manager = create<ITfInputProcessorProfileMgr>(CLSID_TF_InputProcessorProfiles)) {
        const HRESULT hr = manager->RegisterProfile(
            kTextServiceClsid, profile.language, *profile.guid, kProfileDescription,
            descriptionLength, dll.c_str(), dllLength, kProfileIconIndex, nullptr, 0, TRUE, 0);
        if (SUCCEEDED(hr)) {
            return hr;
        }
    }
    // Older managers (and Wine's, which lacks RegisterProfile) take the three older calls.
    auto profiles = create<ITfInputProcessorProfiles>(CLSID_TF_InputProcessorProfiles);
    if (!profiles) {
        return E_FAIL;
    }
    HRESULT hr = profiles->Register(kTextServiceClsid);
    if (SUCCEEDED(hr)) {
        hr = profiles->AddLanguageProfile(kTextServiceClsid, profile.language, *profile.guid,
                                          kProfileDescription, descriptionLength, dll.c_str(),
                                          dllLength, kProfileIconIndex);
    }
    if (SUCCEEDED(hr)) {
        hr = profiles->EnableLanguageProfileByDefault(kTextServiceClsid, profile.language,
                                                      *profile.guid, TRUE);
    }
    return hr;
}

HRESULT registerProfiles(const std::wstring& dll) {
    for (const LanguageProfile& profile : kLanguageProfiles) {
        const HRESULT hr = registerProfile(dll, profile);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

HRESULT registerCategories() {
    auto categories = create<ITfCategoryMgr>(CLSID_TF_CategoryMgr);
    if (!categories) {
        return E_FAIL;
    }
    for (const GUID* category : kCategories) {
        const HRESULT hr =
            categories->RegisterCategory(kTextServiceClsid, *category, kTextServiceClsid);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

void unregisterCategories() {
    if (auto categories = create<ITfCategoryMgr>(CLSID_TF_CategoryMgr)) {
        for (const GUID* category : kCategories) {
            categories->UnregisterCategory(kTextServiceClsid, *category, kTextServiceClsid);
        }
    }
}

void unregisterProfiles() {
    if (auto manager = create<ITfInputProcessorProfileMgr>(CLSID_TF_InputProcessorProfiles)) {
        for (const LanguageProfile& profile : kLanguageProfiles) {
            manager->UnregisterProfile(kTextServiceClsid, profile.language, *profile.guid, 0);
        }
    }
    // Also removes what the profile manager leaves of the service (and, where only the older
    // calls work, the profile itself).
    if (auto profiles = create<ITfInputProcessorProfiles>(CLSID_TF_InputProcessorProfiles)) {
        profiles->Unregister(kTextServiceClsid);
    }
}

LSTATUS unregisterClass() {
    return RegDeleteTreeW(HKEY_CLASSES_ROOT, clsidKeyPath().c_str());
}

} // namespace

HRESULT RegisterServer() {
    ComApartment com;
    // Behind System32's ARM64X forwarder, the forwarder is what both kinds of process load.
    const std::wstring dll =
        RegisteredPath(ModuleInstance(), L"RevazeTip.dll", "DllRegisterServer");
    if (dll.empty()) {
        return SELFREG_E_CLASS;
    }
    if (!registerClass(dll)) {
        unregisterClass();
        return SELFREG_E_CLASS;
    }
    HRESULT hr = registerProfiles(dll);
    if (SUCCEEDED(hr)) {
        hr = registerCategories();
    }
    if (FAILED(hr)) {
        unregisterCategories();
        unregisterProfiles();
        unregisterClass();
        return hr;
    }
    return S_OK;
}

HRESULT UnregisterServer() {
    ComApartment com;
    unregisterCategories();
    unregisterProfiles();
    const LSTATUS status = unregisterClass();
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

} // namespace revaze::tsf
