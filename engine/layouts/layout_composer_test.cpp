#include "layouts/layout_composer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "common/text.h"
#include "dictionary/test_dictionary.h"
#include "layouts/layout_tables.h"

namespace revaze {
namespace {

std::string joined(const std::vector<std::string>& groups) {
    return std::accumulate(groups.begin(), groups.end(), std::string());
}

std::string groupList(const std::vector<std::string>& groups) {
    std::string out;
    for (const std::string& g : groups) {
        out += (out.empty() ? "" : "|") + g;
    }
    return out;
}

// Keys, groups and text must stay in step whatever was typed.
void expectInStep(const LayoutComposer& c) {
    EXPECT_EQ(c.keyCount(), static_cast<int>(c.typedKeys.size()));
    EXPECT_EQ(c.charCount(), static_cast<int>(c.compositionText.size()));
    EXPECT_EQ(c.charCount(), static_cast<int>(c.keyGroups.size()));
    EXPECT_EQ(joined(c.keyGroups), c.typedKeys);
}

void typeKeys(LayoutComposer& c, int layout, std::string_view keys) {
    for (char k : keys) {
        c.AddKey(layout, k);
    }
}

struct ComposeCase {
    int layout;
    std::string keys;
    std::wstring text;
    std::string groups; // "|" between groups
};

const ComposeCase kComposeCases[] = {
    {kWylieF, "k", L"\u0F40", "k"},
    {kWylieF, "kh", L"\u0F41", "kh"},
    {kWylieF, "kha", L"\u0F41", "kha"},
    {kWylieF, "khak", L"\u0F41\u0F40", "kha|k"},
    {kWylieF, "t", L"\u0F4F", "t"},
    {kWylieF, "ts", L"\u0F59", "ts"},
    {kWylieF, "tsh", L"\u0F5A", "tsh"},
    {kWylieF, "tsha", L"\u0F5A", "tsha"},
    {kWylieF, "tshak", L"\u0F5A\u0F40", "tsha|k"},
    {kWylieF, "f", L"\u2198", "f"},
    {kWylieF, "s", L"\u0F66", "s"},
    {kWylieF, "sf", L"\u0F66\u2198", "s|f"},
    {kWylieF, "sfk", L"\u0F66\u0F90", "s|fk"},
    {kWylieF, "fkh", L"\u0F91", "fkh"},
    {kWylieF, "ftsh", L"\u0FAA", "ftsh"},
    {kWylieF, "ki", L"\u0F40\u0F72", "k|i"},
    {kWylieF, "k ", L"\u0F40\u0F0B", "k| "},
    {kHimalaya, "m", L"m", "m"},
    {kHimalaya, "mk", L"\u0F92", "mk"},
    {kHimalaya, "m{", L"\u0F77", "m{"},
    {kHimalaya, "Mt", L"\u0F9D", "Mt"},
    {kHimalaya, "mkm", L"\u0F92m", "mk|m"},
    {kDzongkha, "Q", L"\u0F90", "Q"},
    {kDzongkha, "`", L"\u2198", "`"},
    {kDzongkha, "`a", L"\u0F4A", "`a"},
    {kDzongkha, "`\"", L"\u2198\u0FAB", "`|\""},
    {kDzongkha, "`[", L"(", "`["},
    {kSambhota1, "f", L"\u2198", "f"},
    {kSambhota1, "fC", L"\u0F96", "fC"},
    {kSambhota1, "C", L"", ""},
    {kSambhota1, "kC", L"\u0F40", "k"},
    {kSambhota2, "h", L"\u2198", "h"},
    {kSambhota2, "hq", L"\u0F90", "hq"},
    {kMonlam, "a", L"\u2198", "a"},
    {kMonlam, "ak", L"\u0F90", "ak"},
    {kMonlam, "k:", L"\u0F40", "k"},
    {kMonlam, "k\\k", L"\u0F40\u0F40", "k|k"},
    {kBzd, "f", L"f", "f"},
    {kBzd, "fv", L"\u0F90", "fv"},
    {kWylie, "k", L"", ""},
};

TEST(LayoutComposer, ComposesKeySequences) {
    LayoutComposer c(nullptr);
    for (const ComposeCase& tc : kComposeCases) {
        SCOPED_TRACE(std::to_string(tc.layout) + " [" + tc.keys + "]");
        c.Reset();
        typeKeys(c, tc.layout, tc.keys);
        EXPECT_EQ(codepointList(c.compositionText.view()), codepointList(tc.text));
        EXPECT_EQ(groupList(c.keyGroups), tc.groups);
        expectInStep(c);
    }
}

struct DeleteCase {
    int layout;
    std::string keys;
    int deletes;
    std::wstring text;
    std::string groups;
};

const DeleteCase kDeleteCases[] = {
    {kWylieF, "kha", 1, L"\u0F41", "kh"},        // three-key group back to two keys
    {kWylieF, "kha", 2, L"\u0F40", "k"},         // two-key group back to its first key
    {kWylieF, "kha", 3, L"", ""},                // the only key: everything goes
    {kWylieF, "tsha", 1, L"\u0F5A", "tsh"},      // four-key group back to three keys
    {kWylieF, "khak", 1, L"\u0F41", "kha"},      // one-key group removes its code unit
    {kWylieF, "sfk", 1, L"\u0F66\u2198", "s|f"}, // the prefix placeholder comes back
    {kWylieF, "sf", 1, L"\u0F66", "s"},          // right after the prefix, it goes
    {kWylieF, "ka", 1, L"\u0F40", "k"},
    {kHimalaya, "m", 1, L"", ""}, // a prefix alone goes
    {kDzongkha, "`", 1, L"", ""},
    {kWylieF, "", 1, L"", ""}, // nothing typed: nothing happens
    {kHimalaya, "km", 1, L"\u0F42", "k"},
    {kDzongkha, "q`a", 1, L"\u0F40\u2198", "q|`"},
    {kBzd, "fv", 1, L"f", "f"},
};

TEST(LayoutComposer, DeleteKeyRecomposesTheLastCodeUnit) {
    LayoutComposer c(nullptr);
    for (const DeleteCase& tc : kDeleteCases) {
        SCOPED_TRACE(std::to_string(tc.layout) + " [" + tc.keys + "] -" +
                     std::to_string(tc.deletes));
        c.Reset();
        typeKeys(c, tc.layout, tc.keys);
        for (int i = 0; i < tc.deletes; ++i) {
            c.DeleteKey(tc.layout);
        }
        EXPECT_EQ(codepointList(c.compositionText.view()), codepointList(tc.text));
        EXPECT_EQ(groupList(c.keyGroups), tc.groups);
        expectInStep(c);
    }
}

TEST(LayoutComposer, DirectCharacters) {
    struct Case {
        int layout;
        char key;
        bool hit;
        wchar_t code;
    };
    const Case cases[] = {
        {kHimalaya, '\'', true, 0x0F0D}, {kHimalaya, 'j', true, 0x0F0B},
        {kHimalaya, ' ', false, 0},      {kHimalaya, 'k', false, 0},
        {kWylieF, 'i', true, 0x0F72},    {kWylieF, '_', true, 0x0020},
        {kWylieF, 'k', false, 0},        {kDzongkha, '$', false, 0},
        {kDzongkha, ' ', true, 0x0F0B},  {kMonlam, '`', true, 0x002E},
        {kMonlam, '(', true, 0x0028},    {kMonlam, ')', true, 0x0029},
        {kBzd, '~', true, 0x0F38},       {kWylie, '1', false, 0},
        {kWylieF, '\0', false, 0},
    };
    LayoutComposer c(nullptr);
    for (const Case& tc : cases) {
        wchar_t out = L'?';
        EXPECT_EQ(c.DirectCharacter(tc.layout, tc.key, out), tc.hit)
            << tc.layout << " [" << tc.key << "]";
        EXPECT_EQ(static_cast<unsigned>(out), tc.hit ? static_cast<unsigned>(tc.code) : L'?');
    }
}

// Membership itself is covered with the tables; here the composer must follow the layout.
TEST(LayoutComposer, InputKeysFollowTheLayout) {
    LayoutComposer c(nullptr);
    EXPECT_FALSE(c.IsInputKey(kHimalaya, ' '));
    EXPECT_TRUE(c.IsInputKey(kWylieF, ' '));
    EXPECT_FALSE(c.IsInputKey(kWylieF, '\0'));
}

TEST(LayoutComposer, LayoutSwitchKeepsTheComposition) {
    LayoutComposer c(nullptr);
    typeKeys(c, kWylieF, "kh");
    typeKeys(c, kHimalaya, "mk");
    EXPECT_EQ(c.compositionText.str(), L"\u0F41\u0F92");
    EXPECT_EQ(c.typedKeys, "khmk");
    EXPECT_EQ(groupList(c.keyGroups), "kh|mk");

    // Backspace recomposes with the tables now in use: Himalaya's k.
    c.DeleteKey(kHimalaya);
    c.DeleteKey(kHimalaya);
    c.DeleteKey(kHimalaya);
    EXPECT_EQ(c.compositionText.str(), L"\u0F42");
    EXPECT_EQ(groupList(c.keyGroups), "k");
    expectInStep(c);

    // A group the new layout cannot spell shorter keeps its code unit but still loses the key.
    c.Reset();
    typeKeys(c, kWylieF, "kha");
    c.DeleteKey(kHimalaya);
    EXPECT_EQ(c.compositionText.str(), L"\u0F41");
    EXPECT_EQ(groupList(c.keyGroups), "kh");
    expectInStep(c);
}

TEST(LayoutComposer, KeysAtTheLimitsAreIgnored) {
    Dictionary dictionary = test::dictionaryOfWords({L"\u0F40\u0F40"});
    LayoutComposer c(&dictionary);
    for (int i = 0; i < kMaxComposedUnits; ++i) {
        c.AddKey(kWylieF, 'k');
    }
    ASSERT_EQ(c.charCount(), 60);
    ASSERT_EQ(c.candidateList.size(), 0u);
    c.AddKey(kWylieF, 'h'); // would only extend the last code unit
    c.AddKey(kWylieF, 'k');
    EXPECT_EQ(c.keyCount(), 60);
    EXPECT_EQ(c.charCount(), 60);
    EXPECT_EQ(c.compositionText.back(), L'\u0F40');
    expectInStep(c);

    // 60 keys in 30 code units: the key limit alone stops further keys.
    c.Reset();
    for (int i = 0; i < 30; ++i) {
        typeKeys(c, kWylieF, "ka");
    }
    c.DeleteKey(kWylieF); // 59 keys, the last group "k"
    c.AddKey(kWylieF, 'h');
    c.AddKey(kWylieF, 'a'); // the 61st key
    EXPECT_EQ(c.keyCount(), 60);
    EXPECT_EQ(c.charCount(), 30);
    EXPECT_EQ(c.keyGroups.back(), "kh");
    EXPECT_EQ(c.compositionText.back(), L'\u0F41');
    expectInStep(c);
}

TEST(LayoutComposer, DisplayLine) {
    LayoutComposer c(nullptr);
    EXPECT_TRUE(c.DisplayLine().empty());

    c.AddKey(kWylieF, 'k');
    EXPECT_EQ(c.DisplayLine(), L" \u0F40");

    c.Reset();
    EXPECT_TRUE(c.DisplayLine().empty());

    // Keys that composed nothing are shown as typed.
    c.typedKeys = "ab";
    EXPECT_EQ(c.DisplayLine(), L"ab");
}

class LayoutComposerCandidates : public ::testing::Test {
protected:
    void SetUp() override {
        dictionary = test::dictionaryOfWords(
            {L"\u0F40", L"\u0F40\u0F72", L"\u0F41\u0F72", L"\u0F66\u0F90", L"\u0F66\u2198x"});
    }
    std::vector<std::wstring> candidates() const { return composer.candidateList.strings(); }
    void add(char key) { composer.AddKey(layout, key); }
    void deleteKey() { composer.DeleteKey(layout); }

