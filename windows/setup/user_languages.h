// The input methods in the user's language list (the input indicator), kept by Windows 8 and
// later through input.dll's InstallLayoutOrTip. Earlier systems and Wine have no such list: there
// these calls report that they did nothing.
#pragma once

#include <string>

namespace revaze::setup {

// `profile` is "0451:E0200451" for a keyboard layout or "0451:{clsid}{profile guid}" for a text
// service. True when the list was changed.
bool addToUserLanguages(const std::wstring& profile);
bool removeFromUserLanguages(const std::wstring& profile);

} // namespace revaze::setup
