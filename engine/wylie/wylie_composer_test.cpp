#include "wylie/wylie_composer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/text.h"
#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

constexpr wchar_t kTsheg = 0x0F0B;

std::wstring units(std::initializer_list<unsigned> codes) {
    std::wstring text;
    for (unsigned code : codes) {
        text += static_cast<wchar_t>(code);
    }
    return text;
}

// A small dictionary: words made of ka (U+0F40) followed by one more unit each.
Dictionary wordsAfterKa(int count) {
    std::vector<std::wstring> words{units({0x0F42, 0x0F72})}; // not a ka word
    for (int i = 0; i < count; ++i) {
        words.push_back(units({0x0F40, 0x0F51u + i}));
    }
    return test::dictionaryOfWords(words);
}

// Fills the candidate list with the one word on ga, which no refresh while typing ka gives.
void markCandidates(WylieComposer& composer) {
    composer.RefreshCandidates(units({0x0F42}));
    ASSERT_EQ(composer.candidateList.size(), 1u);
}

bool stillMarked(const WylieComposer& composer) {
    return composer.candidateList.strings() == std::vector<std::wstring>{units({0x0F42, 0x0F72})};
}

void type(WylieComposer& composer, std::string_view keys) {
    for (char key : keys) {
        ASSERT_TRUE(composer.AddKey(key)) << "key " << key;
    }
}

// The first space after a syllable opens the next one.
void space(WylieComposer& composer) {
    ASSERT_FALSE(composer.Space());
}

TEST(WylieComposer, ShowsLatinThenTibetanAndComposesWithoutAFinalTsheg) {
    WylieComposer composer(nullptr);
    type(composer, "bkra");
    space(composer);
    const std::wstring bkra = units({0x0F56, 0x0F40, 0x0FB2});
    EXPECT_EQ(composer.DisplayLine(), L"bkra  " + bkra + kTsheg);

    type(composer, "shis");
    const std::wstring shis = units({0x0F64, 0x0F72, 0x0F66});
    EXPECT_EQ(codepointList(composer.DisplayLine()),
              codepointList(L"bkra shis  " + bkra + kTsheg + shis + kTsheg));
    EXPECT_EQ(codepointList(composer.ComposedText()), codepointList(bkra + kTsheg + shis));
}

TEST(WylieComposer, DisplayLineWithoutTibetanIsTheLatinPartAlone) {
    WylieComposer composer(nullptr);
    type(composer, "i");
    EXPECT_EQ(composer.DisplayLine(), L"i ");
    EXPECT_TRUE(composer.ComposedText().empty());
}

TEST(WylieComposer, ComposedTextEndsAtTheFirstSyllableThatSpellsNothing) {
    struct Case {
        std::vector<std::string_view> syllables;
        std::wstring composed;
    };
    const Case cases[] = {
        {{"ka", "i", "ga"}, units({0x0F40})},
        {{"ka", "ga."}, units({0x0F40, kTsheg, 0x0F42})},
        {{"i", "ka"}, L""},
        {{"dga'i"}, units({0x0F51, 0x0F42, 0x0F60, 0x0F72})},
    };
    for (const Case& c : cases) {
        WylieComposer composer(nullptr);
        for (std::size_t i = 0; i < c.syllables.size(); ++i) {
            if (i > 0) {
                space(composer);
            }
            type(composer, c.syllables[i]);
        }
        EXPECT_EQ(codepointList(composer.ComposedText()), codepointList(c.composed))
            << "first syllable " << c.syllables[0];
    }
}

TEST(WylieComposer, TextSpelledBeforeAnEditIsNotKept) {
    Dictionary dictionary = wordsAfterKa(3);
    WylieComposer composer(&dictionary);
    type(composer, "k");
    EXPECT_EQ(composer.ComposedText(), units({0x0F40}));
    EXPECT_EQ(composer.candidateList.size(), 3u);
    composer.DeleteKey();
    EXPECT_EQ(composer.keyCount(), 0);
    EXPECT_TRUE(composer.ComposedText().empty());
    EXPECT_TRUE(composer.candidateList.empty());

    type(composer, "k");
    type(composer, "."); // "k." spells ka; then the dot is deleted and added again
    composer.DeleteKey();
    composer.DeleteKey();
    type(composer, "i"); // a lone i spells nothing
    EXPECT_TRUE(composer.ComposedText().empty());
}

