#include "platform/registry_settings.h"

#include <aclapi.h>
#include <sddl.h>

#include "platform/registry_key.h"

// Windows 8 and later: the watch outlives the thread that set it up.
#ifndef REG_NOTIFY_THREAD_AGNOSTIC
#define REG_NOTIFY_THREAD_AGNOSTIC 0x10000000L
#endif

namespace revaze {

namespace {

std::wstring wide(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// Setting names and words are ASCII; anything else can only be a value no setting has.
std::string narrow(const wchar_t* text, std::size_t length) {
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        out.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
    }
    return out;
}

StoredValue storedValue(DWORD type, const BYTE* data, DWORD size) {
    if (type == REG_SZ && size % sizeof(wchar_t) == 0) {
        const auto* text = reinterpret_cast<const wchar_t*>(data);
        std::size_t length = size / sizeof(wchar_t);
        while (length > 0 && text[length - 1] == L'\0') {
            --length;
        }
        return StoredValue::Text(narrow(text, length));
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        CopyMemory(&number, data, sizeof number);
        return StoredValue::Number(number);
    }
    return {};
}

void debugLine(std::string_view line) {
    const std::string text = "Revaze: " + std::string(line) + "\n";
    OutputDebugStringA(text.c_str());
}

// Read for the two package groups, on the key and what it holds.
bool grantPackagesRead(HKEY key) {
    PACL current = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &current,
                        nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const wchar_t* sids[2] = {L"S-1-15-2-1", L"S-1-15-2-2"};
    PSID groups[2] = {};
    EXPLICIT_ACCESSW grants[2] = {};
    bool ready = true;
    for (int i = 0; i < 2; ++i) {
        ready = ready && ConvertStringSidToSidW(sids[i], &groups[i]);
        grants[i].grfAccessPermissions = KEY_READ;
        grants[i].grfAccessMode = GRANT_ACCESS;
        grants[i].grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
        grants[i].Trustee.TrusteeForm = TRUSTEE_IS_SID;
        grants[i].Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        grants[i].Trustee.ptstrName = static_cast<LPWSTR>(groups[i]);
    }
    PACL updated = nullptr;
    bool granted = ready && SetEntriesInAclW(2, grants, current, &updated) == ERROR_SUCCESS &&
                   SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                   nullptr, updated, nullptr) == ERROR_SUCCESS;
    LocalFree(updated);
    for (PSID group : groups) {
        LocalFree(group);
    }
    LocalFree(descriptor);
    return granted;
}

} // namespace

void RegistrySettings::ForEach(const Visitor& visit) const {
    RegKey key;
    if (!key.open(root_, kSettingsKeyPath, KEY_QUERY_VALUE)) {
        return; // nothing stored
    }
    // Names are short and values shorter; a longer one is no setting.
    wchar_t name[64];
    BYTE data[256];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        DWORD size = sizeof data;
        DWORD type = 0;
        const LONG status =
            RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, data, &size);
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status == ERROR_SUCCESS) {
            visit(narrow(name, nameLength), storedValue(type, data, size));
        } else if (status == ERROR_MORE_DATA) {
            visit(narrow(name, nameLength), StoredValue{});
        } else {
            break;
        }
    }
}

bool RegistrySettings::Write(std::string_view name, const StoredValue& value) {
    RegKey key(CreateSettingsKey(root_));
    if (key.get() == nullptr) {
        return false;
    }
    const std::wstring valueName = wide(name);
    if (value.type == StoredValue::Type::Number) {
        const DWORD number = value.number;
        return RegSetValueExW(key.get(), valueName.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number),
                              sizeof number) == ERROR_SUCCESS;
    }
    return key.setString(valueName.c_str(), wide(value.text));
}

HKEY CreateSettingsKey(HKEY root) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(root, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE | READ_CONTROL | WRITE_DAC, nullptr, &key,
                        &disposition) != ERROR_SUCCESS) {
        return nullptr;
    }
    if (disposition == REG_CREATED_NEW_KEY && !grantPackagesRead(key)) {
        debugLine("the settings key could not be opened to packaged applications");
    }
    return key;
}

Settings ReadStoredSettings() {
    const RegistrySettings machine(HKEY_LOCAL_MACHINE);
    const RegistrySettings user(HKEY_CURRENT_USER);
    return LoadSettings({&machine, &user}, debugLine);
}

SettingsWatch::~SettingsWatch() {
    for (HKEY key : keys_) {
        if (key != nullptr) {
            RegCloseKey(key);
        }
    }
    if (event_ != nullptr) {
        CloseHandle(event_);
    }
}

void SettingsWatch::watch() {
    if (event_ == nullptr) {
        event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    if (event_ == nullptr) {
        return;
    }
    ResetEvent(event_);
    const HKEY roots[2] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
    for (int i = 0; i < 2; ++i) {
        if (keys_[i] != nullptr) {
            RegCloseKey(keys_[i]);
            keys_[i] = nullptr;
        }
        // Where the settings key does not exist yet, its parent says when it is made.
        DWORD filter = REG_NOTIFY_CHANGE_LAST_SET;
        if (RegOpenKeyExW(roots[i], kSettingsKeyPath, 0, KEY_NOTIFY, &keys_[i]) != ERROR_SUCCESS) {
            keys_[i] = nullptr;
            filter = REG_NOTIFY_CHANGE_NAME;
            if (RegOpenKeyExW(roots[i], L"Software", 0, KEY_NOTIFY, &keys_[i]) != ERROR_SUCCESS) {
                keys_[i] = nullptr;
                continue;
            }
        }
        // Older systems refuse the flag; there the thread's end only causes one more read.
        if (RegNotifyChangeKeyValue(keys_[i], FALSE, filter | REG_NOTIFY_THREAD_AGNOSTIC, event_,
                                    TRUE) != ERROR_SUCCESS) {
            RegNotifyChangeKeyValue(keys_[i], FALSE, filter, event_, TRUE);
        }
    }
}

Settings SettingsWatch::Current(bool* changed) {
    AcquireSRWLockExclusive(&lock_);
    // A watch that could not be set up reads every time: slower, never stale.
    const bool stale =
        !read_ || event_ == nullptr || WaitForSingleObject(event_, 0) == WAIT_OBJECT_0;
    if (stale) {
        watch(); // first, so that a change while reading is seen next time
        settings_ = ReadStoredSettings();
        read_ = true;
    }
    Settings current = settings_;
    ReleaseSRWLockExclusive(&lock_);
    if (changed != nullptr) {
        *changed = stale;
    }
    return current;
}

SettingsWatch& ProcessSettings() {
    static SettingsWatch watch;
    return watch;
}

void RememberLayout(const Settings& settings, LayoutId layout) {
    const Layout* row = findLayout(layout);
    if (!settings.rememberLayout || row == nullptr) {
        return;
    }
    RegistrySettings user(HKEY_CURRENT_USER);
    user.Write(kStartLayoutName, StoredValue::Text(row->name));
}

} // namespace revaze
