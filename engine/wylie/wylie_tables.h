// The constant tables of the Wylie layout: which keys compose, which keys stand for a Tibetan
// character on their own, and the Latin spellings of vowels, letters and stacks of two to four
// keys. Keys are compared case-sensitively, byte for byte; the first matching entry wins.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace revaze {

// The keys that compose a Wylie syllable (the space among them).
inline constexpr std::wstring_view WylieAlphabet = L"a bcdeghijklmnoprstu'wyzDEIKNMOTUYSAH.";

// A key that stands for one character while nothing is composed.
struct DirectKey {
    char key; // 0 ends the table
    wchar_t unit;
};

// A vowel key and the sign it writes; the inherent vowel a writes none.
struct VowelEntry {
    char key;
    wchar_t sign; // 0: no sign
};

// One Latin key and its Tibetan letter.
struct LetterEntry {
    std::string_view key; // empty ends the table
    wchar_t unit;
};

// A Latin spelling of two to four keys and the code units of the stack it stands for.
template <std::size_t Units> struct ClusterEntry {
    std::string_view key; // empty ends the table
    std::array<wchar_t, Units> units;
    int count; // code units used in `units`

    std::wstring_view spelling() const { return {units.data(), static_cast<std::size_t>(count)}; }
};
using PairEntry = ClusterEntry<2>;
using TripleEntry = ClusterEntry<3>;
using QuadEntry = ClusterEntry<3>;

inline constexpr std::size_t kDirectKeyCapacity = 65;
inline constexpr std::size_t kLetterCapacity = 30;

// Used only while nothing is composed. "," and the space both give the tsheg; "_" gives a space.
inline constexpr std::array<DirectKey, kDirectKeyCapacity> DirectKeyTable = {{
    {'`', 0x0F00}, {'~', 0x0F01}, {'!', 0x0F08}, {'@', 0x0F04}, {'#', 0x0F05}, {'$', 0x0F06},
    {'%', 0x0F07}, {'=', 0x0F34}, {'&', 0x0F85}, {'^', 0x0F39}, {'0', 0x0F20}, {'1', 0x0F21},
    {'2', 0x0F22}, {'3', 0x0F23}, {'4', 0x0F24}, {'5', 0x0F25}, {'6', 0x0F26}, {'7', 0x0F27},
    {'8', 0x0F28}, {'9', 0x0F29}, {')', 0x0F3D}, {'(', 0x0F3C}, {':', 0x0F14}, {';', 0x0F0F},
    {'[', 0x0F10}, {']', 0x0F12}, {'>', 0x0F3B}, {',', 0x0F0B}, {'/', 0x0F0D}, {'<', 0x0F3A},
    {'i', 0x0F72}, {'u', 0x0F74}, {'e', 0x0F7A}, {'o', 0x0F7C}, {'I', 0x0F80}, {'U', 0x0F83},
    {'E', 0x0F7B}, {'O', 0x0F7D}, {'M', 0x0F7E}, {'H', 0x0F7F}, {'.', 0x0F0F}, {'?', 0x0F1B},
    {'+', 0x0F15}, {'_', 0x0020}, {'|', 0x0F11}, {'{', 0x0F3F}, {'}', 0x0F3E}, {' ', 0x0F0B},
}};

inline constexpr std::array<VowelEntry, 11> VowelTable = {{
    {'i', 0x0F72},
    {'u', 0x0F74},
    {'e', 0x0F7A},
    {'o', 0x0F7C},
    {'I', 0x0F80},
    {'U', 0x0F83},
    {'E', 0x0F7B},
    {'O', 0x0F7D},
    {'M', 0x0F7E},
    {'H', 0x0F7F},
    {'a', 0},
}};

inline constexpr std::array<LetterEntry, kLetterCapacity> LetterTable = {{
    {"k", 0x0F40}, {"g", 0x0F42}, {"c", 0x0F45}, {"j", 0x0F47}, {"T", 0x0F4A},
    {"D", 0x0F4C}, {"N", 0x0F4E}, {"H", 0x0F7F}, {"t", 0x0F4F}, {"d", 0x0F51},
    {"n", 0x0F53}, {"p", 0x0F54}, {"b", 0x0F56}, {"m", 0x0F58}, {"w", 0x0F5D},
    {"z", 0x0F5F}, {"'", 0x0F60}, {"y", 0x0F61}, {"r", 0x0F62}, {"l", 0x0F63},
    {"s", 0x0F66}, {"S", 0x0F65}, {"h", 0x0F67}, {"a", 0x0F68}, {"R", 0x0F6A},
}};