TEST(WylieComposer, NinthKeyStartsTheNextSyllable) {
    WylieComposer composer(nullptr);
    type(composer, "bsgrubsd");
    EXPECT_EQ(composer.syllableIndex(), 0);
    type(composer, "g");
    EXPECT_EQ(composer.syllableIndex(), 1);
    EXPECT_EQ(composer.keysInSyllable(0), 8);
    EXPECT_EQ(composer.keysInSyllable(1), 1);
    EXPECT_STREQ(composer.syllables[1].latin, "g");
    const std::wstring first =
        units({0x0F56, 0x0F66, 0x0F92, 0x0FB2, 0x0F74, 0x0F56, 0x0F66, 0x0F51});
    EXPECT_EQ(codepointList(composer.DisplayLine()),
              codepointList(L"bsgrubsd g  " + first + kTsheg + units({0x0F42}) + kTsheg));
    EXPECT_EQ(composer.ComposedText(), first + kTsheg + units({0x0F42}));
}

TEST(WylieComposer, RefusesAKeyThatWouldStartATenthSyllable) {
    Dictionary dictionary = wordsAfterKa(2);
    WylieComposer composer(&dictionary);
    for (int i = 0; i < WylieComposer::kMaxSyllables; ++i) {
        type(composer, "kkkkkkkk");
    }
    ASSERT_EQ(composer.syllableIndex(), 8);
    ASSERT_EQ(composer.keysInSyllable(8), 8);
    const std::wstring composed = composer.ComposedText();
    EXPECT_EQ(composed.size(), 9u * 8u + 8u);
    markCandidates(composer);

    EXPECT_FALSE(composer.AddKey('k'));
    EXPECT_EQ(composer.syllableIndex(), 8);
    EXPECT_EQ(composer.keysInSyllable(8), 8);
    EXPECT_STREQ(composer.syllables[8].latin, "kkkkkkkk");
    EXPECT_EQ(composer.ComposedText(), composed);
    EXPECT_TRUE(stillMarked(composer)); // no refresh either

    EXPECT_EQ(composer.DisplayLine().size(), 9u * 9u + 1u + 9u * 9u);

    // A space in the last syllable commits: no syllable can follow it.
    EXPECT_TRUE(composer.Space());
    EXPECT_FALSE(composer.AddKey('k'));
    EXPECT_EQ(composer.ComposedText(), composed);
}

TEST(WylieComposer, RefusesNulAndTellsKeysApart) {
    WylieComposer composer(nullptr);
    EXPECT_FALSE(composer.AddKey('\0'));
    EXPECT_EQ(composer.keyCount(), 0);
    EXPECT_FALSE(composer.IsInputKey('\0'));
    EXPECT_TRUE(composer.IsInputKey(' '));
    EXPECT_TRUE(composer.IsInputKey('\''));
    EXPECT_FALSE(composer.IsInputKey('f'));
    EXPECT_FALSE(composer.IsInputKey('R'));

    wchar_t out = 0;
    EXPECT_TRUE(composer.DirectCharacter('/', out));
    EXPECT_EQ(out, static_cast<wchar_t>(0x0F0D));
    EXPECT_TRUE(composer.DirectCharacter('_', out));
    EXPECT_EQ(out, L' ');
    EXPECT_FALSE(composer.DirectCharacter('k', out));
    EXPECT_FALSE(composer.DirectCharacter('\0', out));
    EXPECT_EQ(composer.keysInSyllable(-1), 0);
    EXPECT_EQ(composer.keysInSyllable(9), 0);
}

