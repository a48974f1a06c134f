#include "layouts/soft_keyboard_tables.h"

#include "layouts/layouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

namespace revaze {
namespace {

constexpr int kHimalaya = 0;
constexpr int kWylieF = 1;
constexpr int kDzongkha = 2;
constexpr int kMonlam = 5;
constexpr int kBzd = 6;
constexpr int kWylie = 7;

// ---- Keys and geometry -------------------------------------------------------------------------

TEST(SoftKeyTable, SpecialKeysHaveTheirVirtualKeys) {
    struct Row {
        int index;
        int virtualKey;
        std::wstring_view name;
    };
    const Row rows[] = {
        {0, 0xC0, L"`"},      {11, 0xBD, L"-"},     {12, 0xBB, L"="},
        {13, 0x08, L"Back"},  {14, 0x09, L"Tab"},   {25, 0xDB, L"["},
        {26, 0xDD, L"]"},     {27, 0xDC, L"\\"},    {28, 0x14, L"Caps"},
        {38, 0xBA, L";"},     {39, 0xDE, L"'"},     {40, 0x0D, L"Enter"},
        {41, 0x10, L"Shift"}, {49, 0xBC, L","},     {50, 0xBE, L"."},
        {51, 0xBF, L"/"},     {52, 0x10, L"Shift"}, {53, 0x11, L"Ctrl"},
        {54, 0x12, L"Alt"},   {55, 0x20, L"Space"}, {56, 0x2F, L"\u2606\u0FC8\u2606"},
    };
    for (const Row& row : rows) {
        const SoftKeyDef& key = g_softKeyTable[row.index];
        EXPECT_EQ(key.virtualKey, row.virtualKey) << "key " << row.index;
        EXPECT_EQ(std::wstring_view(key.name), row.name) << "key " << row.index;
    }
}

TEST(SoftKeyTable, LetterAndDigitKeysSendTheirOwnKey) {
    // 47 one-character keys: every letter and digit key sends the upper-case letter or the digit.
    int letters = 0;
    int digits = 0;
    for (int i = 0; i < kSoftKeyCount; ++i) {
        const SoftKeyDef& key = g_softKeyTable[i];
        EXPECT_EQ(key.number, i + 1);
        const wchar_t c = key.name[0];
        if (key.name[1] == L'\0' && c >= L'a' && c <= L'z') {
            EXPECT_EQ(key.virtualKey, c - L'a' + 'A') << "key " << i;
            ++letters;
        } else if (key.name[1] == L'\0' && c >= L'0' && c <= L'9') {
            EXPECT_EQ(key.virtualKey, static_cast<int>(c)) << "key " << i;
            ++digits;
        }
    }
    EXPECT_EQ(letters, 26);
    EXPECT_EQ(digits, 10);
}

TEST(SoftKeyTable, OneCharacterNamesAreUnique) {
    std::set<wchar_t> seen;
    for (const SoftKeyDef& key : g_softKeyTable) {
        if (key.name[0] != L'\0' && key.name[1] == L'\0') {
            EXPECT_TRUE(seen.insert(key.name[0]).second) << "duplicate " << char(key.name[0]);
        }
    }
    EXPECT_EQ(seen.size(), 47u);
}

TEST(SoftKeyGeometryTable, RowsHoldTheirKeysAndEndAtTheRightEdge) {
    struct Row {
        int y;
        int firstIndex;
        int lastIndex;
    };
    const Row rows[] = {{2, 0, 13}, {32, 14, 27}, {62, 28, 40}, {92, 41, 52}, {122, 53, 56}};
    for (const Row& row : rows) {
        int left = 1000;
        int right = 0;
        for (int i = 0; i < kSoftKeyCount; ++i) {
            const SoftKeyGeometry& key = kSoftKeyGeometry[i];
            const bool inRow = i >= row.firstIndex && i <= row.lastIndex;
            EXPECT_EQ(key.y == row.y, inRow) << "key " << i << " row y " << row.y;
            if (inRow) {
                left = std::min(left, key.x);
                right = std::max(right, key.x + key.width);
            }
        }
        EXPECT_EQ(left, 2) << "row y " << row.y;
        EXPECT_EQ(right, 432) << "row y " << row.y;
    }
}

TEST(SoftKeyGeometryTable, KeysDoNotOverlapAndFitTheWindow) {
    for (int i = 0; i < kSoftKeyCount; ++i) {
        const SoftKeyGeometry& a = kSoftKeyGeometry[i];
        EXPECT_EQ(a.height, 30);
        EXPECT_GE(a.x, 0);
        EXPECT_LE(a.x + a.width, 434);
        EXPECT_LE(a.y + a.height, 154);
        for (int j = i + 1; j < kSoftKeyCount; ++j) {
            const SoftKeyGeometry& b = kSoftKeyGeometry[j];
            const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x ||
                               a.y + a.height <= b.y || b.y + b.height <= a.y;
            EXPECT_TRUE(apart) << "keys " << i << " and " << j;
        }
    }
}

TEST(SoftKeyGeometryTable, EveryKeyShowsACapOfItsOwnWidth) {
    // The caps of bitmap 113, left to right: {x, width}.
    const std::pair<int, int> caps[] = {{0, 30},   {30, 35},  {65, 40},
                                        {105, 50}, {155, 65}, {220, 200}};
    for (int i = 0; i < kSoftKeyCount; ++i) {
        const SoftKeyGeometry& key = kSoftKeyGeometry[i];
        const auto cap = std::find_if(std::begin(caps), std::end(caps),
                                      [&](const auto& c) { return c.first == key.capX; });
        ASSERT_NE(cap, std::end(caps)) << "key " << i;
        EXPECT_EQ(cap->second, key.width) << "key " << i;
        EXPECT_EQ(key.capY, 0) << "key " << i;
    }
}

TEST(SoftKeyGeometryTable, PlacesOfSelectedKeys) {
    struct Row {
        int index;
        SoftKeyGeometry expected;
    };
    const Row rows[] = {
        {0, {2, 2, 30, 30, 0, 0}},         {12, {362, 2, 30, 30, 0, 0}},
        {13, {392, 2, 40, 30, 65, 0}},     {15, {37, 32, 30, 30, 0, 0}},
        {27, {397, 32, 35, 30, 30, 0}},    {39, {352, 62, 30, 30, 0, 0}},
        {40, {382, 62, 50, 30, 105, 0}},   {51, {337, 92, 30, 30, 0, 0}},
        {52, {367, 92, 65, 30, 155, 0}},   {54, {52, 122, 50, 30, 105, 0}},
        {55, {102, 122, 200, 30, 220, 0}}, {56, {382, 122, 50, 30, 105, 0}},
    };
    for (const Row& row : rows) {
        const SoftKeyGeometry& key = kSoftKeyGeometry[row.index];
        EXPECT_EQ(key.x, row.expected.x) << "key " << row.index;
        EXPECT_EQ(key.y, row.expected.y) << "key " << row.index;
        EXPECT_EQ(key.width, row.expected.width) << "key " << row.index;
        EXPECT_EQ(key.capX, row.expected.capX) << "key " << row.index;
    }
}

// ---- Label rows --------------------------------------------------------------------------------

TEST(SoftLabelRows, EveryRunEndsAtItsStatedCodePoint) {
    for (const SoftLabelRow& row : softLabelRows()) {
        for (const SoftLabelRun& run : row.runs) {
            const int first = softLabelPosition(run.firstKey);
            const int last = softLabelPosition(run.lastKey);
            ASSERT_GE(first, 0) << "page " << row.page;
            ASSERT_GE(last, first) << "page " << row.page;
            EXPECT_EQ(last - first, run.lastCode - run.firstCode)
                << "page " << row.page << std::hex << " run from U+" << run.firstCode;
        }
    }
}

TEST(SoftLabelRows, NoRowLabelsAKeyTwice) {
    for (const SoftLabelRow& row : softLabelRows()) {
        std::vector<bool> seen(kSoftLabelOrder.size());
        for (const SoftLabelRun& run : row.runs) {
            const int first = softLabelPosition(run.firstKey);
            const int last = softLabelPosition(run.lastKey);
            for (int pos = first; pos >= 0 && pos <= last; ++pos) {
                EXPECT_FALSE(seen[pos]) << "page " << row.page << " position " << pos;
                seen[pos] = true;
            }
        }
    }
}

TEST(SoftLabelRows, EachPageOfEachLayoutHasExactlyOneRow) {
    int rowsFor[kSoftPageCount][kSoftLayoutCount] = {};
    for (const SoftLabelRow& row : softLabelRows()) {
        ASSERT_GE(row.page, 1);
        ASSERT_LE(row.page, kSoftPageCount);
        ASSERT_NE(row.layouts, 0u);
        ASSERT_LT(row.layouts, 1u << kSoftLayoutCount);
        for (int layout = 0; layout < kSoftLayoutCount; ++layout) {
            if ((row.layouts & (1u << layout)) != 0) {
                ++rowsFor[row.page - 1][layout];
            }
        }
    }
    for (int page = 1; page <= kSoftPageCount; ++page) {
        for (int layout = 0; layout < kSoftLayoutCount; ++layout) {
            EXPECT_EQ(rowsFor[page - 1][layout], 1) << "page " << page << " layout " << layout;
        }
    }
}

// ---- Expanded labels ---------------------------------------------------------------------------

TEST(SoftPageLabels, KeysWithoutLabelsAreBlankEverywhere) {
    const int alwaysBlank[] = {13, 14, 28, 40, 41, 52, 53}; // Back Tab Caps Enter Shift Shift Ctrl
    for (int page = 1; page <= kSoftPageCount; ++page) {
        for (int layout = 0; layout < kSoftLayoutCount; ++layout) {
            for (int key : alwaysBlank) {
                EXPECT_EQ(SoftPageLabel(page, layout, key), L' ')
                    << "page " << page << " layout " << layout << " key " << key;
            }
        }
    }
}

TEST(SoftPageLabels, WylieFirstPageRunsTheConsonantsOverTheLetterKeys) {
    // q w e r t y u i o p [ ] \ a s d f g h j k l ; ' z x c v b n m , . / skipping Caps, Enter and
    // both Shifts.
    const int keys[] = {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 29, 30, 31, 32,
                        33, 34, 35, 36, 37, 38, 39, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51};
    for (int layout : {kWylieF, kWylie}) {
        wchar_t expected = 0x0F40;
        for (int key : keys) {
            EXPECT_EQ(SoftPageLabel(1, layout, key), expected)
                << "layout " << layout << " key " << key;
            ++expected;
        }
        EXPECT_EQ(expected, 0x0F62);
    }
}

TEST(SoftPageLabels, SelectedLabels) {
    struct Row {
        int page;
        int layout;
        int key;
        wchar_t expected;
    };
    const Row rows[] = {
        // Himalaya page 1: singles and the [ ] \ run.
        {1, kHimalaya, 0, 0x0F68},
        {1, kHimalaya, 9, 0x0F29},
        {1, kHimalaya, 10, 0x0F20},
        {1, kHimalaya, 25, 0x0F59},
        {1, kHimalaya, 27, 0x0F5B},
        {1, kHimalaya, 35, 0x0F0B}, // j
        {1, kHimalaya, 48, 0x0020}, // m is not listed
        {1, kHimalaya, 54, 0x0020},
        {1, kHimalaya, 55, 0x0F0B},
        // Himalaya page 2: tsheg on Alt, blank Space, U+0000 on the star key.
        {2, kHimalaya, 54, 0x0F0B},
        {2, kHimalaya, 55, 0x0020},
        {2, kHimalaya, 56, 0x0000},
        {2, kHimalaya, 19, 0x0FA1},
        {2, kHimalaya, 31, 0x0FA1},
        // Wylie page 2: 1 through - is one run; = stays blank.
        {2, kWylie, 1, 0x0FB2},
        {2, kWylie, 11, 0x0FBC},
        {2, kWylie, 12, 0x0020},
        {2, kWylie, 51, 0x0FB1},
        // Monlam page 2: quotation marks and parentheses.
        {2, kMonlam, 4, 0x201C},
        {2, kMonlam, 5, 0x201D},
        {2, kMonlam, 9, 0x0028},
        {2, kMonlam, 51, 0x0F40},
        // BZD: the Latin f on page 1; the run starting at the grave key on page 2.
        {1, kBzd, 32, 0x0066},
        {2, kBzd, 0, 0x0F38},
        {2, kBzd, 3, 0x0F3B},
        {2, kBzd, 4, 0x0F06},
        // Dzongkha page 3: ASCII digits; page 4: no 9 and 0.
        {3, kDzongkha, 1, 0x0031},
        {3, kDzongkha, 10, 0x0030},
        {3, kDzongkha, 19, 0x0F1A},
        {3, kDzongkha, 24, 0x0F1F},
        {4, kDzongkha, 8, 0x002A},
        {4, kDzongkha, 9, 0x0020},
        {4, kDzongkha, 10, 0x0020},
        // Wylie page 3: z through , then a blank period.
        {3, kWylie, 42, 0x0F84},
        {3, kWylie, 49, 0x0F8B},
        {3, kWylie, 50, 0x0020},
        // Himalaya page 4: the l .. z run steps over Enter and Shift.
        {4, kHimalaya, 37, 0x0FC9},
        {4, kHimalaya, 39, 0x0FCB},
        {4, kHimalaya, 42, 0x0FCC},
        // The page 4 row shared by six layouts: a .. . over two keyboard rows.
        {4, kWylieF, 29, 0x0F0C},
        {4, 3, 39, 0x0F16},
        {4, 4, 42, 0x0F17},
        {4, kMonlam, 50, 0x0F1F},
        {4, kBzd, 51, 0x0020},
        {4, kWylie, 26, 0x0F0B},
        // Page 5: Dzongkha has only the tsheg; Wylie alone has the grave key.
        {5, kDzongkha, 15, 0x0020},
        {5, kDzongkha, 55, 0x0F0B},
        {5, kWylie, 0, 0x0F20},
        {5, kWylieF, 0, 0x0020},
        {5, kBzd, 48, 0x0FCF},
        {5, kHimalaya, 19, 0x0F9D},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SoftPageLabel(row.page, row.layout, row.key), row.expected)
            << "page " << row.page << " layout " << row.layout << " key " << row.key;
        EXPECT_EQ(g_softPageLabels[row.page - 1][row.layout][row.key], row.expected);
    }
}

TEST(SoftPageLabels, SpaceIsTshegOnPageOneOfEveryLayout) {
    for (int layout = 0; layout < kSoftLayoutCount; ++layout) {
        EXPECT_EQ(SoftPageLabel(1, layout, kSoftKeySpace), 0x0F0B) << "layout " << layout;
    }
}

TEST(SoftPageLabels, OutOfRangeIsBlank) {
    struct Row {
        int page;
        int layout;
        int key;
    };
    const Row rows[] = {{0, kWylie, 15}, {6, kWylie, 15}, {1, -1, 15},
                        {1, 8, 15},      {1, kWylie, -1}, {1, kWylie, kSoftKeyCount}};
    for (const Row& row : rows) {
        EXPECT_EQ(SoftPageLabel(row.page, row.layout, row.key), L' ')
            << "page " << row.page << " layout " << row.layout << " key " << row.key;
    }
}

// ---- MapSoftKey
// ----------------------------------------------------------------------------------

TEST(MapSoftKey, TypedCharacters) {
    struct Row {
        char ch;
        int page;
        int layout;
        bool mapped;
        wchar_t expected;
    };
    const Row rows[] = {
        {'q', 1, kWylie, true, 0x0F40},
        {'/', 1, kWylie, true, 0x0F61},
        {'\'', 1, kWylie, true, 0x0F57},
        {'`', 1, kHimalaya, true, 0x0F68},
        {'\\', 1, kHimalaya, true, 0x0F5B},
        {'j', 1, kHimalaya, true, 0x0F0B},
        {'1', 2, kWylie, true, 0x0FB2},
        {'m', 5, kBzd, true, 0x0FCF},
        {'f', 1, kBzd, false, 0},      // label U+0066
        {'`', 1, kMonlam, false, 0},   // label U+002E
        {'4', 2, kMonlam, false, 0},   // label U+201C
        {'9', 2, kMonlam, false, 0},   // label U+0028
        {'1', 3, kDzongkha, false, 0}, // ASCII digit label
        {'=', 1, kWylie, true, 0x0F7C},
        {'=', 2, kWylie, false, 0},    // blank label
        {'z', 5, kDzongkha, false, 0}, // blank label
        {'Q', 1, kWylie, false, 0},    // upper case matches no key name
        {'A', 1, kHimalaya, false, 0},
        {'B', 1, kWylie, false, 0}, // first letter of "Back" only
        {'\t', 1, kWylie, false, 0},
        {'\0', 1, kWylie, false, 0},
        {static_cast<char>(0xE0), 1, kWylie, false, 0},
        {'q', 0, kWylie, false, 0}, // out of range
        {'q', 6, kWylie, false, 0},
        {'q', 1, 8, false, 0},
        {' ', 1, -1, false, 0},
    };
    for (const Row& row : rows) {
        wchar_t out = 0;
        EXPECT_EQ(MapSoftKey(row.ch, row.page, row.layout, out), row.mapped)
            << "char " << int(row.ch) << " page " << row.page << " layout " << row.layout;
        if (row.mapped) {
            EXPECT_EQ(out, row.expected) << "char " << row.ch;
        }
    }
}

TEST(MapSoftKey, SpaceIsTshegOnEveryPage) {
    for (int page = 1; page <= kSoftPageCount; ++page) {
        for (int layout = 0; layout < kSoftLayoutCount; ++layout) {
            wchar_t out = 0;
            EXPECT_TRUE(MapSoftKey(' ', page, layout, out));
            EXPECT_EQ(out, 0x0F0B) << "page " << page << " layout " << layout;
        }
    }
}

// ---- Star key ----------------------------------------------------------------------------------

TEST(NextSoftPage, Steps) {
    struct Row {
        int page;
        LayoutId layout;
        int next;
    };
    const Row rows[] = {
        {1, LayoutId::Wylie, 2},    {2, LayoutId::Wylie, 3},    {3, LayoutId::Wylie, 4},
        {4, LayoutId::Wylie, 5},    {5, LayoutId::Wylie, 1},    {3, LayoutId::Dzongkha, 4},
        {4, LayoutId::Dzongkha, 1}, {5, LayoutId::Dzongkha, 1}, {0, LayoutId::Wylie, 1},
        {6, LayoutId::Wylie, 1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(NextSoftPage(row.page, row.layout), row.next)
            << "page " << row.page << " layout id " << static_cast<int>(row.layout);
    }
}

TEST(NextSoftPage, CycleLengthPerLayout) {
    for (const Layout& layout : allLayouts()) {
        int page = 1;
        int steps = 0;
        do {
            page = NextSoftPage(page, layout.id);
            ++steps;
        } while (page != 1 && steps < 10);
        EXPECT_EQ(steps, layout.id == LayoutId::Dzongkha ? 4 : 5) << layout.name;
    }
}

} // namespace
} // namespace revaze
