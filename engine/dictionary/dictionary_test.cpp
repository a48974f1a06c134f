// The dictionary read in place: the loader's rules for lines and candidates, and the search
// against the regular-expression reference on small hand-made files.
#include "dictionary/dictionary.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "dictionary/reference_lookup.h"
#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

using Words = std::vector<std::wstring>;
using test::dictionaryBytesOfLines;
using test::dictionaryBytesOfWords;
using test::utf16le;

const std::wstring ka = {0x0F40};
const std::wstring kha = {0x0F41};

// Every test runs twice: searching through the index, and by the scan that answers before a
// deferred index is built.
class Searching : public ::testing::TestWithParam<test::Search> {
protected:
    Dictionary dictionaryOf(const std::string& bytes) const {
        Dictionary d = test::dictionarySearching(GetParam(), bytes);
        EXPECT_EQ(d.indexSource(), GetParam() == test::Search::Scan
                                       ? Dictionary::IndexSource::Pending
                                       : Dictionary::IndexSource::Built);
        return d;
    }
    Dictionary dictionaryOfWords(const Words& words) const {
        return dictionaryOf(dictionaryBytesOfWords(words));
    }

    // The search and the reference agree on `texts` for a dictionary made of `bytes`.
    void expectLikeReference(const std::string& bytes, const Words& texts) const;
};

void Searching::expectLikeReference(const std::string& bytes, const Words& texts) const {
    const Dictionary d = dictionaryOf(bytes);
    ReferenceDictionary reference;
    reference.loadBytes(bytes);
    ASSERT_EQ(d.size(), reference.size());
    for (const std::wstring& text : texts) {
        EXPECT_EQ(LookupCandidates(d, text), ReferenceLookupCandidates(reference, text))
            << codepointList(text);
    }
}

using DictionaryLoading = Searching;
using DictionaryCandidates = Searching;
using Lookup = Searching;

