// The identifiers Revaze's text service is registered and known by. Fixed once: the registry,
// the user's language list and every document's display attributes refer to them.
#pragma once

#include <windows.h>

#include "layouts/layouts.h"

namespace revaze::tsf {

// The COM class of the text service ({0530BC3B-B775-419F-B531-9BA63BD41385}).
inline constexpr CLSID kTextServiceClsid = {
    0x0530bc3b, 0xb775, 0x419f, {0xb5, 0x31, 0x9b, 0xa6, 0x3b, 0xd4, 0x13, 0x85}};
// Its keyboard input profile for Tibetan ({2A3F6AF2-F906-43D1-B27F-9766FCFA526C}).
inline constexpr GUID kProfileGuid = {
    0x2a3f6af2, 0xf906, 0x43d1, {0xb2, 0x7f, 0x97, 0x66, 0xfc, 0xfa, 0x52, 0x6c}};
// The display attribute of the text being composed ({A3D5EA2F-DD96-496D-9A76-2D2F25704651}).
inline constexpr GUID kInputAttributeGuid = {
    0xa3d5ea2f, 0xdd96, 0x496d, {0x9a, 0x76, 0x2d, 0x2f, 0x25, 0x70, 0x46, 0x51}};
// The language bar's layout menu button ({47ED9DD4-9F0F-4BCF-96DC-38B2959EC4D4}). The mode
// button is the system's input mode item (kLangBarInputModeItem).
inline constexpr GUID kLayoutButtonGuid = {
    0x47ed9dd4, 0x9f0f, 0x4bcf, {0x96, 0xdc, 0x38, 0xb2, 0x95, 0x9e, 0xc4, 0xd4}};
// The candidate list as a UI element, for applications that draw it themselves
// ({69EC4AE9-D1FF-4777-85C7-A6EF2D696EC8}).
inline constexpr GUID kCandidateElementGuid = {
    0x69ec4ae9, 0xd1ff, 0x4777, {0x85, 0xc7, 0xa6, 0xef, 0x2d, 0x69, 0x6e, 0xc8}};

// Its keyboard input profile for Dzongkha ({C8746072-59B9-484A-AF56-E6BC827CD21B}): the same
// service, listed where a Dzongkha user looks for it.
inline constexpr GUID kDzongkhaProfileGuid = {
    0xc8746072, 0x59b9, 0x484a, {0xaf, 0x56, 0xe6, 0xbc, 0x82, 0x7c, 0xd2, 0x1b}};

// Tibetan (People's Republic of China) and Dzongkha (Bhutan).
inline constexpr LANGID kTibetanLangId = 0x0451;
inline constexpr LANGID kDzongkhaLangId = 0x0C51;

// The profiles, each with the layout a session started under it begins in (unless the user's
// StartLayout says otherwise).
struct LanguageProfile {
    LANGID language;
    const GUID* guid;
    LayoutId layout;
};
inline constexpr LanguageProfile kLanguageProfiles[] = {
    {kTibetanLangId, &kProfileGuid, LayoutId::Wylie},
    {kDzongkhaLangId, &kDzongkhaProfileGuid, LayoutId::Dzongkha},
};
inline constexpr wchar_t kProfileDescription[] = L"Revaze";
// The icon of the profile and of the language bar's mode button in Tibetan mode, and the one
// the mode button shows in English mode (resource identifiers in RevazeTip.rc).
inline constexpr int kTibetanIconId = 101;
inline constexpr int kEnglishIconId = 102;
// The same two for a dark taskbar.
inline constexpr int kTibetanDarkIconId = 103;
inline constexpr int kEnglishDarkIconId = 104;
// Index of the profile's icon among the DLL's icons.
inline constexpr ULONG kProfileIconIndex = 0;

} // namespace revaze::tsf