    int layout = kWylieF;

    Dictionary dictionary;
    LayoutComposer composer{&dictionary};
};

TEST_F(LayoutComposerCandidates, FollowEveryChange) {
    using W = std::vector<std::wstring>;
    add('k');
    EXPECT_EQ(candidates(), (W{L"\u0F40", L"\u0F40\u0F72"}));
    add('h');
    EXPECT_EQ(candidates(), (W{L"\u0F41\u0F72"}));
    add('a');
    EXPECT_EQ(candidates(), (W{L"\u0F41\u0F72"}));
    add('i');
    EXPECT_EQ(candidates(), (W{L"\u0F41\u0F72"}));
    deleteKey();
    deleteKey();
    deleteKey();
    EXPECT_EQ(candidates(), (W{L"\u0F40", L"\u0F40\u0F72"}));
    composer.Reset();
    EXPECT_TRUE(candidates().empty());

    add('s');
    add('f');
    EXPECT_EQ(candidates(), (W{L"\u0F66\u2198x"}));
    add('k');
    EXPECT_EQ(candidates(), (W{L"\u0F66\u0F90"}));
}

TEST_F(LayoutComposerCandidates, IgnoredKeyLeavesCandidatesAndPage) {
    dictionary = test::dictionaryOfWords(std::vector<std::wstring>(12, L"\u0F40\u0F40"));
    layout = kSambhota1;
    add('k');
    ASSERT_EQ(candidates().size(), 12u);
    composer.NextPage();
    add('C'); // no one-key row
    EXPECT_EQ(composer.pageFirst, 6);
    EXPECT_EQ(candidates().size(), 12u);
    EXPECT_EQ(composer.keyCount(), 1);
}

TEST_F(LayoutComposerCandidates, PagingAndSelection) {
    std::vector<std::wstring> words;
    for (int i = 0; i < 12; ++i) {
        words.push_back(L"\u0F40" + std::to_wstring(i));
    }
    dictionary = test::dictionaryOfWords(words);
    add('k');
    composer.NextPage();
    EXPECT_EQ(composer.ChosenCandidate('2'), L"\u0F406");

    composer.NextPage();
    EXPECT_EQ(composer.pageFirst, 11);
    EXPECT_EQ(composer.CandidatePageText(), L"\n  1: \u0F4010\n  2: \u0F4011");
    EXPECT_FALSE(composer.ChosenCandidate('3')); // nothing there
    composer.PrevPage();
    EXPECT_EQ(composer.pageFirst, 6);

    composer.Reset();
    EXPECT_TRUE(composer.CandidatePageText().empty());
    EXPECT_EQ(composer.pageFirst, 1);
}

TEST_F(LayoutComposerCandidates, ResultHoldsTheWholeCandidate) {
    std::wstring longWord = L"\u0F40" + std::wstring(300, L'\u0F72');
    dictionary = test::dictionaryOfWords({longWord});
    add('k');
    EXPECT_EQ(composer.ChosenCandidate('1'), longWord);
}

} // namespace
} // namespace revaze