inline constexpr std::array<PairEntry, 94> PairTable = {{
    {"kh", {0x0F41}, 1},         {"ng", {0x0F44}, 1},         {"ch", {0x0F46}, 1},
    {"ny", {0x0F49}, 1},         {"th", {0x0F50}, 1},         {"ph", {0x0F55}, 1},
    {"ts", {0x0F59}, 1},         {"dz", {0x0F5B}, 1},         {"zh", {0x0F5E}, 1},
    {"sh", {0x0F64}, 1},         {"Th", {0x0F4B}, 1},         {"Sh", {0x0F65}, 1},
    {"Dh", {0x0F4D}, 1},         {"gh", {0x0F43}, 1},         {"dh", {0x0F52}, 1},
    {"bh", {0x0F57}, 1},         {"KS", {0x0F69}, 1},         {"kS", {0x0F69}, 1},
    {"rk", {0x0F62, 0x0F90}, 2}, {"rg", {0x0F62, 0x0F92}, 2}, {"rj", {0x0F62, 0x0F97}, 2},
    {"rt", {0x0F62, 0x0F9F}, 2}, {"rd", {0x0F62, 0x0FA1}, 2}, {"rn", {0x0F62, 0x0FA3}, 2},
    {"rb", {0x0F62, 0x0FA6}, 2}, {"rm", {0x0F62, 0x0FA8}, 2}, {"lk", {0x0F63, 0x0F90}, 2},
    {"lg", {0x0F63, 0x0F92}, 2}, {"lc", {0x0F63, 0x0F95}, 2}, {"lj", {0x0F63, 0x0F97}, 2},
    {"lt", {0x0F63, 0x0F9F}, 2}, {"ld", {0x0F63, 0x0FA1}, 2}, {"lp", {0x0F63, 0x0FA4}, 2},
    {"lb", {0x0F63, 0x0FA6}, 2}, {"lh", {0x0F63, 0x0FB7}, 2}, {"sk", {0x0F66, 0x0F90}, 2},
    {"sg", {0x0F66, 0x0F92}, 2}, {"st", {0x0F66, 0x0F9F}, 2}, {"sd", {0x0F66, 0x0FA1}, 2},
    {"sn", {0x0F66, 0x0FA3}, 2}, {"sp", {0x0F66, 0x0FA4}, 2}, {"sb", {0x0F66, 0x0FA6}, 2},
    {"sm", {0x0F66, 0x0FA8}, 2}, {"ky", {0x0F40, 0x0FB1}, 2}, {"gy", {0x0F42, 0x0FB1}, 2},
    {"py", {0x0F54, 0x0FB1}, 2}, {"by", {0x0F56, 0x0FB1}, 2}, {"my", {0x0F58, 0x0FB1}, 2},
    {"hy", {0x0F67, 0x0FB1}, 2}, {"kr", {0x0F40, 0x0FB2}, 2}, {"gr", {0x0F42, 0x0FB2}, 2},
    {"tr", {0x0F4F, 0x0FB2}, 2}, {"dr", {0x0F51, 0x0FB2}, 2}, {"nr", {0x0F53, 0x0FB2}, 2},
    {"pr", {0x0F54, 0x0FB2}, 2}, {"br", {0x0F56, 0x0FB2}, 2}, {"mr", {0x0F58, 0x0FB2}, 2},
    {"sr", {0x0F66, 0x0FB2}, 2}, {"hr", {0x0F67, 0x0FB2}, 2}, {"kl", {0x0F40, 0x0FB3}, 2},
    {"gl", {0x0F42, 0x0FB3}, 2}, {"bl", {0x0F56, 0x0FB3}, 2}, {"zl", {0x0F5F, 0x0FB3}, 2},
    {"rl", {0x0F62, 0x0FB3}, 2}, {"sl", {0x0F66, 0x0FB3}, 2}, {"kw", {0x0F40, 0x0FAD}, 2},
    {"gw", {0x0F42, 0x0FAD}, 2}, {"tw", {0x0F4F, 0x0FAD}, 2}, {"dw", {0x0F51, 0x0FAD}, 2},
    {"zw", {0x0F5F, 0x0FAD}, 2}, {"rw", {0x0F62, 0x0FAD}, 2}, {"lw", {0x0F63, 0x0FAD}, 2},
    {"sw", {0x0F66, 0x0FAD}, 2}, {"hw", {0x0F67, 0x0FAD}, 2}, {"'w", {0x0F60, 0x0FAD}, 2},
    {"kA", {0x0F40, 0x0F71}, 2}, {"gA", {0x0F42, 0x0F71}, 2}, {"cA", {0x0F45, 0x0F71}, 2},
    {"jA", {0x0F47, 0x0F71}, 2}, {"tA", {0x0F4F, 0x0F71}, 2}, {"dA", {0x0F51, 0x0F71}, 2},
    {"nA", {0x0F53, 0x0F71}, 2}, {"pA", {0x0F54, 0x0F71}, 2}, {"bA", {0x0F56, 0x0F71}, 2},
    {"mA", {0x0F58, 0x0F71}, 2}, {"wA", {0x0F5D, 0x0F71}, 2}, {"zA", {0x0F5F, 0x0F71}, 2},
    {"yA", {0x0F61, 0x0F71}, 2}, {"rA", {0x0F62, 0x0F71}, 2}, {"lA", {0x0F63, 0x0F71}, 2},
    {"sA", {0x0F66, 0x0F71}, 2}, {"hA", {0x0F67, 0x0F71}, 2}, {"aA", {0x0F68, 0x0F71}, 2},
    {"hp", {0x0F67, 0x0FA5}, 2},
}};

