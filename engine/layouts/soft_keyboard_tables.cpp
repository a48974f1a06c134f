#include "layouts/soft_keyboard_tables.h"

#include "layouts/layouts.h"

#include <initializer_list>

namespace revaze {

static_assert(kSoftLayoutCount == kLayoutCount);

namespace {

constexpr unsigned layoutSet(std::initializer_list<int> layoutIndexes) {
    unsigned bits = 0;
    for (int index : layoutIndexes) {
        bits |= 1u << index;
    }
    return bits;
}

// The labels of every page, one row per page and set of layouts sharing it. Each row names keys in
// kSoftLabelOrder (` 1..9 0 - = q..p [ ] \ a..l ; ' z..m , . / Alt Space star); {first, last,
// firstCode, lastCode} is a run of consecutive keys carrying consecutive code points. A key a row
// does not name is blank (U+0020).
// clang-format off
// Page 1: Himalaya.
constexpr SoftLabelRun kPage1Layout0[] = {
    {L"`", 0x0F68}, {L"1", L"9", 0x0F21, 0x0F29}, {L"0", 0x0F20}, {L"-", 0x0F67}, {L"=", 0x0F5D},
    {L"q", 0x0F45}, {L"w", 0x0F46}, {L"e", 0x0F7A}, {L"r", 0x0F62}, {L"t", 0x0F4F}, {L"y", 0x0F61},
    {L"u", 0x0F74}, {L"i", 0x0F72}, {L"o", 0x0F7C}, {L"p", 0x0F55}, {L"[", L"\\", 0x0F59, 0x0F5B},
    {L"a", 0x0F60}, {L"s", 0x0F66}, {L"d", 0x0F51}, {L"f", 0x0F56}, {L"g", 0x0F44}, {L"h", 0x0F58},
    {L"j", 0x0F0B}, {L"k", 0x0F42}, {L"l", 0x0F63}, {L";", 0x0F5E}, {L"'", 0x0F0D},
    {L"z", 0x0F5F}, {L"x", 0x0F64}, {L"c", 0x0F40}, {L"v", 0x0F41}, {L"b", 0x0F54}, {L"n", 0x0F53},
    {L",", 0x0F50}, {L".", 0x0F47}, {L"/", 0x0F49},
    {L"Space", 0x0F0B},
};
// Page 1: Wylie-F, Wylie.
constexpr SoftLabelRun kPage1Layout1_7[] = {
    {L"`", 0x0F72}, {L"1", L"9", 0x0F62, 0x0F6A}, {L"0", 0x0F74}, {L"-", 0x0F7A}, {L"=", 0x0F7C},
    {L"q", L"/", 0x0F40, 0x0F61},
    {L"Space", 0x0F0B},
};
// Page 1: Dzongkha.
constexpr SoftLabelRun kPage1Layout2[] = {
    {L"`", 0x0F09}, {L"1", L"9", 0x0F21, 0x0F29}, {L"0", 0x0F20}, {L"-", 0x0F14}, {L"=", 0x0F0D},
    {L"q", L"e", 0x0F40, 0x0F42}, {L"r", 0x0F44}, {L"t", 0x0F72}, {L"y", 0x0F74}, {L"u", 0x0F7A},
    {L"i", 0x0F7C}, {L"o", L"[", 0x0F45, 0x0F47}, {L"]", 0x0F49}, {L"\\", 0x0F5D},
    {L"a", L"d", 0x0F4F, 0x0F51}, {L"f", L"j", 0x0F53, 0x0F56}, {L"k", L"'", 0x0F58, 0x0F5B},
    {L"z", L"m", 0x0F5E, 0x0F64}, {L",", L"/", 0x0F66, 0x0F68},
    {L"Space", 0x0F0B},
};
// Page 1: Sambhota-1.
constexpr SoftLabelRun kPage1Layout3[] = {
    {L"1", L"9", 0x0F21, 0x0F29}, {L"0", 0x0F20}, {L"-", 0x0F11},
    {L"q", 0x0F4A}, {L"w", 0x0F5D}, {L"e", 0x0F7A}, {L"r", 0x0F62}, {L"t", 0x0F4F}, {L"y", 0x0F61},
    {L"u", 0x0F74}, {L"i", 0x0F72}, {L"o", 0x0F7C}, {L"p", 0x0F54},
    {L"s", 0x0F66}, {L"d", 0x0F51}, {L"g", 0x0F42}, {L"h", 0x0F67}, {L"j", 0x0F47}, {L"k", 0x0F40},
    {L"l", 0x0F63}, {L";", 0x0F14}, {L"'", 0x0F60},
    {L"z", 0x0F5F}, {L"x", 0x0F59}, {L"c", 0x0F45}, {L"v", 0x0F4C}, {L"b", 0x0F56}, {L"n", 0x0F53},
    {L"m", 0x0F58}, {L",", 0x0F0D}, {L"/", 0x0F34},
    {L"Space", 0x0F0B},
};
// Page 1: Sambhota-2.
constexpr SoftLabelRun kPage1Layout4[] = {
    {L"1", L"9", 0x0F21, 0x0F29}, {L"0", 0x0F20},
    {L"q", L"e", 0x0F40, 0x0F42}, {L"r", L"u", 0x0F44, 0x0F47}, {L"i", 0x0F49},
    {L"o", L"[", 0x0F4F, 0x0F51}, {L"]", 0x0F53},
    {L"a", L"d", 0x0F54, 0x0F56}, {L"f", 0x0F58}, {L"g", 0x0F72}, {L"j", 0x0F74},
    {L"k", L";", 0x0F59, 0x0F5B}, {L"'", L"v", 0x0F5D, 0x0F61},
    {L"b", 0x0F7A}, {L"n", 0x0F7C}, {L"m", L".", 0x0F62, 0x0F64}, {L"/", 0x0F66},
    {L"Space", 0x0F0B},
};
// Page 1: Monlam.
constexpr SoftLabelRun kPage1Layout5[] = {
    {L"`", 0x002E}, {L"1", L"9", 0x0F21, 0x0F29}, {L"0", 0x0F20}, {L"-", 0x0F80}, {L"=", 0x0F83},
    {L"q", 0x0F4A}, {L"w", 0x0F5D}, {L"e", 0x0F7A}, {L"r", 0x0F62}, {L"t", 0x0F4F}, {L"y", 0x0F61},
    {L"u", 0x0F74}, {L"i", 0x0F72}, {L"o", 0x0F7C}, {L"p", 0x0F54}, {L"[", 0x0F37}, {L"]", 0x0F84},
    {L"\\", 0x0F14},
    {L"s", 0x0F66}, {L"d", 0x0F51}, {L"f", 0x0F44}, {L"g", 0x0F42}, {L"h", 0x0F67}, {L"j", 0x0F47},
    {L"k", 0x0F40}, {L"l", 0x0FB3}, {L";", 0x0F4D}, {L"'", 0x0F60},
    {L"z", 0x0F5F}, {L"x", 0x0F59}, {L"c", 0x0F45}, {L"v", 0x0F4C}, {L"b", 0x0F56}, {L"n", 0x0F53},
    {L"m", 0x0F58}, {L",", 0x0FBB}, {L".", 0x0FBC}, {L"/", 0x0F0D},
    {L"Space", 0x0F0B},
};
// Page 1: BZD.
constexpr SoftLabelRun kPage1Layout6[] = {
    {L"`", 0x0F04}, {L"1", L"9", 0x0F21, 0x0F29}, {L"0", 0x0F20}, {L"-", 0x0F83}, {L"=", 0x0F7F},
    {L"q", 0x0F47}, {L"w", 0x0F50}, {L"e", 0x0F7A}, {L"r", 0x0F62}, {L"t", 0x0F4F}, {L"y", 0x0F61},
    {L"u", 0x0F74}, {L"i", 0x0F72}, {L"o", 0x0F7C}, {L"p", 0x0F56}, {L"[", 0x0F68}, {L"]", 0x0F59},
    {L"\\", 0x0F5A},
    {L"a", 0x0F60}, {L"s", 0x0F66}, {L"d", 0x0F51}, {L"f", 0x0066}, {L"g", 0x0F44}, {L"h", 0x0F68},
    {L"j", 0x0F0B}, {L"k", 0x0F42}, {L"l", 0x0F63}, {L";", 0x0F5A}, {L"'", 0x0F56},
    {L"z", 0x0F5F}, {L"x", 0x0F64}, {L"c", 0x0F41}, {L"v", 0x0F40}, {L"b", 0x0F54}, {L"n", 0x0F53},
    {L"m", 0x0F46}, {L",", 0x0F45}, {L".", 0x0F49}, {L"/", 0x0F68},
    {L"Space", 0x0F0B},
};
// Page 2: Himalaya.
constexpr SoftLabelRun kPage2Layout0[] = {
    {L"`", 0x0FB8}, {L"1", 0x0F04}, {L"2", 0x0F05}, {L"3", 0x0F7E}, {L"4", 0x0F83}, {L"5", 0x0F37},
    {L"6", 0x0F35}, {L"7", 0x0F7F}, {L"8", 0x0F14}, {L"9", 0x0F11}, {L"0", 0x0F08}, {L"-", 0x0FB7},
    {L"=", 0x0FBA},
    {L"q", 0x0F95}, {L"w", 0x0F96}, {L"e", 0x0F7B}, {L"r", 0x0FB2}, {L"t", 0x0FA1}, {L"y", 0x0FB1},
    {L"u", 0x0FAD}, {L"i", 0x0F80}, {L"o", 0x0F7D}, {L"p", 0x0FA5}, {L"[", L"\\", 0x0FA9, 0x0FAB},
    {L"a", 0x0FB0}, {L"s", 0x0FB6}, {L"d", 0x0FA1}, {L"f", 0x0FA6}, {L"g", 0x0F94}, {L"h", 0x0FA8},
    {L"j", 0x0F84}, {L"k", 0x0F92}, {L"l", 0x0FB3}, {L";", 0x0FAE}, {L"'", 0x0F0E},
    {L"z", 0x0FAF}, {L"x", 0x0FB4}, {L"c", 0x0F90}, {L"v", 0x0F91}, {L"b", 0x0FA4}, {L"n", 0x0FA3},
    {L"m", 0x0F85}, {L",", 0x0FA0}, {L".", 0x0F97}, {L"/", 0x0F99},
    {L"Alt", 0x0F0B}, {kStarKeyName, 0x0000},
};
// Page 2: Wylie-F, Wylie.
constexpr SoftLabelRun kPage2Layout1_7[] = {
    {L"1", L"-", 0x0FB2, 0x0FBC},
    {L"q", L"/", 0x0F90, 0x0FB1},
    {L"Space", 0x0F0B},
};
// Page 2: Dzongkha.
constexpr SoftLabelRun kPage2Layout2[] = {
    {L"`", 0x0F0A}, {L"1", L"3", 0x0F04, 0x0F06}, {L"5", 0x0F0E}, {L"6", 0x0F08}, {L"7", 0x0F38},
    {L"8", 0x0F34}, {L"9", 0x0F3C}, {L"0", 0x0F3D}, {L"-", 0x0F7F}, {L"=", 0x0F11},
    {L"q", L"e", 0x0F90, 0x0F92}, {L"r", 0x0F94}, {L"t", 0x0F80}, {L"y", 0x0F84}, {L"u", 0x0F7B},
    {L"i", 0x0F7D}, {L"o", L"[", 0x0F95, 0x0F97}, {L"]", 0x0F99}, {L"\\", 0x0FAD},
    {L"a", L"d", 0x0F9F, 0x0FA1}, {L"f", L"j", 0x0FA3, 0x0FA6}, {L"k", L"'", 0x0FA8, 0x0FAB},
    {L"z", 0x0FAE}, {L"x", 0x0FAF}, {L"c", 0x0F71}, {L"v", L"m", 0x0FB1, 0x0FB4},
    {L",", L"/", 0x0FB6, 0x0FB8},
    {L"Space", 0x0F0B},
};
// Page 2: Sambhota-1.
constexpr SoftLabelRun kPage2Layout3[] = {
    {L"1", 0x0F91}, {L"2", 0x0F94}, {L"3", 0x0F96}, {L"4", 0x0F99}, {L"5", 0x0FA0}, {L"6", 0x0FAA},
    {L"7", 0x0FAE}, {L"8", 0x0FB5}, {L"9", 0x0FB8}, {L"0", 0x0F9B}, {L"-", 0x0F9E}, {L"=", 0x0FB5},
    {L"q", 0x0F9A}, {L"w", 0x0FAD}, {L"e", 0x0F92}, {L"r", 0x0FB2}, {L"t", 0x0F9F}, {L"y", 0x0FB1},
    {L"u", 0x0F7B}, {L"i", 0x0F7D}, {L"o", 0x0F95}, {L"p", 0x0FA4}, {L"[", 0x0FA5}, {L"]", 0x0FAB},
    {L"\\", 0x0FAD},
    {L"a", 0x0F9F}, {L"s", 0x0FB6}, {L"d", 0x0FA1}, {L"f", 0x0F90}, {L"g", 0x0F92}, {L"h", 0x0FB7},
    {L"j", 0x0F97}, {L"k", 0x0FA8}, {L"l", 0x0FB3}, {L";", 0x0FAA}, {L"'", 0x0F71},
    {L"z", 0x0FAF}, {L"x", 0x0FA9}, {L"c", 0x0F95}, {L"v", 0x0F9C}, {L"b", 0x0FA6}, {L"n", 0x0FA3},
    {L"m", 0x0FA8}, {L",", L"/", 0x0FB6, 0x0FB8},
    {L"Space", 0x0F0B},
};
// Page 2: Sambhota-2.
constexpr SoftLabelRun kPage2Layout4[] = {
    {L"1", L"3", 0x0F9A, 0x0F9C}, {L"4", 0x0F9E}, {L"5", 0x0FB5}, {L"6", L"8", 0x0F4A, 0x0F4C},
    {L"9", 0x0F4E}, {L"0", 0x0F65}, {L"-", 0x0FB7}, {L"=", 0x0FB8},
    {L"q", L"e", 0x0F90, 0x0F92}, {L"r", L"u", 0x0F94, 0x0F97}, {L"i", 0x0F99},
    {L"o", L"[", 0x0F9F, 0x0FA1}, {L"]", 0x0FA3}, {L"\\", 0x0FAD},
    {L"a", L"d", 0x0FA4, 0x0FA6}, {L"f", 0x0FA8}, {L"g", 0x0F80}, {L"j", 0x0F75},
    {L"k", L";", 0x0FA9, 0x0FAB}, {L"'", 0x0FBA},
    {L"z", 0x0FAE}, {L"x", 0x0FAF}, {L"c", 0x0F71}, {L"v", 0x0FB1}, {L"b", 0x0F7B}, {L"n", 0x0F7D},
    {L"m", L".", 0x0FB2, 0x0FB4}, {L"/", 0x0FB6},
    {L"Space", 0x0F0B},
};
// Page 2: Monlam.
constexpr SoftLabelRun kPage2Layout5[] = {
    {L"`", 0x0F8B}, {L"1", 0x0F11}, {L"2", 0x0F04}, {L"3", 0x0F05}, {L"4", 0x201C}, {L"5", 0x201D},
    {L"6", 0x0F08}, {L"7", 0x0F3C}, {L"8", 0x0F3D}, {L"9", 0x0028}, {L"0", 0x0029}, {L"-", 0x0F81},
    {L"=", 0x0F7E},
    {L"q", 0x0F4B}, {L"w", 0x0FAD}, {L"e", 0x0F7B}, {L"r", 0x0FB2}, {L"t", 0x0F50}, {L"y", 0x0FB1},
    {L"u", 0x0F75}, {L"i", 0x0F80}, {L"o", 0x0F7D}, {L"p", 0x0F55}, {L"[", 0x0F82}, {L"]", 0x0F35},
    {L"\\", 0x0F1D},
    {L"a", 0x0F68}, {L"s", 0x0F64}, {L"d", 0x0F5B}, {L"f", 0x0F52}, {L"g", 0x0F43}, {L"h", 0x0FB7},
    {L"j", 0x0F5C}, {L"k", 0x0F41}, {L"l", 0x0F63}, {L";", 0x0F7F}, {L"'", 0x0F71},
    {L"z", 0x0F5E}, {L"x", 0x0F5A}, {L"c", 0x0F46}, {L"v", 0x0F4E}, {L"b", 0x0F57}, {L"n", 0x0F49},
    {L"m", 0x0F65}, {L",", 0x002C}, {L".", 0x0FB3}, {L"/", 0x0F40},
    {L"Space", 0x0F0B},
};
// Page 2: BZD.
constexpr SoftLabelRun kPage2Layout6[] = {
    {L"`", L"3", 0x0F38, 0x0F3B}, {L"4", L"6", 0x0F06, 0x0F08}, {L"7", 0x0F10}, {L"8", 0x0F11},
    {L"9", 0x0F3C}, {L"0", 0x0F3D}, {L"-", 0x0F7E}, {L"=", 0x0F14},
    {L"q", 0x0F67}, {L"w", 0x0F4B}, {L"e", 0x0F7B}, {L"r", 0x0FB2}, {L"t", 0x0F4A}, {L"y", 0x0FB1},
    {L"u", 0x0F5D}, {L"i", 0x0F80}, {L"o", 0x0F7D}, {L"p", 0x0F55}, {L"[", 0x0F1C}, {L"]", 0x0F1D},
    {L"\\", 0x0F5B},
    {L"a", 0x0F71}, {L"s", 0x0F1F}, {L"d", 0x0F4C}, {L"f", 0x0F57}, {L"g", 0x0F3F}, {L"h", 0x0FCF},
    {L"j", 0x0F02}, {L"k", 0x0F43}, {L"l", 0x0FB3}, {L";", 0x0FB2}, {L"'", 0x0F8B},
    {L"z", 0x0F34}, {L"x", 0x0F65}, {L"c", 0x0F69}, {L"v", 0x0F87}, {L"b", 0x0F57}, {L"n", 0x0F4E},
    {L"m", 0x0F52}, {L",", 0x0F4B}, {L".", 0x0F85}, {L"/", 0x0F0D},
    {L"Space", 0x0F0B},
};
// Page 3: Himalaya.
constexpr SoftLabelRun kPage3Layout0[] = {
    {L"`", 0x0F01}, {L"1", L"0", 0x0F2A, 0x0F33}, {L"-", 0x0F3C}, {L"=", 0x0F3D},
    {L"q", L"e", 0x0F15, 0x0F17}, {L"r", 0x0FBC}, {L"t", 0x0F9C}, {L"y", 0x0FBB},
    {L"u", L"\\", 0x0F18, 0x0F1E},
    {L"a", 0x0F71}, {L"s", 0x0F1F}, {L"d", 0x0F4C}, {L"f", 0x0F3E}, {L"g", 0x0F3F}, {L"h", 0x0FCF},
    {L"j", 0x0F02}, {L"k", 0x0F03}, {L"l", 0x0F06}, {L";", 0x0F07}, {L"'", 0x0F38},
    {L"z", 0x0F34}, {L"x", 0x0F65}, {L"c", 0x0F69}, {L"v", 0x0F87}, {L"b", 0x0F86}, {L"n", 0x0F4E},
    {L",", 0x0F4B}, {L".", 0x0F3A}, {L"/", 0x0F3B},
    {L"Space", 0x0F0B},
};
// Page 3: Wylie-F, Wylie.
constexpr SoftLabelRun kPage3Layout1_7[] = {
    {L"1", L"9", 0x0F21, 0x0F29}, {L"0", 0x0F20},
    {L"q", L"p", 0x0F71, 0x0F7A},
    {L"a", L"l", 0x0F7B, 0x0F83},
    {L"z", L",", 0x0F84, 0x0F8B},
    {L"Space", 0x0F0B},
};
// Page 3: Dzongkha.
constexpr SoftLabelRun kPage3Layout2[] = {
    {L"`", 0x0FD1}, {L"1", L"9", 0x0031, 0x0039}, {L"0", 0x0030}, {L"-", 0x002D}, {L"=", 0x003D},
    {L"q", 0x0F88}, {L"w", 0x0F89}, {L"e", 0x0F8C}, {L"r", 0x0F83}, {L"t", L"p", 0x0F1A, 0x0F1F},
    {L"[", 0x0028}, {L"]", 0x0029}, {L"\\", 0x005C},
    {L"a", L"d", 0x0F4A, 0x0F4C}, {L"f", 0x0F4E}, {L"j", 0x0F37}, {L"k", 0x0F7E}, {L"l", 0x0F39},
    {L";", 0x003B}, {L"'", 0x0027},
    {L"z", 0x0F13}, {L"x", 0x0FBE}, {L"c", 0x0F03}, {L"v", 0x0F0F}, {L"b", 0x0F6A}, {L"n", 0x0F12},
    {L"m", 0x0F65}, {L",", 0x002C}, {L".", 0x002E}, {L"/", 0x002F},
    {L"Space", 0x0F0B},
};
// Page 3: Sambhota-1.
constexpr SoftLabelRun kPage3Layout3[] = {
    {L"1", L"9", 0x0031, 0x0039}, {L"0", 0x0030}, {L"-", 0x002D}, {L"=", 0x003D},
    {L"q", 0x0F4B}, {L"e", 0x0F7B}, {L"t", 0x0F50}, {L"i", 0x0F80}, {L"o", 0x0F7D}, {L"p", 0x0F55},
    {L"[", 0x0028}, {L"]", 0x0029}, {L"\\", 0x005C},
    {L"a", 0x0F68}, {L"s", 0x0F64}, {L"d", 0x0F5B}, {L"f", 0x0F4E}, {L"g", 0x0F44}, {L"k", 0x0F41},
    {L";", 0x003B}, {L"'", 0x0027},
    {L"z", 0x0F5E}, {L"x", 0x0F5A}, {L"v", 0x0F4E}, {L"b", 0x0F65}, {L"n", 0x0F49}, {L"m", 0x0F65},
    {L",", 0x002C}, {L".", 0x002E}, {L"/", 0x002F},
    {L"Space", 0x0F0B},
};
// Page 3: Sambhota-2.
constexpr SoftLabelRun kPage3Layout4[] = {
    {L"1", L"9", 0x0031, 0x0039}, {L"0", 0x0030}, {L"-", 0x002D}, {L"=", 0x003D},
    {L"q", 0x0F88}, {L"w", 0x0F89}, {L"e", 0x0F8C}, {L"r", 0x0F83}, {L"t", L"p", 0x0F1A, 0x0F1F},
    {L"[", 0x0028}, {L"]", 0x0029}, {L"\\", 0x005C},
    {L"a", L"d", 0x0F4A, 0x0F4C}, {L"f", 0x0F4E}, {L"j", 0x0F37}, {L"k", 0x0F7E}, {L"l", 0x0F39},
    {L";", 0x003B}, {L"'", 0x0027},
    {L"z", 0x0F13}, {L"x", 0x0FBE}, {L"c", 0x0F03}, {L"v", 0x0F0F}, {L"b", 0x0F6A}, {L"n", 0x0F12},
    {L"m", 0x0F65}, {L",", 0x002C}, {L".", 0x002E}, {L"/", 0x002F},
    {L"Space", 0x0F0B},
};
// Page 3: Monlam.
constexpr SoftLabelRun kPage3Layout5[] = {
    {L"1", 0x0FAE}, {L"2", 0x0FAA}, {L"3", 0x0FA0}, {L"4", 0x0F84}, {L"5", 0x0FB4}, {L"6", 0x0F96},
    {L"7", 0x0F99}, {L"8", 0x0FA0}, {L"9", 0x0FA5}, {L"0", 0x0FAB}, {L"-", 0x0FB5}, {L"=", 0x0F9B},
    {L"q", 0x0F9C}, {L"w", 0x0FBA}, {L"r", 0x0FBC}, {L"t", 0x0F9F}, {L"y", 0x0FBB}, {L"p", 0x0FA4},
    {L"[", 0x0FA5},
    {L"s", 0x0FB6}, {L"d", 0x0FA1}, {L"f", 0x0F94}, {L"g", 0x0F92}, {L"h", 0x0FB7}, {L"j", 0x0F97},
    {L"k", 0x0F90}, {L"l", 0x0FB3}, {L";", 0x0F91}, {L"'", 0x0F71},
    {L"z", 0x0FAF}, {L"x", 0x0FA9}, {L"c", 0x0F95}, {L"v", 0x0F9C}, {L"b", 0x0FA6}, {L"n", 0x0FA3},
    {L"m", 0x0FA8},
    {L"Space", 0x0F0B},
};
// Page 3: BZD.
constexpr SoftLabelRun kPage3Layout6[] = {
    {L"1", 0x0FB7}, {L"2", 0x0F9B}, {L"3", 0x0F9A}, {L"4", 0x0FAD}, {L"5", 0x0FA5}, {L"6", 0x0FAB},
    {L"7", 0x0F9C}, {L"8", 0x0FB4}, {L"9", 0x0F9E}, {L"0", 0x0F9B}, {L"-", 0x002D}, {L"=", 0x003D},
    {L"q", 0x0F97}, {L"w", 0x0FA0}, {L"e", 0x0F8C}, {L"r", 0x0FB2}, {L"t", 0x0F9F}, {L"y", 0x0FB1},
    {L"u", L"o", 0x0F1C, 0x0F1E}, {L"p", 0x0FA6}, {L"[", 0x0FB8}, {L"]", 0x0FA9}, {L"\\", 0x0FAA},
    {L"a", 0x0F71}, {L"s", 0x0FB6}, {L"d", 0x0FA1}, {L"f", 0x0F4E}, {L"g", 0x0F94}, {L"h", 0x0FA8},
    {L"j", 0x0F37}, {L"k", 0x0F92}, {L"l", 0x0FB3}, {L";", 0x0FAA}, {L"'", 0x0027},
    {L"z", 0x0FAF}, {L"x", 0x0FB4}, {L"c", 0x0F91}, {L"v", 0x0F90}, {L"b", 0x0FA4}, {L"n", 0x0FA3},
    {L"m", 0x0F96}, {L",", 0x0F95}, {L".", 0x0F99}, {L"/", 0x0FB8},
    {L"Space", 0x0F0B},
};
// Page 4: Himalaya.
constexpr SoftLabelRun kPage4Layout0[] = {
    {L"`", 0x0F00}, {L"1", L"4", 0x0F76, 0x0F79}, {L"5", 0x0F81}, {L"6", 0x0F09}, {L"7", 0x0F0A},
    {L"8", 0x0F0F}, {L"9", 0x0F10}, {L"0", 0x0F12}, {L"-", 0x0F0B}, {L"=", 0x0F13},
    {L"q", 0x0F89}, {L"w", 0x0F88}, {L"e", 0x0FBE}, {L"r", 0x0F6A}, {L"t", 0x0F9A}, {L"y", 0x0FBF},
    {L"u", 0x0F75}, {L"i", 0x0F73}, {L"o", L"]", 0x0FC0, 0x0FC3}, {L"\\", 0x0F5C},
    {L"a", 0x0FC4}, {L"s", 0x0FC5}, {L"d", 0x0F9C}, {L"f", 0x0F57}, {L"g", L"j", 0x0FC6, 0x0FC8},
    {L"k", 0x0F43}, {L"l", L"z", 0x0FC9, 0x0FCC},
    {L"x", 0x0FB5}, {L"c", 0x0FB9}, {L"v", 0x0F36}, {L"b", 0x0F82}, {L"n", 0x0F9E}, {L"m", 0x0F52},
    {L",", 0x0F9B}, {L".", 0x0F8B}, {L"/", 0x0F8A},
    {L"Space", 0x0F0B},
};
// Page 4: Wylie-F, Sambhota-1, Sambhota-2, Monlam, BZD, Wylie.
constexpr SoftLabelRun kPage4Layout1_3_4_5_6_7[] = {
    {L"1", L"9", 0x0F21, 0x0F29}, {L"0", 0x0F20},
    {L"q", L"]", 0x0F00, 0x0F0B},
    {L"a", L".", 0x0F0C, 0x0F1F},
    {L"Space", 0x0F0B},
};
// Page 4: Dzongkha.
constexpr SoftLabelRun kPage4Layout2[] = {
    {L"`", 0x0FD0}, {L"1", 0x0FD3}, {L"2", 0x0FD4}, {L"3", 0x0F3A}, {L"4", 0x0F3B}, {L"5", 0x0F85},
    {L"6", 0x0F01}, {L"7", 0x0F8A}, {L"8", 0x002A}, {L"-", 0x0FD2}, {L"=", 0x002B},
    {L"q", L"e", 0x0F8D, 0x0F8F}, {L"r", 0x0F82}, {L"i", L"p", 0x0F17, 0x0F19}, {L"[", 0x0F3F},
    {L"]", 0x0F3E}, {L"\\", 0x0FBA},
    {L"a", L"d", 0x0F9A, 0x0F9C}, {L"f", 0x0F9E}, {L"j", 0x0F35}, {L"k", 0x0F87}, {L"l", 0x0F86},
    {L";", 0x003A}, {L"'", 0x0022},
    {L"z", 0x0F36}, {L"x", 0x0FBF}, {L"c", 0x0FB0}, {L"v", 0x0FBB}, {L"b", 0x0FBC}, {L"m", 0x0FB5},
    {L",", 0x0FD9}, {L".", 0x0FDA}, {L"/", 0x003F},
    {L"Space", 0x0F0B},
};
// Page 5: Himalaya.
constexpr SoftLabelRun kPage5Layout0[] = {
    {L"t", 0x0F9D}, {L"\\", 0x0FAC},
    {L"d", 0x0F4D}, {L"f", 0x0FA7}, {L"k", 0x0F93},
    {L"m", 0x0FA2},
    {L"Space", 0x0F0B},
};
// Page 5: Wylie-F, Sambhota-1, Sambhota-2, Monlam, BZD.
constexpr SoftLabelRun kPage5Layout1_3_4_5_6[] = {
    {L"1", L"0", 0x0F2A, 0x0F33},
    {L"q", L"]", 0x0F34, 0x0F3F},
    {L"a", L"l", 0x0FBE, 0x0FC6},
    {L"z", L"n", 0x0FC7, 0x0FCC}, {L"m", 0x0FCF},
    {L"Space", 0x0F0B},
};
// Page 5: Dzongkha.
constexpr SoftLabelRun kPage5Layout2[] = {
    {L"Space", 0x0F0B},
};
// Page 5: Wylie.
constexpr SoftLabelRun kPage5Layout7[] = {
    {L"`", 0x0F20}, {L"1", L"0", 0x0F2A, 0x0F33},
    {L"q", L"]", 0x0F34, 0x0F3F},
    {L"a", L"l", 0x0FBE, 0x0FC6},
    {L"z", L"n", 0x0FC7, 0x0FCC}, {L"m", 0x0FCF},
    {L"Space", 0x0F0B},
};
// clang-format on

constexpr SoftLabelRow kSoftLabelRows[] = {
    {1, layoutSet({0}), kPage1Layout0},
    {1, layoutSet({1, 7}), kPage1Layout1_7},
    {1, layoutSet({2}), kPage1Layout2},
    {1, layoutSet({3}), kPage1Layout3},
    {1, layoutSet({4}), kPage1Layout4},
    {1, layoutSet({5}), kPage1Layout5},
    {1, layoutSet({6}), kPage1Layout6},
    {2, layoutSet({0}), kPage2Layout0},
    {2, layoutSet({1, 7}), kPage2Layout1_7},
    {2, layoutSet({2}), kPage2Layout2},
    {2, layoutSet({3}), kPage2Layout3},
    {2, layoutSet({4}), kPage2Layout4},
    {2, layoutSet({5}), kPage2Layout5},
    {2, layoutSet({6}), kPage2Layout6},
    {3, layoutSet({0}), kPage3Layout0},
    {3, layoutSet({1, 7}), kPage3Layout1_7},
    {3, layoutSet({2}), kPage3Layout2},
    {3, layoutSet({3}), kPage3Layout3},
    {3, layoutSet({4}), kPage3Layout4},
    {3, layoutSet({5}), kPage3Layout5},
    {3, layoutSet({6}), kPage3Layout6},
    {4, layoutSet({0}), kPage4Layout0},
    {4, layoutSet({1, 3, 4, 5, 6, 7}), kPage4Layout1_3_4_5_6_7},
    {4, layoutSet({2}), kPage4Layout2},
    {5, layoutSet({0}), kPage5Layout0},
    {5, layoutSet({1, 3, 4, 5, 6}), kPage5Layout1_3_4_5_6},
    {5, layoutSet({2}), kPage5Layout2},
    {5, layoutSet({7}), kPage5Layout7},
};

constexpr SoftPageLabels expandSoftLabelRows() {
    SoftPageLabels labels{};
    for (auto& page : labels) {
        for (auto& layout : page) {
            layout.fill(L' ');
        }
    }
    for (const SoftLabelRow& row : kSoftLabelRows) {
        for (const SoftLabelRun& run : row.runs) {
            // The run's keys are found once and then written for every layout of the row.
            const int first = softLabelPosition(run.firstKey);
            const int last = softLabelPosition(run.lastKey);
            // Not reached for good rows; evaluated at compile time, it stops the build.
            if (first < 0 || last < first) {
                throw "label run with an unknown key or running backwards";
            }
            for (int layout = 0; layout < kSoftLayoutCount; ++layout) {
                if ((row.layouts & (1u << layout)) == 0) {
                    continue;
                }
                for (int pos = first; pos <= last; ++pos) {
                    labels[row.page - 1][layout][kSoftLabelOrder[pos]] =
                        static_cast<wchar_t>(run.firstCode + (pos - first));
                }
            }
        }
    }
    return labels;
}

constexpr bool isTibetan(wchar_t ch) {
    return ch >= 0x0F00 && ch <= 0x0FFF;
}

} // namespace

constinit const SoftPageLabels g_softPageLabels = expandSoftLabelRows();

std::span<const SoftLabelRow> softLabelRows() {
    return kSoftLabelRows;
}

wchar_t SoftPageLabel(int page, int layoutIndex, int keyIndex) {
    if (page < 1 || page > kSoftPageCount || layoutIndex < 0 || layoutIndex >= kSoftLayoutCount ||
        keyIndex < 0 || keyIndex >= kSoftKeyCount) {
        return L' ';
    }
    return g_softPageLabels[page - 1][layoutIndex][keyIndex];
}

bool MapSoftKey(char ch, int softPage, int layoutIndex, wchar_t& out) {
    if (softPage < 1 || softPage > kSoftPageCount || layoutIndex < 0 ||
        layoutIndex >= kSoftLayoutCount) {
        return false;
    }
    // The typed character arrives as a byte of the ANSI code page; a byte above 0x7F is negative
    // here and so never matches a key name.
    const int typed = static_cast<signed char>(ch);
    if (typed == ' ') {
        // Tsheg from page 1, so that space still separates syllables on pages whose Space key
        // is blank (Himalaya's page 2 puts it on Alt).
        out = g_softPageLabels[0][layoutIndex][kSoftKeySpace];
        return true;
    }
    for (int key = 0; key < kSoftKeyCount; ++key) {
        const wchar_t* name = g_softKeyTable[key].name;
        if (static_cast<int>(name[0]) != typed || name[1] != L'\0') {
            continue;
        }
        const wchar_t label = g_softPageLabels[softPage - 1][layoutIndex][key];
        if (isTibetan(label)) {
            out = label;
            return true;
        }
    }
    return false;
}

int NextSoftPage(int page, LayoutId layout) {
    if (page == 4 && layout == LayoutId::Dzongkha) {
        return 1;
    }
    if (page >= 1 && page < kSoftPageCount) {
        return page + 1;
    }
    return 1;
}

} // namespace revaze
