#include "dictionary/candidates.h"

#include <gtest/gtest.h>

#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

Dictionary numbered(int count) {
    std::vector<std::wstring> words;
    for (int i = 1; i <= count; ++i) {
        words.push_back(L"w" + std::to_wstring(i));
    }
    return test::dictionaryOfWords(words);
}

TEST(CandidatePaging, TwelveCandidatesPageByFiveAndStopAtTheLastPage) {
    Dictionary d = numbered(12);
    CandidatePaging c(&d);
    c.RefreshCandidates(L"w");
    ASSERT_EQ(c.candidateList.size(), 12u);
    EXPECT_EQ(c.CandidatePageText(), L"\n  1: w1\n  2: w2\n  3: w3\n  4: w4\n  5: w5");
    c.NextPage();
    EXPECT_EQ(c.CandidatePageText(), L"\n  1: w6\n  2: w7\n  3: w8\n  4: w9\n  5: w10");
    c.NextPage();
    EXPECT_EQ(c.CandidatePageText(), L"\n  1: w11\n  2: w12");
    c.NextPage();
    EXPECT_EQ(c.pageFirst, 11);
    EXPECT_EQ(*c.ChosenCandidate('2'), L"w12");
    for (char digit : {'3', '4', '5'}) {
        EXPECT_FALSE(c.ChosenCandidate(digit).has_value());
    }
    c.PrevPage();
    c.PrevPage();
    c.PrevPage();
    EXPECT_EQ(c.pageFirst, 1);
}

TEST(CandidatePaging, TenCandidatesHaveTwoPages) {
    Dictionary d = numbered(10);
    CandidatePaging c(&d);
    c.RefreshCandidates(L"w");
    c.NextPage();
    EXPECT_EQ(c.pageFirst, 6);
    c.NextPage();
    EXPECT_EQ(c.pageFirst, 6);
    EXPECT_EQ(c.ShownPage(), (std::vector<std::wstring>{L"w6", L"w7", L"w8", L"w9", L"w10"}));
}

TEST(CandidatePaging, RefreshStartsAtThePageOneAndEmptyListDoesNotPage) {
    Dictionary d = numbered(12);
    CandidatePaging c(&d);
    c.NextPage();
    EXPECT_EQ(c.pageFirst, 1);
    c.RefreshCandidates(L"w");
    c.NextPage();
    c.RefreshCandidates(L"w1");
    EXPECT_EQ(c.pageFirst, 1);
    EXPECT_EQ(c.candidateList.strings(),
              (std::vector<std::wstring>{L"w1", L"w10", L"w11", L"w12"}));
    c.ClearCandidates();
    EXPECT_TRUE(c.candidateList.empty());
    EXPECT_FALSE(c.ChosenCandidate('1').has_value());
}

TEST(CandidatePaging, LongCandidatesAreCutOnThePageButChosenWhole) {
    std::wstring longWord(300, L'x');
    Dictionary d = test::dictionaryOfWords({longWord, L"xy"});
    CandidatePaging c(&d);
    c.RefreshCandidates(L"x");
    // The first line is cut to its 127 units; the page holds at most 255.
    std::wstring page = c.CandidatePageText();
    EXPECT_EQ(page.substr(0, 127), L"\n  1: " + std::wstring(121, L'x'));
    EXPECT_EQ(page.substr(127), L"\n  2: xy");
    EXPECT_EQ(*c.ChosenCandidate('1'), longWord);
}

TEST(CandidatePaging, WithoutDictionaryNothingIsFound) {
    CandidatePaging c(nullptr);
    c.RefreshCandidates(L"w");
    EXPECT_TRUE(c.candidateList.empty());
}

} // namespace
} // namespace revaze
