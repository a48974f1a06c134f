#include "wylie/syllable_parser.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text.h"

namespace revaze {
namespace {

struct SpellingCase {
    const char* syllable;
    const char* spelling; // code points of the output, as codepointList prints them
};

void expectSpellings(const SpellingCase* begin, const SpellingCase* end) {
    WylieSyllableParser parser;
    for (const SpellingCase* c = begin; c != end; ++c) {
        parser.Parse(c->syllable);
        EXPECT_EQ(codepointList(parser.Output()), c->spelling) << "syllable " << c->syllable;
        EXPECT_EQ(parser.output[parser.outputCount], L'\0') << "syllable " << c->syllable;
        EXPECT_EQ(std::wstring(parser.output), std::wstring(parser.Output()))
            << "syllable " << c->syllable;
    }
}

template <std::size_t N> void expectSpellings(const SpellingCase (&cases)[N]) {
    expectSpellings(cases, cases + N);
}

TEST(WylieSyllableParser, SpellsCommonSyllables) {
    const SpellingCase cases[] = {
        {"bsgrubs", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F74 U+0F56 U+0F66"},
        {"brgyud", "U+0F56 U+0F62 U+0F92 U+0FB1 U+0F74 U+0F51"},
        {"mkhyen", "U+0F58 U+0F41 U+0FB1 U+0F7A U+0F53"},
        {"sngon", "U+0F66 U+0F94 U+0F7C U+0F53"},
        {"bkra", "U+0F56 U+0F40 U+0FB2"},
        {"gyas", "U+0F42 U+0FB1 U+0F66"},
        {"sangs", "U+0F66 U+0F44 U+0F66"},
        {"tsha", "U+0F5A"},
        {"tshwa", "U+0F5A U+0FAD"},
        // Seven letters: the quad table is not consulted, "shw" is read as a triple.
        {"tshwags", "U+0F4F U+0F64 U+0FAD U+0F42 U+0F66"},
        {"kSha", "U+0F69"},
        // A is no vowel key: the stem has an implicit vowel and "gA" is a pair.
        {"dgA", "U+0F51 U+0F42 U+0F71"},
    };
    expectSpellings(cases);
}

TEST(WylieSyllableParser, GaDotYaStems) {
    const SpellingCase cases[] = {
        {"g.y", "U+0F42 U+0F61"},
        {"g.ya", "U+0F42 U+0F61"},
        {"g.yi", "U+0F42 U+0F61 U+0F72"},
        {"g.yk", "U+0F42 U+0F61 U+0F40"},
        {"g.yas", "U+0F42 U+0F61 U+0F66"},
        {"g.yos", "U+0F42 U+0F61 U+0F7C U+0F66"},
        {"g.yag", "U+0F42 U+0F61 U+0F42"},
        {"g.yng", "U+0F42 U+0F61 U+0F44"},
        {"g.yang", "U+0F42 U+0F61 U+0F44"},
        {"g.yags", "U+0F42 U+0F61 U+0F42 U+0F66"},
        {"g.ymos", "U+0F42 U+0F61 U+0F58 U+0F7C U+0F66"},
        {"g.ykri", "U+0F42 U+0F61 U+0F40 U+0F62 U+0F72"},
        {"g.yngs", "U+0F42 U+0F61 U+0F44 U+0F66"},
        // Six letters, no vowel key, no "ng" after the ya: nothing more.
        {"g.ykrd", "U+0F42 U+0F61"},
        // Seven letters with the vowel right after the ya.
        {"g.yongs", "U+0F42 U+0F61 U+0F7C U+0F44 U+0F66"},
        {"g.yngsd", "U+0F42 U+0F61 U+0F44 U+0F66 U+0F51"},
        // Seven or eight letters with the vowel elsewhere: the dot has no letter.
        {"g.yrkas", "U+0F42"},
        {"g.ybrkas", "U+0F42"},
        {"g.yrkas'i", "U+0F42 U+0F60 U+0F72"},
    };
    expectSpellings(cases);
}

TEST(WylieSyllableParser, AchungEndings) {
    const SpellingCase cases[] = {
        {"dga'i", "U+0F51 U+0F42 U+0F60 U+0F72"},
        {"dga'u", "U+0F51 U+0F42 U+0F60 U+0F74"},
        {"dga'e", "U+0F51 U+0F42 U+0F60 U+0F7A"},
        {"dga'o", "U+0F51 U+0F42 U+0F60 U+0F7C"},
        {"ba'm", "U+0F56 U+0F60 U+0F58"},
        {"dga'ng", "U+0F51 U+0F42 U+0F60 U+0F44"},
        // Not endings: too short, or no vowel after the apostrophe.
        {"dga'", "U+0F51 U+0F42 U+0F60"},
        {"'ang", "U+0F60 U+0F44"},
        {"'i", "U+0F60 U+0F72"},
        {"a'i", "U+0F68 U+0F60 U+0F72"},
        // The ending follows whatever the stem kept before its cut.
        {"g.'i", "U+0F42 U+0F60 U+0F72"},
        {"dga'is", "U+0F51 U+0F42 U+0F60"},
    };
    expectSpellings(cases);
}

TEST(WylieSyllableParser, CutsAtTheFirstKeyWithoutALetter) {
    const SpellingCase cases[] = {
        {"a", "U+0F68"},
        {"i", ""},
        {"H", "U+0F7F"},
        {"k", "U+0F40"},
        {".", ""},
        {"ga.", "U+0F42"},
        // Three letters: the last position is taken as the vowel before the middle one.
        {"gei", "U+0F42"},
        {"gao", "U+0F42 U+0F68 U+0F7C"},
        {"g.", "U+0F42"},
        {"", ""},
    };
    expectSpellings(cases);
}

TEST(WylieSyllableParser, StemsWithAVowelKey) {
    const SpellingCase cases[] = {
        // Two letters.
        {"ka", "U+0F40"},
        {"ki", "U+0F40 U+0F72"},
        {"'o", "U+0F60 U+0F7C"},
        {"kH", "U+0F40 U+0F7F"},
        // Three letters.
        {"kha", "U+0F41"},
        {"khi", "U+0F41 U+0F72"},
        {"gan", "U+0F42 U+0F53"},
        {"kye", "U+0F40 U+0FB1 U+0F7A"},
        // Four letters, each onset length.
        {"bang", "U+0F56 U+0F44"},
        {"khag", "U+0F41 U+0F42"},
        {"sngo", "U+0F66 U+0F94 U+0F7C"},
        {"rgyu", "U+0F62 U+0F92 U+0FB1 U+0F74"},
        {"bkru", "U+0F56 U+0F40 U+0FB2 U+0F74"},
        {"bgdu", "U+0F56 U+0F42 U+0F51 U+0F74"},
        // Five letters: the "ngs" exception after a first-position vowel.
        {"bangd", "U+0F56 U+0F53 U+0F42 U+0F51"},
        {"bagsd", "U+0F56 U+0F42 U+0F66 U+0F51"},
        {"gyang", "U+0F42 U+0FB1 U+0F44"},
        {"khyen", "U+0F41 U+0FB1 U+0F7A U+0F53"},
        {"phywa", "U+0F55 U+0FB1 U+0FAD"},
        {"bsgra", "U+0F56 U+0F66 U+0F92 U+0FB2"},
        {"bkrma", "U+0F56 U+0F40 U+0F62 U+0F58"},
        // Six letters.
        {"bangsd", "U+0F56 U+0F44 U+0F66 U+0F51"},
        {"gyangs", "U+0F42 U+0FB1 U+0F44 U+0F66"},
        {"sgrogs", "U+0F66 U+0F92 U+0FB2 U+0F7C U+0F42 U+0F66"},
        {"rtswag", "U+0F62 U+0FA9 U+0FAD U+0F42"},
        {"bsgrba", "U+0F56 U+0F66 U+0F42 U+0F62 U+0F56"},
        // Seven letters.
        {"khangsd", "U+0F41 U+0F44 U+0F66 U+0F51"},
        {"bdkrags", "U+0F56 U+0F51 U+0F40 U+0FB2 U+0F42 U+0F66"},
        {"bdgmags", "U+0F56 U+0F51 U+0F42 U+0F58 U+0F42 U+0F66"},
        {"bsgrkas", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F40 U+0F66"},
        {"sgrbkan", "U+0F66 U+0F92 U+0FB2 U+0F56 U+0F40 U+0F53"},
        {"bsgrkda", "U+0F56 U+0F66 U+0F42 U+0F62 U+0F40 U+0F51"},
        // Eight letters.
        {"bsgrubsd", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F74 U+0F56 U+0F66 U+0F51"},
        {"sgrbkang", "U+0F66 U+0F92 U+0FB2 U+0F56 U+0F40 U+0F44"},
        {"bsgrkdan", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F40 U+0F51 U+0F53"},
        {"bsgrkdma", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F40 U+0F51 U+0F58"},
    };
    expectSpellings(cases);
}

TEST(WylieSyllableParser, StemsWithAnImplicitVowel) {
    const SpellingCase cases[] = {
        // Two letters.
        {"kh", "U+0F41"},
        {"rk", "U+0F62 U+0F90"},
        {"KS", "U+0F69"},
        {"gd", "U+0F42 U+0F51"},
        // Three letters, one row per alternative.
        {"tsh", "U+0F5A"},
        {"ngs", "U+0F44 U+0F66"},
        {"bkr", "U+0F56 U+0F40 U+0FB2"},
        {"bgd", "U+0F56 U+0F42 U+0F51"},
        // Four letters.
        {"tshw", "U+0F5A U+0FAD"},
        {"phyw", "U+0F55 U+0FB1 U+0FAD"},
        {"bngs", "U+0F56 U+0F44 U+0F66"},
        {"bsgr", "U+0F56 U+0F66 U+0F92 U+0FB2"},
        {"tshd", "U+0F5A U+0F51"},
        {"khng", "U+0F41 U+0F44"},
        {"bkrd", "U+0F56 U+0F40 U+0FB2 U+0F51"},
        {"bgdm", "U+0F56 U+0F42 U+0F51 U+0F58"},
        // Five letters; a pair at the start is tried only with "ngs".
        {"khngs", "U+0F41 U+0F44 U+0F66"},
        {"bdngs", "U+0F56 U+0F51 U+0F44 U+0F66"},
        {"tshng", "U+0F5A U+0F44"},
        {"bsgrd", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F51"},
        {"bkrng", "U+0F56 U+0F40 U+0FB2 U+0F44"},
        {"bgdmn", "U+0F56 U+0F42 U+0F51 U+0F58 U+0F53"},
        {"khgdm", "U+0F40 U+0F67 U+0F42 U+0F51 U+0F58"},
        // Six letters: a triple at the start comes first.
        {"tshngs", "U+0F5A U+0F44 U+0F66"},
        {"sgrwng", "U+0F66 U+0F92 U+0FB2 U+0F5D U+0F53 U+0F42"},
        {"bsgrng", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F44"},
        {"bkrngs", "U+0F56 U+0F40 U+0FB2 U+0F44 U+0F66"},
        {"bgdmns", "U+0F56 U+0F42 U+0F51 U+0F58 U+0F53 U+0F66"},
        // Seven letters: a triple after the first letter comes first.
        {"sgrwngs", "U+0F66 U+0F42 U+0FB2 U+0FAD U+0F44 U+0F66"},
        {"bsgrngs", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F44 U+0F66"},
        {"tshngsd", "U+0F5A U+0F44 U+0F66 U+0F51"},
        {"bkrngsd", "U+0F56 U+0F40 U+0FB2 U+0F44 U+0F66 U+0F51"},
        {"bgdmnsd", "U+0F56 U+0F42 U+0F51 U+0F58 U+0F53 U+0F66 U+0F51"},
        // Eight letters: the four after the onset are letters, "ng" included.
        {"bsgrngsd", "U+0F56 U+0F66 U+0F92 U+0FB2 U+0F53 U+0F42 U+0F66 U+0F51"},
        {"sgrbngsd", "U+0F66 U+0F92 U+0FB2 U+0F56 U+0F53 U+0F42 U+0F66 U+0F51"},
        {"bdgmkrsd", "U+0F56 U+0F51 U+0F42 U+0F58 U+0F40 U+0F62 U+0F66 U+0F51"},
    };
    expectSpellings(cases);
}

TEST(WylieSyllableParser, LongAndOddInputsStayInBounds) {
    const SpellingCase cases[] = {
        {"bsgrubsdg", ""},
        {"bsgrubsdg'i", "U+0F60 U+0F72"},
        {"aaaaaaaaaaaa'ng", "U+0F60 U+0F44"},   // 15 characters: the longest taken
        {"aaaaaaaaaaaaa'ng", ""},               // 16 characters
        {"bsgrubsbsgrubsbsgrubsbsgrubs'i", ""}, // far too long
        {"\x80\xff\x7f", ""},
    };
    expectSpellings(cases);

    WylieSyllableParser parser;
    parser.Parse(nullptr);
    EXPECT_EQ(parser.outputCount, 0);
    EXPECT_EQ(parser.stemLength, 0);
}

TEST(WylieSyllableParser, KeepsTheStemAndTheVowelSign) {
    struct Case {
        const char* syllable;
        const char* stem;
        int stemLength;
        unsigned vowelSign;
    };
    const Case cases[] = {
        {"dga'i", "dga", 3, 0},
        {"dga'ng", "dga", 3, 0},
        {"bsgrubs", "bsgrubs", 7, 0x0F74},
        {"g.yos", "g.yos", 5, 0x0F7C},
        {"bsgrubsdg'i", "bsgrubsdg", 9, 0},
        {"khe", "khe", 3, 0x0F7A},
    };
    WylieSyllableParser parser;
    for (const Case& c : cases) {
        parser.Parse("sgrogs"); // leaves a vowel sign and a longer stem behind
        parser.Parse(c.syllable);
        EXPECT_STREQ(parser.stem, c.stem) << c.syllable;
        EXPECT_EQ(parser.stemLength, c.stemLength) << c.syllable;
        EXPECT_EQ(parser.vowelSign, c.vowelSign) << c.syllable;
    }
}

} // namespace
} // namespace revaze
