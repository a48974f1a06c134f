// The settings as the registry keeps them: the user's own values under HKCU\Software\Revaze over
// an administrator's defaults under HKLM\Software\Revaze, read again only after they changed.
#pragma once

#include <windows.h>

#include <string>

#include "settings/settings.h"

namespace revaze {

inline constexpr wchar_t kSettingsKeyPath[] = L"Software\\Revaze";

// The values under one root's settings key: REG_SZ reads as text, REG_DWORD as a number and any
// other type as neither. Writing creates the key, readable by packaged applications too.
class RegistrySettings final : public SettingsStore {
public:
    explicit RegistrySettings(HKEY root) : root_(root) {}
    void ForEach(const Visitor& visit) const override;
    bool Write(std::string_view name, const StoredValue& value) override;

private:
    HKEY root_;
};

// Creates the user's settings key (or opens it) for writing. A new key grants read access to ALL
// APPLICATION PACKAGES and ALL RESTRICTED APPLICATION PACKAGES, so that applications in an
// AppContainer find the settings too; nothing else of the inherited access changes.
HKEY CreateSettingsKey(HKEY root);

// The machine's defaults under the user's values; an ignored value is one debugger line.
Settings ReadStoredSettings();

// The process's settings: read at the first call and again only after the registry said that one
// of the two keys changed, never at every key.
class SettingsWatch {
public:
    SettingsWatch() = default;
    ~SettingsWatch();
    SettingsWatch(const SettingsWatch&) = delete;
    SettingsWatch& operator=(const SettingsWatch&) = delete;

    // The settings as stored now; `changed` (may be null) says whether they were read again.
    Settings Current(bool* changed = nullptr);

private:
    void watch();

    SRWLOCK lock_ = SRWLOCK_INIT;
    bool read_ = false;
    Settings settings_;
    HANDLE event_ = nullptr;
    HKEY keys_[2] = {};
};

// The one watch of the process, shared by every session of both front ends' code in it.
SettingsWatch& ProcessSettings();

// RememberLayout: the layout just chosen becomes the user's StartLayout.
void RememberLayout(const Settings& settings, LayoutId layout);

} // namespace revaze
