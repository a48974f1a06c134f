// Conversions between the engine's UTF-16 code units (held in wchar_t, 16 bits on Windows and
// 32 bits on Linux, always one code unit per element) and UTF-8 for the command-line tool.
#pragma once

#include <string>
#include <string_view>

namespace revaze {

// UTF-8 to UTF-16 code units. Invalid bytes become U+FFFD.
std::wstring utf8ToUnits(std::string_view utf8);
// UTF-16 code units to UTF-8. A lone surrogate becomes U+FFFD.
std::string unitsToUtf8(std::wstring_view units);
// "U+0F40 U+0F72": upper-case hex, at least four digits, single spaces, one entry per code unit.
std::string codepointList(std::wstring_view units);
// Widens 8-bit key characters one for one (the keys are ASCII).
std::wstring widenKeys(std::string_view keys);

} // namespace revaze
