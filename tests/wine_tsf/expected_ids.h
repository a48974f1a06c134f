// The text service's identities as the harness expects them. Spelled out rather than taken from
// the DLL's headers: the installer and every user's language list depend on these staying as
// they are.
#pragma once

#include <windows.h>

namespace tsfharness {

inline const CLSID kClsid = {
    0x0530bc3b, 0xb775, 0x419f, {0xb5, 0x31, 0x9b, 0xa6, 0x3b, 0xd4, 0x13, 0x85}};
inline const GUID kProfile = {
    0x2a3f6af2, 0xf906, 0x43d1, {0xb2, 0x7f, 0x97, 0x66, 0xfc, 0xfa, 0x52, 0x6c}};
// The profile under Dzongkha.
inline const GUID kDzongkhaProfile = {
    0xc8746072, 0x59b9, 0x484a, {0xaf, 0x56, 0xe6, 0xbc, 0x82, 0x7c, 0xd2, 0x1b}};
// The same two as the registry writes them.
inline constexpr wchar_t kClsidText[] = L"{0530BC3B-B775-419F-B531-9BA63BD41385}";
inline constexpr wchar_t kProfileText[] = L"{2A3F6AF2-F906-43D1-B27F-9766FCFA526C}";
inline constexpr LANGID kTibetan = 0x0451;
inline constexpr LANGID kDzongkha = 0x0C51;

} // namespace tsfharness
