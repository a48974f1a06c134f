#include "layouts/layout_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace revaze {
namespace {

struct TableSizes {
    int layout;
    std::size_t keySet, direct, oneKey, twoKey, threeKey, fourKey;
};

constexpr TableSizes kSizes[] = {
    {kHimalaya, 95, 61, 96, 100, 0, 0}, {kWylieF, 37, 48, 39, 60, 25, 2},
    {kDzongkha, 71, 26, 70, 86, 0, 0},  {kSambhota1, 46, 21, 45, 35, 0, 0},
    {kSambhota2, 45, 20, 44, 35, 0, 0}, {kMonlam, 61, 36, 60, 35, 0, 0},
    {kBzd, 59, 37, 59, 37, 0, 0},       {kWylie, 37, 0, 0, 0, 0, 0},
};

TEST(LayoutTables, RowCountsAndCapacities) {
    for (const TableSizes& s : kSizes) {
        SCOPED_TRACE(s.layout);
        const LayoutTables& t = layoutTables(s.layout);
        EXPECT_EQ(t.keySet.size(), s.keySet);
        EXPECT_EQ(t.direct.size(), s.direct);
        EXPECT_EQ(t.oneKey.size(), s.oneKey);
        EXPECT_EQ(t.twoKey.size(), s.twoKey);
        EXPECT_EQ(t.threeKey.size(), s.threeKey);
        EXPECT_EQ(t.fourKey.size(), s.fourKey);
        EXPECT_LE(t.direct.size(), kDirectCapacity);
        EXPECT_LE(t.oneKey.size(), kOneKeyCapacity);
        EXPECT_LE(t.twoKey.size(), kTwoKeyCapacity);
        EXPECT_LE(t.threeKey.size(), kThreeKeyCapacity);
        EXPECT_LE(t.fourKey.size(), kFourKeyCapacity);
    }
}

TEST(LayoutTables, OutOfRangeIndexHasNoKeys) {
    for (int index : {-1, 8, 100}) {
        const LayoutTables& t = layoutTables(index);
        EXPECT_TRUE(t.keySet.empty());
        EXPECT_EQ(findDirectRow(t, '1'), nullptr);
        EXPECT_EQ(oneKeyCode(t, 'k'), L'\0');
    }
}

// No row may end its table early, and every sequence has its table's length. The one stored
// exception is the Dzongkha two-key row holding the double quote alone.
TEST(LayoutTables, RowsFitTheirTables) {
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        SCOPED_TRACE(layout);
        const LayoutTables& t = layoutTables(layout);
        for (const DirectRow& row : t.direct) {
            EXPECT_NE(row.key, '\0');
        }
        const std::span<const KeyRow> tables[] = {t.oneKey, t.twoKey, t.threeKey, t.fourKey};
        for (std::size_t n = 0; n < 4; ++n) {
            for (const KeyRow& row : tables[n]) {
                bool oddRow = layout == kDzongkha && n == 1 && row.keys == "\"";
                EXPECT_EQ(row.keys.size(), oddRow ? 1 : n + 1) << row.keys;
                EXPECT_NE(row.code, L'\0') << row.keys;
            }
        }
    }
}

// Every row is found by the search, or loses to an earlier row for the same keys.
TEST(LayoutTables, EveryRowIsFoundOrShadowedByAnEarlierRow) {
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        SCOPED_TRACE(layout);
        const LayoutTables& t = layoutTables(layout);
        for (std::size_t i = 0; i < t.direct.size(); ++i) {
            const DirectRow* found = findDirectRow(t, t.direct[i].key);
            ASSERT_NE(found, nullptr);
            EXPECT_LE(found, &t.direct[i]);
            EXPECT_EQ(found->key, t.direct[i].key);
        }
        for (const KeyRow& row : t.oneKey) {
            wchar_t code = oneKeyCode(t, row.keys.front());
            EXPECT_NE(code, L'\0');
            if (code != row.code) {
                // Only a repeated key may give another code.
                std::size_t firstAt = 0;
                while (t.oneKey[firstAt].keys.front() != row.keys.front()) {
                    ++firstAt;
                }
                EXPECT_LT(&t.oneKey[firstAt], &row) << row.keys;
            }
        }
        for (auto table : {t.twoKey, t.threeKey, t.fourKey}) {
            for (const KeyRow& row : table) {
                if (row.keys.size() < 2) {
                    EXPECT_EQ(multiKeyCode(t, row.keys), L'\0');
                    continue;
                }
                wchar_t code = multiKeyCode(t, row.keys);
                const KeyRow* first = &row;
                for (const KeyRow& earlier : table) {
                    if (earlier.keys == row.keys) {
                        first = &earlier;
                        break;
                    }
                }
                EXPECT_EQ(code, first->code) << row.keys;
            }
        }
    }
}

// The keys of a key set that have no one-key row: they compose only after a prefix, if at all.
TEST(LayoutTables, KeySetKeysWithoutOneKeyRow) {
    struct Case {
        int layout;
        std::string missing;
    };
    const Case cases[] = {
        {kHimalaya, ""},  {kWylieF, ""},    {kDzongkha, ""}, {kSambhota1, "C"},
        {kSambhota2, ""}, {kMonlam, ":\\"}, {kBzd, ""},
    };
    for (const Case& c : cases) {
        const LayoutTables& t = layoutTables(c.layout);
        std::string missing;
        for (char key : t.keySet) {
            if (oneKeyCode(t, key) == L'\0' && missing.find(key) == std::string::npos) {
                missing += key;
            }
        }
        EXPECT_EQ(missing, c.missing) << c.layout;
    }
}

