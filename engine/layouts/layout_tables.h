// The constant tables of the seven table-driven keyboard layouts. Each layout maps one to four
// typed key characters to one UTF-16 code unit; a prefix key (f in Wylie-F, the backtick in
// Dzongkha, ...) gives a placeholder that the next key turns into a subjoined letter.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace revaze {

// A key typed with nothing composed that commits one code unit at once.
struct DirectRow {
    char key;
    wchar_t code;
};

// One to four keys and the code unit they compose.
struct KeyRow {
    std::string_view keys;
    wchar_t code;
};

inline constexpr std::size_t kDirectCapacity = 70;
inline constexpr std::size_t kOneKeyCapacity = 110;
inline constexpr std::size_t kTwoKeyCapacity = 110;
inline constexpr std::size_t kThreeKeyCapacity = 25;
inline constexpr std::size_t kFourKeyCapacity = 2;

// layoutIndex values.
inline constexpr int kHimalaya = 0;
inline constexpr int kWylieF = 1;
inline constexpr int kDzongkha = 2;
inline constexpr int kSambhota1 = 3;
inline constexpr int kSambhota2 = 4;
inline constexpr int kMonlam = 5;
inline constexpr int kBzd = 6;
inline constexpr int kWylie = 7;
inline constexpr int kLayoutCount = 8;

struct LayoutTables {
    std::string_view keySet; // the characters accepted as composing keys
    std::span<const DirectRow> direct;
    std::span<const KeyRow> oneKey;
    std::span<const KeyRow> twoKey;
    std::span<const KeyRow> threeKey;
    std::span<const KeyRow> fourKey;
};

// The tables of `layoutIndex` (layouts.h ties indexes to layouts); an index outside 0..7 gets
// tables that hold nothing.
const LayoutTables& layoutTables(int layoutIndex);

// The first direct row for `key`, or null. A row may hold code 0 (Dzongkha $).
const DirectRow* findDirectRow(const LayoutTables& tables, char key);
// The code of the first one-key row whose sequence starts with `key`; 0 when there is none.
wchar_t oneKeyCode(const LayoutTables& tables, char key);
// The code of the first row of the two-, three- or four-key table (chosen by the length of
// `keys`) whose sequence equals `keys`; 0 when there is none or the length is not 2 to 4.
wchar_t multiKeyCode(const LayoutTables& tables, std::string_view keys);
// True when `key` is one of the layout's composing keys. NUL never is.
bool isLayoutKey(const LayoutTables& tables, char key);

} // namespace revaze