inline constexpr std::array<TripleEntry, 46> TripleTable = {{
    {"rky", {0x0F62, 0x0F90, 0x0FB1}, 3},
    {"sky", {0x0F66, 0x0F90, 0x0FB1}, 3},
    {"skr", {0x0F66, 0x0F90, 0x0FB2}, 3},
    {"khA", {0x0F41, 0x0F71}, 2},
    {"khw", {0x0F41, 0x0FAD}, 2},
    {"khy", {0x0F41, 0x0FB1}, 2},
    {"khr", {0x0F41, 0x0FB2}, 2},
    {"grw", {0x0F42, 0x0FB2, 0x0FAD}, 3},
    {"rgy", {0x0F62, 0x0F92, 0x0FB1}, 3},
    {"sgy", {0x0F66, 0x0F92, 0x0FB1}, 3},
    {"sgr", {0x0F66, 0x0F92, 0x0FB2}, 3},
    {"ngA", {0x0F44, 0x0F71}, 2},
    {"rng", {0x0F62, 0x0F94}, 2},
    {"lng", {0x0F63, 0x0F94}, 2},
    {"sng", {0x0F66, 0x0F94}, 2},
    {"chA", {0x0F46, 0x0F71}, 2},
    {"nyA", {0x0F49, 0x0F71}, 2},
    {"nyw", {0x0F49, 0x0FAD}, 2},
    {"rny", {0x0F62, 0x0F99}, 2},
    {"sny", {0x0F66, 0x0F99}, 2},
    {"thA", {0x0F50, 0x0F71}, 2},
    {"thr", {0x0F50, 0x0FB2}, 2},
    {"snr", {0x0F66, 0x0FA3, 0x0FB2}, 3},
    {"spy", {0x0F66, 0x0FA4, 0x0FB1}, 3},
    {"spr", {0x0F66, 0x0FA4, 0x0FB2}, 3},
    {"phA", {0x0F55, 0x0F71}, 2},
    {"phy", {0x0F55, 0x0FB1}, 2},
    {"phr", {0x0F55, 0x0FB2}, 2},
    {"sby", {0x0F66, 0x0FA6, 0x0FB1}, 3},
    {"sbr", {0x0F66, 0x0FA6, 0x0FB2}, 3},
    {"rmy", {0x0F62, 0x0FA8, 0x0FB1}, 3},
    {"smy", {0x0F66, 0x0FA8, 0x0FB1}, 3},
    {"smr", {0x0F66, 0x0FA8, 0x0FB2}, 3},
    {"tsA", {0x0F59, 0x0F71}, 2},
    {"rts", {0x0F62, 0x0FA9}, 2},
    {"sts", {0x0F66, 0x0FA9}, 2},
    {"tsh", {0x0F5A}, 1},
    {"dzA", {0x0F5B, 0x0F71}, 2},
    {"rdz", {0x0F62, 0x0FAB}, 2},
    {"zhA", {0x0F5E, 0x0F71}, 2},
    {"zhw", {0x0F5E, 0x0FAD}, 2},
    {"shA", {0x0F64, 0x0F71}, 2},
    {"shw", {0x0F64, 0x0FAD}, 2},
    {"hph", {0x0F67, 0x0FA5}, 2},
    {"kSh", {0x0F69}, 1},
    {"dzh", {0x0F5C}, 1},
}};

inline constexpr std::array<QuadEntry, 4> QuadTable = {{
    {"phyw", {0x0F55, 0x0FB1, 0x0FAD}, 3},
    {"rtsw", {0x0F62, 0x0FA9, 0x0FAD}, 3},
    {"tshw", {0x0F5A, 0x0FAD}, 2},
    {"tshA", {0x0F5A, 0x0F71}, 2},
}};

// True when `ch` is a composing key of the Wylie layout; NUL never is.
bool isWylieKey(char ch);
// The character a key stands for while nothing is composed; false when it stands for none.
bool findDirectKey(char ch, wchar_t& unit);
// The vowel entry of a key, or null when the key is no vowel.
const VowelEntry* findVowel(char ch);
// The letter of a key, or 0 when it has none.
wchar_t letterOf(char ch);
// The entry whose key equals `key` exactly, or null.
const PairEntry* findPair(std::string_view key);
const TripleEntry* findTriple(std::string_view key);
const QuadEntry* findQuad(std::string_view key);

} // namespace revaze
