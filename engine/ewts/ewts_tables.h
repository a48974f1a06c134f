// The constant tables of Extended Wylie: consonants with their root and subjoined forms, vowel
// signs, the marks written on a stack, the stand-alone symbols (punctuation, digits, spacing) and
// the superscript and subscript letters that join a stack without a "+". Keys are compared
// case-sensitively; every text is decomposed Unicode (gh is U+0F42 U+0FB7, never U+0F43).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace revaze {

struct EwtsConsonant {
    std::string_view key;
    std::wstring_view root;      // the letter on its own or at the top of a stack
    std::wstring_view subjoined; // the letter under another; empty for f and v
};

struct EwtsVowel {
    std::string_view key;
    std::wstring_view sign; // empty for the inherent a
};

// A mark written after a stack's vowel. Marks of one class are written once per stack.
struct EwtsMark {
    std::string_view key;
    std::wstring_view sign;
    char markClass;
};

// A key that stands for itself outside a syllable.
struct EwtsSymbol {
    std::string_view key;
    std::wstring_view text;
};

// A superscript and the letters it stands over without a "+", as " k g ng " (spaces around each).
struct EwtsSuperscript {
    std::string_view key;
    std::string_view over;
};

inline constexpr wchar_t kEwtsAchen = 0x0F68;
inline constexpr wchar_t kEwtsSubjoinedAchen = 0x0FB8;

inline constexpr std::array<EwtsConsonant, 57> EwtsConsonantTable = {{
    {"k", L"\u0F40", L"\u0F90"},
    {"kh", L"\u0F41", L"\u0F91"},
    {"g", L"\u0F42", L"\u0F92"},
    {"gh", L"\u0F42\u0FB7", L"\u0F92\u0FB7"},
    {"g+h", L"\u0F42\u0FB7", L"\u0F92\u0FB7"},
    {"ng", L"\u0F44", L"\u0F94"},
    {"c", L"\u0F45", L"\u0F95"},
    {"ch", L"\u0F46", L"\u0F96"},
    {"j", L"\u0F47", L"\u0F97"},
    {"ny", L"\u0F49", L"\u0F99"},
    {"T", L"\u0F4A", L"\u0F9A"},
    {"-t", L"\u0F4A", L"\u0F9A"},
    {"Th", L"\u0F4B", L"\u0F9B"},
    {"-th", L"\u0F4B", L"\u0F9B"},
    {"D", L"\u0F4C", L"\u0F9C"},
    {"-d", L"\u0F4C", L"\u0F9C"},
    {"Dh", L"\u0F4C\u0FB7", L"\u0F9C\u0FB7"},
    {"D+h", L"\u0F4C\u0FB7", L"\u0F9C\u0FB7"},
    {"-dh", L"\u0F4C\u0FB7", L"\u0F9C\u0FB7"},
    {"-d+h", L"\u0F4C\u0FB7", L"\u0F9C\u0FB7"},
    {"N", L"\u0F4E", L"\u0F9E"},
    {"-n", L"\u0F4E", L"\u0F9E"},
    {"t", L"\u0F4F", L"\u0F9F"},
    {"th", L"\u0F50", L"\u0FA0"},
    {"d", L"\u0F51", L"\u0FA1"},
    {"dh", L"\u0F51\u0FB7", L"\u0FA1\u0FB7"},
    {"d+h", L"\u0F51\u0FB7", L"\u0FA1\u0FB7"},
    {"n", L"\u0F53", L"\u0FA3"},
    {"p", L"\u0F54", L"\u0FA4"},
    {"ph", L"\u0F55", L"\u0FA5"},
    {"b", L"\u0F56", L"\u0FA6"},
    {"bh", L"\u0F56\u0FB7", L"\u0FA6\u0FB7"},
    {"b+h", L"\u0F56\u0FB7", L"\u0FA6\u0FB7"},
    {"m", L"\u0F58", L"\u0FA8"},
    {"ts", L"\u0F59", L"\u0FA9"},
    {"tsh", L"\u0F5A", L"\u0FAA"},
    {"dz", L"\u0F5B", L"\u0FAB"},
    {"dzh", L"\u0F5B\u0FB7", L"\u0FAB\u0FB7"},
    {"dz+h", L"\u0F5B\u0FB7", L"\u0FAB\u0FB7"},
    {"w", L"\u0F5D", L"\u0FAD"},
    {"zh", L"\u0F5E", L"\u0FAE"},
    {"z", L"\u0F5F", L"\u0FAF"},
    {"'", L"\u0F60", L"\u0FB0"},
    {"y", L"\u0F61", L"\u0FB1"},
    {"r", L"\u0F62", L"\u0FB2"},
    {"l", L"\u0F63", L"\u0FB3"},
    {"sh", L"\u0F64", L"\u0FB4"},
    {"Sh", L"\u0F65", L"\u0FB5"},
    {"-sh", L"\u0F65", L"\u0FB5"},
    {"s", L"\u0F66", L"\u0FB6"},
    {"h", L"\u0F67", L"\u0FB7"},
    {"kSh", L"\u0F40\u0FB5", L"\u0F90\u0FB5"},
    {"W", L"\u0F5D", L"\u0FBA"},
    {"Y", L"\u0F61", L"\u0FBB"},
    {"R", L"\u0F6A", L"\u0FBC"},
    {"f", L"\u0F55\u0F39", L""},
    {"v", L"\u0F56\u0F39", L""},
}};

