#include "tools/word_list.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "dictionary/dictionary.h"

namespace revaze {
namespace {

TEST(WordList, SyllablesAreTheRunsBetweenTshegs) {
    struct Row {
        std::wstring word;
        std::size_t syllables;
    };
    const Row rows[] = {
        {L"", 0},
        {L"\u0F40", 1},
        {L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66", 2},
        {L"\u0F40\u0F0B", 1},                   // a final tsheg opens nothing
        {L"\u0F0B\u0F40\u0F0B\u0F0B\u0F41", 2}, // nor do leading and doubled ones
        {L"\u0F40\u0F0C\u0F41", 2},             // the non-breaking tsheg separates too
        {L"\u0F40\u0F0D", 1},                   // a shad is part of its syllable
    };
    for (const Row& row : rows) {
        EXPECT_EQ(syllableCount(row.word), row.syllables) << codepointList(row.word);
    }
}

TEST(WordList, FewerSyllablesFirstThenCodePointOrderWithoutBlanksOrRepeats) {
    const std::string list = "\xE0\xBD\x82\xE0\xBC\x8B\xE0\xBD\x80\r\n" // ག་ཀ (2 syllables)
                             "  \xE0\xBD\x81\t\n"                       // ཁ, padded
                             "\n"
                             "\xE0\xBD\x80\n"                        // ཀ
                             "\xE0\xBD\x81\n"                        // ཁ again: dropped
                             "\xF0\x9F\x98\x80\n"                    // U+1F600
                             "\xEF\xBC\xA1\n"                        // U+FF21
                             "\xE0\xBD\x80\xE0\xBC\x8B\xE0\xBD\x82"; // ཀ་ག, no final LF
    const std::vector<std::wstring> words = orderedWords(list);
    const std::vector<std::wstring> expected = {
        L"\u0F40",
        L"\u0F41",
        L"\uFF21",
        // Code-point order puts U+1F600 after U+FF21, although its first UTF-16 unit is lower.
        utf8ToUnits("\xF0\x9F\x98\x80"),
        L"\u0F40\u0F0B\u0F42",
        L"\u0F42\u0F0B\u0F40",
    };
    EXPECT_EQ(words, expected);
}

TEST(WordList, FileBytesAreUtf16LittleEndianWithMarkAndCrLfAndLoadBack) {
    const std::vector<std::wstring> words = {L"\u0F40", L"\u0F41\u0F72"};
    const std::string bytes = dictionaryFileBytes(words);
    const std::string expected("\xFF\xFE"
                               "\x40\x0F\x0D\x00\x0A\x00"
                               "\x41\x0F\x72\x0F\x0D\x00\x0A\x00",
                               16);
    EXPECT_EQ(bytes, expected);
    const Dictionary d = Dictionary::fromBytes(bytes);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(LookupCandidates(d, L"\u0F41"), std::vector<std::wstring>{L"\u0F41\u0F72"});
    EXPECT_EQ(dictionaryFileBytes({}), std::string("\xFF\xFE"));
}

} // namespace
} // namespace revaze
