#include "setup/text_service.h"

#include "platform/com_apartment.h"
#include "setup/registry.h"
#include "setup/user_languages.h"

#include <msctf.h>
#include <objbase.h>

#include <cwchar>
#include <set>

namespace revaze::setup {
namespace {

constexpr const wchar_t* kTips = L"SOFTWARE\\Microsoft\\CTF\\TIP";

bool parseGuid(const std::wstring& text, GUID& guid) {
    return CLSIDFromString(text.c_str(), &guid) == NOERROR;
}

std::wstring languageProfile(const TipProfile& p) {
    wchar_t language[8];
    std::swprintf(language, 8, L"%04X", static_cast<unsigned>(p.language));
    return std::wstring(language) + L":" + guidText(p.clsid) + guidText(p.profile);
}

// Releases the interface it holds.
template <typename T> class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** put() { return &p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

} // namespace

std::vector<TipProfile> findTipProfiles(const std::wstring& dllName) {
    std::vector<TipProfile> found;
    RegKey tips;
    if (!tips.open(HKEY_LOCAL_MACHINE, kTips, KEY_READ)) {
        return found;
    }
    for (const std::wstring& clsidText : tips.subkeys()) {
        RegKey server;
        GUID clsid{};
        if (!parseGuid(clsidText, clsid) ||
            !server.open(HKEY_CLASSES_ROOT, L"CLSID\\" + clsidText + L"\\InprocServer32",
                         KEY_READ) ||
            !sameName(fileName(server.string(nullptr)), dllName)) {
            continue;
        }
        RegKey languages;
        if (!languages.open(tips.get(), clsidText + L"\\LanguageProfile", KEY_READ)) {
            continue;
        }
        for (const std::wstring& languageText : languages.subkeys()) {
            RegKey profiles;
            if (!profiles.open(languages.get(), languageText, KEY_READ)) {
                continue;
            }
            auto language = static_cast<LANGID>(std::wcstoul(languageText.c_str(), nullptr, 16));
            for (const std::wstring& profileText : profiles.subkeys()) {
                GUID profile{};
                if (parseGuid(profileText, profile)) {
                    found.push_back({clsid, language, profile});
                }
            }
        }
    }
    return found;
}

int enableTipProfiles(const std::vector<TipProfile>& profiles, std::wstring& error) {
    ComApartment apartment;
    ComRef<ITfInputProcessorProfiles> manager;
    HRESULT hr =
        CoCreateInstance(CLSID_TF_InputProcessorProfiles, nullptr, CLSCTX_INPROC_SERVER,
                         IID_ITfInputProcessorProfiles, reinterpret_cast<void**>(manager.put()));
    if (FAILED(hr) || !manager) {
        error = L"the text services framework is not available";
        return 0;
    }
    int enabled = 0;
    for (const TipProfile& p : profiles) {
        hr = manager->EnableLanguageProfile(p.clsid, p.language, p.profile, TRUE);
        if (FAILED(hr)) {
            error = L"EnableLanguageProfile failed for " + languageProfile(p);
            continue;
        }
        addToUserLanguages(languageProfile(p));
        ++enabled;
    }
    return enabled;
}

void forgetTipProfiles(const std::vector<TipProfile>& profiles) {
    std::set<std::wstring> services;
    for (const TipProfile& p : profiles) {
        removeFromUserLanguages(languageProfile(p));
        services.insert(guidText(p.clsid));
    }
    RegKey userTips;
    if (userTips.open(HKEY_CURRENT_USER, kTips, KEY_ALL_ACCESS)) {
        for (const std::wstring& clsid : services) {
            RegDeleteTreeW(userTips.get(), clsid.c_str());
        }
    }
}

} // namespace revaze::setup