struct Lookup {
    int layout;
    std::string keys;
    bool direct;  // look in the direct table rather than the composing tables
    wchar_t code; // 0: none
};

// First and last rows of each table, the stored oddities, and the rows where the first wins.
const Lookup kLookups[] = {
    {kHimalaya, "0", true, 0x0F20},    {kHimalaya, "C", true, 0x0F69},
    {kHimalaya, "'", true, 0x0F0D},    {kHimalaya, "j", true, 0x0F0B},
    {kHimalaya, " ", true, 0},         {kHimalaya, "m", false, 0x006D},
    {kHimalaya, "M", false, 0x004D},   {kHimalaya, "'", false, 0x0F0D},
    {kHimalaya, "\"", false, 0x0F38},  {kHimalaya, "m`", false, 0x0FB8},
    {kHimalaya, "m{", false, 0x0F77},  {kHimalaya, "m@", false, 0},
    {kHimalaya, "m?", false, 0x0F8A},  {kHimalaya, "M\\", false, 0x0FAC},
    {kWylieF, "`", true, 0x0F00},      {kWylieF, " ", true, 0x0F0B},
    {kWylieF, "_", true, 0x0020},      {kWylieF, "i", true, 0x0F72},
    {kWylieF, "H", false, 0x0F7F},     {kWylieF, "M", false, 0x0F7E},
    {kWylieF, "f", false, 0x2198},     {kWylieF, "fR", false, 0x0FBA},
    {kWylieF, "Sh", false, 0x0F65},    {kWylieF, "Ra", false, 0x0F6A},
    {kWylieF, "ki", false, 0},         {kWylieF, "fkh", false, 0x0F91},
    {kWylieF, "tsh", false, 0x0F5A},   {kWylieF, "ftsh", false, 0x0FAA},
    {kWylieF, "tsha", false, 0x0F5A},  {kWylieF, "khak", false, 0},
    {kDzongkha, " ", true, 0x0F0B},    {kDzongkha, "$", true, 0},
    {kDzongkha, "+", true, 0x0F11},    {kDzongkha, "`", false, 0x2198},
    {kDzongkha, "?", false, 0x0FB8},   {kDzongkha, "`1", false, 0x0031},
    {kDzongkha, "`a", false, 0x0F4A},  {kDzongkha, "`\"", false, 0},
    {kDzongkha, "`?", false, 0x003F},  {kSambhota1, "&", true, 0x0F7E},
    {kSambhota1, "C", false, 0},       {kSambhota1, "X", false, 0x0F5A},
    {kSambhota1, "N", false, 0x0F49},  {kSambhota1, "fC", false, 0x0F96},
    {kSambhota1, "fD", false, 0x0FAB}, {kSambhota2, "%", true, 0x0F83},
    {kSambhota2, "h", false, 0x2198},  {kSambhota2, "hT", false, 0x0FB5},
    {kMonlam, "`", true, 0x002E},      {kMonlam, "(", true, 0x0028},
    {kMonlam, ")", true, 0x0029},      {kMonlam, "<", true, 0x002C},
    {kMonlam, "\"", false, 0x0F71},    {kMonlam, "aT", false, 0x0FA0},
    {kMonlam, "aX", false, 0x0FAA},    {kBzd, "}", true, 0x0F1D},
    {kBzd, "f", false, 0x0066},        {kBzd, "<", false, 0x0F4B},
    {kBzd, "fv", false, 0x0F90},       {kBzd, "f<", false, 0x0F9B},
    {kWylie, "k", false, 0},           {kWylie, "1", true, 0},
};

TEST(LayoutTables, Lookups) {
    for (const Lookup& c : kLookups) {
        SCOPED_TRACE(std::to_string(c.layout) + " [" + c.keys + "]");
        const LayoutTables& t = layoutTables(c.layout);
        wchar_t code = 0;
        if (c.direct) {
            const DirectRow* row = findDirectRow(t, c.keys.front());
            code = row != nullptr ? row->code : L'\0';
        } else if (c.keys.size() == 1) {
            code = oneKeyCode(t, c.keys.front());
        } else {
            code = multiKeyCode(t, c.keys);
        }
        EXPECT_EQ(static_cast<unsigned>(code), static_cast<unsigned>(c.code));
    }
    // The Dzongkha $ row is there, holding code 0.
    EXPECT_NE(findDirectRow(layoutTables(kDzongkha), '$'), nullptr);
}

TEST(LayoutTables, KeySets) {
    struct Case {
        int layout;
        char key;
        bool member;
    };
    const Case cases[] = {
        {kHimalaya, ' ', false}, {kHimalaya, 'm', true},  {kHimalaya, '\'', true},
        {kWylieF, ' ', true},    {kWylieF, 'R', false},   {kWylieF, 'f', true},
        {kDzongkha, '1', false}, {kDzongkha, '`', true},  {kDzongkha, '"', true},
        {kMonlam, '"', false},   {kMonlam, '\\', true},   {kBzd, 'f', true},
        {kWylie, 'k', true},     {kSambhota1, 'C', true}, {kSambhota2, 'h', true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isLayoutKey(layoutTables(c.layout), c.key), c.member)
            << c.layout << " [" << c.key << "]";
    }
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        EXPECT_FALSE(isLayoutKey(layoutTables(layout), '\0'));
    }
}

} // namespace
} // namespace revaze