// The vocalic r and l (r-i, l-I) are the letters r and l with the signs -i and -I.
inline constexpr std::array<EwtsVowel, 12> EwtsVowelTable = {{
    {"a", L""},
    {"A", L"\u0F71"},
    {"i", L"\u0F72"},
    {"I", L"\u0F71\u0F72"},
    {"u", L"\u0F74"},
    {"U", L"\u0F71\u0F74"},
    {"e", L"\u0F7A"},
    {"ai", L"\u0F7B"},
    {"o", L"\u0F7C"},
    {"au", L"\u0F7D"},
    {"-i", L"\u0F80"},
    {"-I", L"\u0F71\u0F80"},
}};

inline constexpr std::array<EwtsMark, 9> EwtsMarkTable = {{
    {"M", L"\u0F7E", 'M'},
    {"~M`", L"\u0F82", 'M'},
    {"~M", L"\u0F83", 'M'},
    {"X", L"\u0F37", 'X'},
    {"~X", L"\u0F35", 'X'},
    {"H", L"\u0F7F", 'H'},
    {"?", L"\u0F84", '?'},
    {"^", L"\u0F39", '^'},
    {"&", L"\u0F85", '&'},
}};

// A space is a tsheg; "_" is a real space.
inline constexpr std::array<EwtsSymbol, 29> EwtsSymbolTable = {{
    {"0", L"\u0F20"}, {"1", L"\u0F21"}, {"2", L"\u0F22"}, {"3", L"\u0F23"},  {"4", L"\u0F24"},
    {"5", L"\u0F25"}, {"6", L"\u0F26"}, {"7", L"\u0F27"}, {"8", L"\u0F28"},  {"9", L"\u0F29"},
    {" ", L"\u0F0B"}, {"*", L"\u0F0C"}, {"/", L"\u0F0D"}, {"//", L"\u0F0E"}, {";", L"\u0F0F"},
    {"|", L"\u0F11"}, {"!", L"\u0F08"}, {":", L"\u0F14"}, {"_", L" "},       {"=", L"\u0F34"},
    {"<", L"\u0F3A"}, {">", L"\u0F3B"}, {"(", L"\u0F3C"}, {")", L"\u0F3D"},  {"@", L"\u0F04"},
    {"#", L"\u0F05"}, {"$", L"\u0F06"}, {"%", L"\u0F07"}, {"&", L"\u0F85"},
}};

inline constexpr std::array<EwtsSuperscript, 3> EwtsSuperscriptTable = {{
    {"r", " k g ng j ny t d n b m ts dz "},
    {"l", " k g ng c j t d p b h "},
    {"s", " k g ng ny t d n p b m ts "},
}};

// The letters that join under a stack without a "+" (at most two of them).
inline constexpr std::array<std::string_view, 4> EwtsSubscripts = {"y", "r", "l", "w"};

// Longest key of any table.
inline constexpr std::size_t kEwtsLongestKey = 4;

const EwtsConsonant* findEwtsConsonant(std::string_view key);
const EwtsVowel* findEwtsVowel(std::string_view key);
const EwtsMark* findEwtsMark(std::string_view key);
const EwtsSymbol* findEwtsSymbol(std::string_view key);
// True when `key` stands over `below` without a "+" (r over k: rk is one stack).
bool ewtsSuperscriptOver(std::string_view key, std::string_view below);
bool isEwtsSubscript(std::string_view key);
// True when `key` is a key of some table (the tokens the parser reads whole).
bool isEwtsKey(std::string_view key);

} // namespace revaze
