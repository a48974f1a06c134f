#include "layouts/soft_key_composer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

using Words = std::vector<std::wstring>;

class SoftKeyComposerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dictionary = Dictionary::fromBytes(test::dictionaryBytesOfWords(
            {L"\u0F40", L"\u0F40\u0F72\u0F0B", L"\u0F40\u0F72", L"\u0F41"}));
    }
    Dictionary dictionary;
    SoftKeyComposer composer{&dictionary};
};

TEST_F(SoftKeyComposerTest, CollectsCharactersAndCandidates) {
    composer.AddKey('k', L'\u0F40');
    EXPECT_EQ(composer.candidateList.size(), 3u);
    composer.AddKey('i', L'\u0F72');
    EXPECT_EQ(composer.typedKeys, "ki");
    EXPECT_EQ(composer.keyCount(), 2);
    EXPECT_EQ(composer.charCount(), 2);
    EXPECT_EQ(composer.compositionText.str(), L"\u0F40\u0F72");
    EXPECT_EQ(composer.candidateList.strings(), (Words{L"\u0F40\u0F72\u0F0B", L"\u0F40\u0F72"}));
    EXPECT_EQ(composer.DisplayLine(), L"  \u0F40\u0F72");
}

TEST_F(SoftKeyComposerTest, DeleteKey) {
    composer.DeleteKey(); // nothing typed
    EXPECT_EQ(composer.keyCount(), 0);

    composer.AddKey('k', L'\u0F40');
    composer.DeleteKey();
    EXPECT_EQ(composer.keyCount(), 0);
    EXPECT_EQ(composer.charCount(), 0);
    EXPECT_TRUE(composer.typedKeys.empty());
    EXPECT_TRUE(composer.compositionText.empty());
    EXPECT_TRUE(composer.DisplayLine().empty());
    EXPECT_TRUE(composer.candidateList.empty());

    composer.AddKey('k', L'\u0F40');
    composer.AddKey('i', L'\u0F72');
    composer.AddKey('g', L'\u0F42');
    EXPECT_TRUE(composer.candidateList.empty());
    composer.DeleteKey();
    EXPECT_EQ(composer.typedKeys, "ki");
    EXPECT_EQ(composer.compositionText.str(), L"\u0F40\u0F72");
    EXPECT_EQ(composer.candidateList.strings(), (Words{L"\u0F40\u0F72\u0F0B", L"\u0F40\u0F72"}));
}

TEST_F(SoftKeyComposerTest, FullCompositionTakesNoMoreKeys) {
    dictionary = test::dictionaryOfWords(Words(7, std::wstring(60, L'\u0F40')));
    for (int i = 0; i < kMaxComposedUnits; ++i) {
        composer.AddKey('k', L'\u0F40');
    }
    ASSERT_EQ(composer.candidateList.size(), 7u);
    composer.NextPage();
    composer.AddKey('i', L'\u0F72');
    EXPECT_EQ(composer.keyCount(), 60);
    EXPECT_EQ(composer.charCount(), 60);
    EXPECT_EQ(composer.typedKeys.back(), 'k');
    EXPECT_EQ(composer.compositionText.back(), L'\u0F40');
    EXPECT_EQ(composer.pageFirst, 6); // no new search
}

TEST_F(SoftKeyComposerTest, ChosenCandidate) {
    EXPECT_FALSE(composer.ChosenCandidate('2')); // no candidates: nothing

    composer.AddKey('k', L'\u0F40');
    EXPECT_EQ(composer.ChosenCandidate('2'), L"\u0F40\u0F72\u0F0B");

    composer.Reset();
    EXPECT_FALSE(composer.ChosenCandidate('2'));
    EXPECT_TRUE(composer.candidateList.empty());
}

TEST_F(SoftKeyComposerTest, DisplayLineFallsBackToKeys) {
    EXPECT_TRUE(composer.DisplayLine().empty());
    composer.typedKeys = "q";
    EXPECT_EQ(composer.DisplayLine(), L"q");
}

TEST_F(SoftKeyComposerTest, ZeroCharacterIsNotTaken) {
    composer.AddKey('x', L'\0');
    EXPECT_EQ(composer.keyCount(), 0);
    EXPECT_TRUE(composer.compositionText.empty());
}

} // namespace
} // namespace revaze
