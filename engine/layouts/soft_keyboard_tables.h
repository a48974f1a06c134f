// The soft keyboard as data: its 57 keys (name, virtual key, place on the window and in the key cap
// bitmap), the Tibetan label of every key on each of the five pages of each layout, and the
// lookups the key path needs. Portable: the window only draws what these tables say.
#pragma once

#include "common/keys.h"

#include <array>
#include <span>
#include <string_view>

namespace revaze {

inline constexpr int kSoftKeyCount = 57;
inline constexpr int kSoftPageCount = 5;
inline constexpr int kSoftLayoutCount = 8;

// Key indexes the window and the key handlers name directly.
inline constexpr int kSoftKeyAlt = 54;
inline constexpr int kSoftKeySpace = 55;
inline constexpr int kSoftKeyStar = 56;

inline constexpr const wchar_t* kStarKeyName = L"\u2606\u0FC8\u2606";

struct SoftKeyDef {
    int number; // 1..57, not consulted
    int virtualKey;
    const wchar_t* name;
};

// In key index order, row by row as the keys sit on the keyboard.
inline constexpr std::array<SoftKeyDef, kSoftKeyCount> g_softKeyTable{{
    {1, kVkOem3, L"`"},
    {2, '1', L"1"},
    {3, '2', L"2"},
    {4, '3', L"3"},
    {5, '4', L"4"},
    {6, '5', L"5"},
    {7, '6', L"6"},
    {8, '7', L"7"},
    {9, '8', L"8"},
    {10, '9', L"9"},
    {11, '0', L"0"},
    {12, kVkOemMinus, L"-"},
    {13, kVkOemPlus, L"="},
    {14, kVkBack, L"Back"},

    {15, kVkTab, L"Tab"},
    {16, 'Q', L"q"},
    {17, 'W', L"w"},
    {18, 'E', L"e"},
    {19, 'R', L"r"},
    {20, 'T', L"t"},
    {21, 'Y', L"y"},
    {22, 'U', L"u"},
    {23, 'I', L"i"},
    {24, 'O', L"o"},
    {25, 'P', L"p"},
    {26, kVkOem4, L"["},
    {27, kVkOem6, L"]"},
    {28, kVkOem5, L"\\"},

    {29, kVkCapital, L"Caps"},
    {30, 'A', L"a"},
    {31, 'S', L"s"},
    {32, 'D', L"d"},
    {33, 'F', L"f"},
    {34, 'G', L"g"},
    {35, 'H', L"h"},
    {36, 'J', L"j"},
    {37, 'K', L"k"},
    {38, 'L', L"l"},
    {39, kVkOem1, L";"},
    {40, kVkOem7, L"'"},
    {41, kVkReturn, L"Enter"},

    {42, kVkShift, L"Shift"},
    {43, 'Z', L"z"},
    {44, 'X', L"x"},
    {45, 'C', L"c"},
    {46, 'V', L"v"},
    {47, 'B', L"b"},
    {48, 'N', L"n"},
    {49, 'M', L"m"},
    {50, kVkOemComma, L","},
    {51, kVkOemPeriod, L"."},
    {52, kVkOem2, L"/"},
    {53, kVkShift, L"Shift"},

    {54, kVkControl, L"Ctrl"},
    {55, kVkMenu, L"Alt"},
    {56, kVkSpace, L"Space"},
    {57, kVkHelp, kStarKeyName},
}};

// Where a key sits on the 434 x 154 window and which cap of bitmap 113 it shows. The cap is the
// raised picture; the pressed one is kSoftKeyPressedCapOffset pixels lower.
struct SoftKeyGeometry {
    int x;
    int y;
    int width;
    int height;
    int capX;
    int capY;
};

inline constexpr int kSoftKeyHeight = 30;
inline constexpr int kSoftKeyPressedCapOffset = 30;

namespace detail {

// A stretch of equal keys in one keyboard row: keys firstIndex..lastIndex side by side from x.
struct SoftKeySpan {
    int firstIndex;
    int lastIndex;
    int x;
    int y;
    int width;
    int capX;
};

// clang-format off
inline constexpr SoftKeySpan kSoftKeySpans[] = {
    // first, last, x, y, width, capX
    {0, 12, 2, 2, 30, 0}, {13, 13, 392, 2, 40, 65},                                // ` .. =, Back
    {14, 14, 2, 32, 35, 30}, {15, 26, 37, 32, 30, 0}, {27, 27, 397, 32, 35, 30},   // Tab .. ]
    {28, 28, 2, 62, 50, 105}, {29, 39, 52, 62, 30, 0}, {40, 40, 382, 62, 50, 105}, // Caps .. Enter
    {41, 41, 2, 92, 65, 155}, {42, 51, 67, 92, 30, 0}, {52, 52, 367, 92, 65, 155}, // Shifts
    {53, 53, 2, 122, 50, 105}, {54, 54, 52, 122, 50, 105},                         // Ctrl, Alt
    {55, 55, 102, 122, 200, 220}, {56, 56, 382, 122, 50, 105},                     // Space, star
};
// clang-format on

constexpr std::array<SoftKeyGeometry, kSoftKeyCount> expandSoftKeySpans() {
    std::array<SoftKeyGeometry, kSoftKeyCount> keys{};
    for (const SoftKeySpan& span : kSoftKeySpans) {
        for (int i = span.firstIndex; i <= span.lastIndex; ++i) {
            keys[i] = {span.x + span.width * (i - span.firstIndex),
                       span.y,
                       span.width,
                       kSoftKeyHeight,
                       span.capX,
                       0};
        }
    }
    return keys;
}

} // namespace detail

inline constexpr std::array<SoftKeyGeometry, kSoftKeyCount> kSoftKeyGeometry =
    detail::expandSoftKeySpans();

// The order in which the label rows list the keys: the keys that can carry a label, skipping
// Back, Tab, Caps, Enter, the Shifts and Ctrl, which are always blank.
// clang-format off
inline constexpr std::array<int, 50> kSoftLabelOrder{
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12,           // ` 1 .. 9 0 - =
    15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, // q .. p [ ] and the backslash key
    29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39,         // a .. l ; '
    42, 43, 44, 45, 46, 47, 48, 49, 50, 51,             // z .. m , . /
    kSoftKeyAlt, kSoftKeySpace, kSoftKeyStar,
};
// clang-format on

// Two zero-terminated key names are equal. Spelled out so that the compile-time expansion of the
// label rows stays within every compiler's default evaluation limits.
constexpr bool sameKeyName(const wchar_t* a, const wchar_t* b) {
    for (; *a != L'\0' && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

// Position in kSoftLabelOrder of the key with this name, or -1.
constexpr int softLabelPosition(const wchar_t* name) {
    for (int pos = 0; pos < static_cast<int>(kSoftLabelOrder.size()); ++pos) {
        if (sameKeyName(name, g_softKeyTable[kSoftLabelOrder[pos]].name)) {
            return pos;
        }
    }
    return -1;
}

// One entry of a label row: the keys firstKey..lastKey (in kSoftLabelOrder) carry the code points
// firstCode..lastCode. lastCode is kept, although the expansion does not need it, so that a run
// whose two ends disagree shows up in the tests instead of shifting labels silently.
struct SoftLabelRun {
    const wchar_t* firstKey;
    const wchar_t* lastKey;
    int firstCode;
    int lastCode;

    constexpr SoftLabelRun(const wchar_t* key, int code)
        : firstKey(key), lastKey(key), firstCode(code), lastCode(code) {}
    constexpr SoftLabelRun(const wchar_t* first, const wchar_t* last, int firstCode, int lastCode)
        : firstKey(first), lastKey(last), firstCode(firstCode), lastCode(lastCode) {}
};

// The labels of one page for a set of layouts that share them (bit n = layout index n).
struct SoftLabelRow {
    int page;
    unsigned layouts;
    std::span<const SoftLabelRun> runs;
};

// The rows g_softPageLabels is expanded from, in the order they were written down.
std::span<const SoftLabelRow> softLabelRows();

using SoftPageLabels =
    std::array<std::array<std::array<wchar_t, kSoftKeyCount>, kSoftLayoutCount>, kSoftPageCount>;

// [page - 1][layout index][key index]. Keys without a label carry U+0020; the star key carries
// U+0000 on Himalaya's page 2.
extern const SoftPageLabels g_softPageLabels;

// The label of a key; U+0020 (a blank key) for a page, layout or key out of range.
wchar_t SoftPageLabel(int page, int layoutIndex, int keyIndex);

// Turns a typed character into the Tibetan character the soft keyboard shows for it. A blank
// always gives the Space label of page 1 (tsheg); any other character gives the label of the first
// key whose one-character name it is, if that label is in the Tibetan block. False otherwise,
// also for a page or layout out of range.
bool MapSoftKey(char ch, int softPage, int layoutIndex, wchar_t& out);

enum class LayoutId : int;

// The page the star key goes to: 1 -> 2 -> 3 -> 4 -> 5 -> 1, except that Dzongkha skips its
// page 5 and goes from 4 back to 1. Anything not in 1..4 goes to 1.
int NextSoftPage(int page, LayoutId layout);

} // namespace revaze