TEST(WylieComposer, BackspaceOnAnEmptySyllableOnlyStepsBack) {
    Dictionary dictionary = wordsAfterKa(3);
    WylieComposer composer(&dictionary);
    type(composer, "ka");
    space(composer);
    ASSERT_EQ(composer.syllableIndex(), 1);
    markCandidates(composer);

    composer.DeleteKey();
    EXPECT_EQ(composer.syllableIndex(), 0);
    EXPECT_EQ(composer.keyCount(), 2);
    EXPECT_STREQ(composer.syllables[0].latin, "ka");
    EXPECT_TRUE(stillMarked(composer)); // the candidates were not refreshed

    composer.DeleteKey();
    EXPECT_EQ(composer.keyCount(), 1);
    EXPECT_STREQ(composer.syllables[0].latin, "k");
    EXPECT_EQ(std::wstring(composer.syllables[0].tibetan), units({0x0F40}));
    EXPECT_EQ(composer.candidateList.size(), 3u);

    composer.DeleteKey();
    composer.DeleteKey(); // nothing left: stays at syllable 0
    EXPECT_EQ(composer.syllableIndex(), 0);
    EXPECT_EQ(composer.keyCount(), 0);
}

TEST(WylieComposer, PagesOfFiveWithSixCandidates) {
    Dictionary dictionary = wordsAfterKa(6);
    WylieComposer composer(&dictionary);
    type(composer, "k");
    ASSERT_EQ(composer.candidateList.size(), 6u);
    EXPECT_EQ(composer.candidateList[0], units({0x0F40, 0x0F51}));
    const std::wstring page = composer.CandidatePageText();
    EXPECT_EQ(page.substr(0, 7), L"\n  1: " + units({0x0F40}));
    EXPECT_EQ(std::count(page.begin(), page.end(), L'\n'), 5);

    composer.NextPage();
    EXPECT_EQ(composer.pageFirst, 6);
    EXPECT_EQ(composer.CandidatePageText(), L"\n  1: " + units({0x0F40, 0x0F56}));
    composer.NextPage();
    EXPECT_EQ(composer.pageFirst, 6);
    composer.PrevPage();
    EXPECT_EQ(composer.pageFirst, 1);

    // Another key refreshes the list and starts again from its first page.
    composer.NextPage();
    type(composer, "a");
    EXPECT_EQ(composer.pageFirst, 1);
    EXPECT_EQ(composer.candidateList.size(), 6u);
}

TEST(WylieComposer, DigitsPickOnTheShownPage) {
    Dictionary dictionary = wordsAfterKa(8);
    WylieComposer composer(&dictionary);
    type(composer, "k");
    composer.NextPage();
    ASSERT_EQ(composer.pageFirst, 6);
    const struct {
        char digit;
        std::wstring chosen;
    } cases[] = {
        {'1', units({0x0F40, 0x0F56})},
        {'3', units({0x0F40, 0x0F58})},
        {'4', L""},
        {'5', L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(composer.ChosenCandidate(c.digit).value_or(L""), c.chosen) << "digit " << c.digit;
    }
}

TEST(WylieComposer, AChosenCandidateIsKeptWhole) {
    std::wstring longWord = units({0x0F40});
    longWord.append(300, static_cast<wchar_t>(0x0F72));
    Dictionary dictionary = test::dictionaryOfWords({longWord});
    WylieComposer composer(&dictionary);
    type(composer, "k");
    ASSERT_EQ(composer.candidateList.size(), 1u);
    EXPECT_EQ(composer.ChosenCandidate('1'), longWord);
    EXPECT_LT(composer.CandidatePageText().size(), kCandidateLineUnits);
}

TEST(WylieComposer, ResetEmptiesEverything) {
    Dictionary dictionary = wordsAfterKa(7);
    WylieComposer composer(&dictionary);
    type(composer, "ka");
    space(composer);
    type(composer, "ga");
    composer.NextPage();

    composer.Reset();
    EXPECT_EQ(composer.syllableIndex(), 0);
    EXPECT_EQ(composer.spaceCount(), 1);
    EXPECT_EQ(composer.pageFirst, 1);
    EXPECT_TRUE(composer.ComposedText().empty());
    EXPECT_TRUE(composer.DisplayLine().empty());
    EXPECT_TRUE(composer.CandidatePageText().empty());
    EXPECT_TRUE(composer.candidateList.empty());
    for (int i = 0; i < WylieComposer::kMaxSyllables; ++i) {
        EXPECT_EQ(composer.keysInSyllable(i), 0);
        EXPECT_EQ(composer.syllables[static_cast<std::size_t>(i)].latin[0], '\0');
        EXPECT_EQ(composer.syllables[static_cast<std::size_t>(i)].tibetan[0], L'\0');
    }
}

} // namespace
} // namespace revaze
