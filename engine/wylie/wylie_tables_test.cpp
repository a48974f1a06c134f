#include "wylie/wylie_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/text.h"

namespace revaze {
namespace {

// Entries before the first empty key, checking that every later one is empty too.
template <typename Table> std::size_t usedEntries(const Table& table) {
    std::size_t used = 0;
    while (used < table.size() && !table[used].key.empty()) {
        ++used;
    }
    for (std::size_t i = used; i < table.size(); ++i) {
        EXPECT_TRUE(table[i].key.empty()) << "entry " << i << " after the end of its table";
    }
    return used;
}

bool isTibetan(wchar_t unit) {
    return unit >= 0x0F00 && unit <= 0x0FFF;
}

template <typename Table>
void expectWellFormedClusters(const Table& table, std::size_t keyLength, int minCount) {
    std::set<std::string_view> keys;
    for (const auto& entry : table) {
        SCOPED_TRACE(std::string(entry.key));
        EXPECT_EQ(entry.key.size(), keyLength);
        EXPECT_TRUE(keys.insert(entry.key).second) << "key twice";
        ASSERT_GE(entry.count, minCount);
        ASSERT_LE(entry.count, static_cast<int>(entry.units.size()));
        for (int i = 0; i < static_cast<int>(entry.units.size()); ++i) {
            if (i < entry.count) {
                EXPECT_TRUE(isTibetan(entry.units[i])) << "unit " << i;
            } else {
                EXPECT_EQ(entry.units[i], L'\0') << "unit " << i << " beyond the count";
            }
        }
    }
}

TEST(WylieTables, EntryCountsAndCapacities) {
    EXPECT_EQ(WylieAlphabet.size(), 38u);
    EXPECT_EQ(std::set<wchar_t>(WylieAlphabet.begin(), WylieAlphabet.end()).size(), 38u);

    std::size_t direct = 0;
    while (direct < DirectKeyTable.size() && DirectKeyTable[direct].key != '\0') {
        ++direct;
    }
    EXPECT_EQ(direct, 48u);
    EXPECT_EQ(DirectKeyTable.size(), 65u);
    EXPECT_EQ(VowelTable.size(), 11u);
    EXPECT_EQ(usedEntries(LetterTable), 25u);
    EXPECT_EQ(LetterTable.size(), 30u);
    EXPECT_EQ(usedEntries(PairTable), 94u);
    EXPECT_EQ(usedEntries(TripleTable), 46u);
    EXPECT_EQ(usedEntries(QuadTable), 4u);
}

TEST(WylieTables, NoKeyTwiceAndEveryValueTibetan) {
    std::set<char> directKeys;
    for (const DirectKey& entry : DirectKeyTable) {
        if (entry.key == '\0') {
            break;
        }
        EXPECT_TRUE(directKeys.insert(entry.key).second) << "direct key " << entry.key;
        EXPECT_TRUE(isTibetan(entry.unit) || (entry.key == '_' && entry.unit == L' '))
            << "direct key " << entry.key;
    }
    std::set<char> vowelKeys;
    for (const VowelEntry& entry : VowelTable) {
        EXPECT_TRUE(vowelKeys.insert(entry.key).second) << "vowel " << entry.key;
        EXPECT_TRUE(isTibetan(entry.sign) || entry.key == 'a') << "vowel " << entry.key;
    }
    std::set<std::string_view> letterKeys;
    for (std::size_t i = 0; i < usedEntries(LetterTable); ++i) {
        EXPECT_EQ(LetterTable[i].key.size(), 1u);
        EXPECT_TRUE(letterKeys.insert(LetterTable[i].key).second) << LetterTable[i].key;
        EXPECT_TRUE(isTibetan(LetterTable[i].unit)) << LetterTable[i].key;
    }
    expectWellFormedClusters(PairTable, 2, 1);
    expectWellFormedClusters(TripleTable, 3, 1);
    expectWellFormedClusters(QuadTable, 4, 2);
}

TEST(WylieTables, AlphabetMembership) {
    const struct {
        char key;
        bool composing;
    } cases[] = {
        {'a', true},  {' ', true},  {'b', true},   {'\'', true},    {'.', true},
        {'H', true},  {'A', true},  {'S', true},   {'D', true},     {'f', false},
        {'q', false}, {'v', false}, {'x', false},  {'R', false},    {'B', false},
        {'1', false}, {',', false}, {'\0', false}, {'\xE0', false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isWylieKey(c.key), c.composing) << "key " << int(c.key);
    }
}

TEST(WylieTables, DirectKeys) {
    const struct {
        char key;
        unsigned unit; // 0: the key stands for nothing
    } cases[] = {
        {'`', 0x0F00}, {'~', 0x0F01}, {'=', 0x0F34}, {'0', 0x0F20}, {'9', 0x0F29},
        {';', 0x0F0F}, {'.', 0x0F0F}, {',', 0x0F0B}, {' ', 0x0F0B}, {'/', 0x0F0D},
        {'i', 0x0F72}, {'M', 0x0F7E}, {'H', 0x0F7F}, {'_', 0x0020}, {'}', 0x0F3E},
        {'<', 0x0F3A}, {'a', 0},      {'k', 0},      {'-', 0},      {'\0', 0},
    };
    for (const auto& c : cases) {
        wchar_t unit = L'?';
        EXPECT_EQ(findDirectKey(c.key, unit), c.unit != 0) << "key " << int(c.key);
        if (c.unit != 0) {
            EXPECT_EQ(static_cast<unsigned>(unit), c.unit) << "key " << c.key;
        } else {
            EXPECT_EQ(unit, L'?') << "a miss leaves the output alone";
        }
    }
}

TEST(WylieTables, VowelsAndLetters) {
    const struct {
        char key;
        bool vowel;
        unsigned sign;
        unsigned letter;
    } cases[] = {
        {'i', true, 0x0F72, 0},      {'u', true, 0x0F74, 0},  {'e', true, 0x0F7A, 0},
        {'o', true, 0x0F7C, 0},      {'I', true, 0x0F80, 0},  {'U', true, 0x0F83, 0},
        {'E', true, 0x0F7B, 0},      {'O', true, 0x0F7D, 0},  {'M', true, 0x0F7E, 0},
        {'H', true, 0x0F7F, 0x0F7F}, {'a', true, 0, 0x0F68},  {'k', false, 0, 0x0F40},
        {'T', false, 0, 0x0F4A},     {'N', false, 0, 0x0F4E}, {'\'', false, 0, 0x0F60},
        {'S', false, 0, 0x0F65},     {'R', false, 0, 0x0F6A}, {'A', false, 0, 0},
        {'K', false, 0, 0},          {'.', false, 0, 0},      {'1', false, 0, 0},
        {'\0', false, 0, 0},
    };
    for (const auto& c : cases) {
        const VowelEntry* vowel = findVowel(c.key);
        EXPECT_EQ(vowel != nullptr, c.vowel) << "key " << c.key;
        if (vowel != nullptr) {
            EXPECT_EQ(static_cast<unsigned>(vowel->sign), c.sign) << "key " << c.key;
        }
        EXPECT_EQ(static_cast<unsigned>(letterOf(c.key)), c.letter) << "key " << c.key;
    }
}

TEST(WylieTables, Clusters) {
    // First and last rows of each table and rows of every group between: a shifted or mistyped
    // row shows up here.
    const struct {
        const char* key;
        const char* spelling; // "" when the key is in no table
    } cases[] = {
        {"kh", "U+0F41"},
        {"Th", "U+0F4B"},
        {"Sh", "U+0F65"},
        {"KS", "U+0F69"},
        {"kS", "U+0F69"},
        {"rm", "U+0F62 U+0FA8"},
        {"lh", "U+0F63 U+0FB7"},
        {"sm", "U+0F66 U+0FA8"},
        {"hy", "U+0F67 U+0FB1"},
        {"hr", "U+0F67 U+0FB2"},
        {"sl", "U+0F66 U+0FB3"},
        {"'w", "U+0F60 U+0FAD"},
        {"aA", "U+0F68 U+0F71"},
        {"hp", "U+0F67 U+0FA5"},
        {"rky", "U+0F62 U+0F90 U+0FB1"},
        {"khA", "U+0F41 U+0F71"},
        {"grw", "U+0F42 U+0FB2 U+0FAD"},
        {"rny", "U+0F62 U+0F99"},
        {"tsh", "U+0F5A"},
        {"kSh", "U+0F69"},
        {"dzh", "U+0F5C"},
        {"phyw", "U+0F55 U+0FB1 U+0FAD"},
        {"rtsw", "U+0F62 U+0FA9 U+0FAD"},
        {"tshA", "U+0F5A U+0F71"},
        {"KSh", ""},
        {"sh", "U+0F64"},
        {"ga", ""},
        {"gy", "U+0F42 U+0FB1"},
        {"ngs", ""},
        {"tshwa", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const std::string_view key = c.key;
        std::wstring spelling;
        if (key.size() == 2 && findPair(key) != nullptr) {
            spelling = findPair(key)->spelling();
        } else if (key.size() == 3 && findTriple(key) != nullptr) {
            spelling = findTriple(key)->spelling();
        } else if (key.size() == 4 && findQuad(key) != nullptr) {
            spelling = findQuad(key)->spelling();
        }
        EXPECT_EQ(codepointList(spelling), c.spelling) << "key " << c.key;
    }
    // Lookups compare the whole key: a prefix or a longer text finds nothing.
    EXPECT_EQ(findPair("k"), nullptr);
    EXPECT_EQ(findPair("khy"), nullptr);
    EXPECT_EQ(findTriple("ts"), nullptr);
    EXPECT_EQ(findQuad("tsh"), nullptr);
    // "Sh" spells what the single letter S does.
    EXPECT_EQ(findPair("Sh")->units[0], letterOf('S'));
}

} // namespace
} // namespace revaze
