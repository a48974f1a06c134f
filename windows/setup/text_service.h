// The language profiles of a text service, found by the DLL that serves them (so the installer
// needs no copy of the service's identifiers), and enabled or disabled for the current user.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace revaze::setup {

struct TipProfile {
    CLSID clsid;
    LANGID language;
    GUID profile;
};

// The profiles registered (in this process's registry view) for text services whose in-process
// server is a file named `dllName`.
std::vector<TipProfile> findTipProfiles(const std::wstring& dllName);

// Enables each profile for the user and puts it in the user's language list. Returns how many
// were enabled; failures are described in `error`.
int enableTipProfiles(const std::vector<TipProfile>& profiles, std::wstring& error);

// Takes the profiles out of the user's language list and forgets the user's settings for their
// services, before the service itself is unregistered.
void forgetTipProfiles(const std::vector<TipProfile>& profiles);

} // namespace revaze::setup