TEST_P(DictionaryLoading, LinesAreReadAsTheLoaderAlwaysReadThem) {
    const std::wstring huge(5000, static_cast<wchar_t>(0x0F40));
    struct Row {
        const char* what;
        std::string bytes;
        std::size_t entries;
    };
    const Row rows[] = {
        {"mark", "\xFF\xFE" + utf16le(ka + L"\r\n" + kha + L"\r\n"), 2},
        {"no mark", utf16le(ka + L"\r\n"), 1},
        {"FE FF is a code unit", std::string("\xFE\xFF", 2) + utf16le(ka), 1},
        {"empty", "", 0},
        {"one byte", "\xFF", 0},
        {"mark only", "\xFF\xFE", 0},
        {"odd final byte", "\xFF\xFE" + utf16le(ka + L"\r\n" + kha) + "A", 2},
        {"long line", "\xFF\xFE" + utf16le(huge + L"\r\n" + ka + L"\r\n"), 4},
        {"LF only and none", "\xFF\xFE" + utf16le(ka + L"\n" + kha + L"\n" + ka), 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Dictionary d = dictionaryOf(row.bytes);
        ReferenceDictionary reference;
        reference.loadBytes(row.bytes);
        EXPECT_EQ(d.size(), row.entries);
        ASSERT_EQ(reference.size(), row.entries);
        // Every entry is reached through its first unit.
        for (const std::wstring& line : reference.lines) {
            const std::wstring text = line.substr(0, 1);
            EXPECT_EQ(LookupCandidates(d, text), ReferenceLookupCandidates(reference, text));
        }
    }
}

TEST_P(DictionaryLoading, AMarkIsNoPartOfTheFirstEntry) {
    const Dictionary d = dictionaryOf("\xFF\xFE" + utf16le(ka + L"\r\n"));
    EXPECT_EQ(LookupCandidates(d, ka), Words{ka});
    EXPECT_TRUE(LookupCandidates(d, std::wstring{0xFEFF}).empty());
    const Dictionary swapped = dictionaryOf(std::string("\xFE\xFF", 2) + utf16le(ka));
    EXPECT_EQ(LookupCandidates(swapped, std::wstring{0xFFFE}), Words{std::wstring{0xFFFE} + ka});
}

TEST_P(DictionaryLoading, LongLinesAreSearchedInPiecesOf2047Units) {
    const std::wstring head(2047, static_cast<wchar_t>(0x0F40));
    const std::wstring tail(100, static_cast<wchar_t>(0x0F41));
    const Dictionary d = dictionaryOf(dictionaryBytesOfWords({head + tail}));
    EXPECT_EQ(LookupCandidates(d, ka), Words{head});
    EXPECT_EQ(LookupCandidates(d, kha), Words{tail});
    EXPECT_TRUE(LookupCandidates(d, head + kha).empty());
}

TEST_P(DictionaryCandidates, TheTerminatorIsRemovedOnce) {
    struct Row {
        std::wstring line;
        std::wstring candidate;
    };
    const Row rows[] = {
        {L"ab\r\n", L"ab"}, {L"ab\n", L"ab"},   {L"ab", L"ab"},
        {L"a", L"a"},       {L"ab\r", L"ab\r"}, {L"a\r\r\n", L"a\r"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(candidateOfLine(row.line), row.candidate);
        const Dictionary d = dictionaryOf(dictionaryBytesOfLines({row.line}));
        EXPECT_EQ(LookupCandidates(d, L"a"), Words{row.candidate}) << codepointList(row.line);
    }
    // A line of its terminator alone offers the empty candidate.
    const Dictionary d = dictionaryOf(dictionaryBytesOfLines({L"\r\n"}));
    EXPECT_EQ(LookupCandidates(d, L"\r"), Words{L""});
}

TEST_P(Lookup, FirstHundredMatchesInFileOrderWithDuplicates) {
    Words words;
    for (int i = 0; i < 150; ++i) {
        words.push_back(ka + std::to_wstring(149 - i));
        words.push_back(kha);
    }
    const Dictionary d = dictionaryOf(dictionaryBytesOfWords(words));
    const Words found = LookupCandidates(d, ka);
    ASSERT_EQ(found.size(), 100u);
    EXPECT_EQ(found.front(), ka + L"149");
    EXPECT_EQ(found.back(), ka + L"50");
    EXPECT_EQ(LookupCandidates(d, kha), Words(100, kha));
    const Dictionary twice = dictionaryOfWords({kha, ka, kha});
    EXPECT_EQ(LookupCandidates(twice, kha), (Words{kha, kha}));
}

TEST_P(Lookup, TypedTextIsLiteralText) {
    const Words lines = {L"abc", L"axc", L"ab", L"a.c",   L"(x)", L"a\\b",
                         L"[q]", L"*s",  L"zz", L".?.?,", L"a+b", L"a{2"};
    const std::string bytes = dictionaryBytesOfWords(lines);
    const Dictionary d = dictionaryOf(bytes);
    EXPECT_EQ(LookupCandidates(d, L"a.c"), Words{L"a.c"});
    EXPECT_EQ(LookupCandidates(d, L"a.?"), Words{});
    EXPECT_EQ(LookupCandidates(d, L".?.?"), Words{L".?.?,"});
    EXPECT_EQ(LookupCandidates(d, L"("), Words{L"(x)"});
    EXPECT_EQ(LookupCandidates(d, L"z*"), Words{});
    // The long run of optional wildcards that froze the search when the text was a pattern.
    std::wstring runaway;
    for (int i = 0; i < 14; ++i) {
        runaway += L".?";
    }
    runaway += L",";
    expectLikeReference(bytes, {L"a.c", L"a\\.c", L"a[bx]c", L"z*", L"ab.", L"(", L"[",
                                L"\\",  L"*",     L"a{2",    L"+",  L"a+",  L")", L"a\\b",
                                L"[q]", L".?.?,", runaway,   L"^a", L"a$",  L"|"});
}

TEST_P(Lookup, TextsThatNoLineCanBeginWith) {
    const std::string bytes =
        dictionaryBytesOfLines({ka + L"\r\n", ka + kha + L"\r\n", L"\r\n", ka + L"\n", ka});
    const Dictionary d = dictionaryOf(bytes);
    EXPECT_TRUE(LookupCandidates(d, L"").empty());
    EXPECT_TRUE(LookupCandidates(d, std::wstring(2048, L'\u0F40')).empty());
    // The terminator is part of the line: a text may end with it, not go beyond it.
    EXPECT_EQ(LookupCandidates(d, ka + L"\r\n"), Words{ka});
    EXPECT_TRUE(LookupCandidates(d, ka + L"\r\n" + ka).empty());
    Words texts = {ka, ka + kha, ka + L"\r", ka + L"\n", L"\r", L"\n", kha, ka + ka};
    if (sizeof(wchar_t) > 2) {
        // A 32-bit wchar_t can hold what no 16-bit unit is.
        texts.push_back(std::wstring{static_cast<wchar_t>(0x10F40)});
        texts.push_back(ka + static_cast<wchar_t>(0x10F41));
    }
    expectLikeReference(bytes, texts);
}

TEST(EmptyDictionary, FindsNothing) {
    const Dictionary empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(LookupCandidates(empty, ka).empty());
}

const auto kSearches = ::testing::Values(test::Search::Index, test::Search::Scan);
const auto searchName = [](const ::testing::TestParamInfo<test::Search>& info) {
    return std::string(test::searchName(info.param));
};
INSTANTIATE_TEST_SUITE_P(Search, DictionaryLoading, kSearches, searchName);
INSTANTIATE_TEST_SUITE_P(Search, DictionaryCandidates, kSearches, searchName);
INSTANTIATE_TEST_SUITE_P(Search, Lookup, kSearches, searchName);

} // namespace
} // namespace revaze
