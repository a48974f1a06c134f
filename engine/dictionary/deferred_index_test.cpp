// A dictionary whose index is built after it opened: searches during the build, on another
// thread, find what the index finds; candidate lists made before the switch stay valid.
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "common/text.h"
#include "dictionary/candidates.h"
#include "dictionary/dictionary.h"
#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

using Texts = std::vector<std::wstring>;

#ifdef REVAZE_SANITIZED
constexpr std::size_t kWords = 60000;
#else
constexpr std::size_t kWords = 300000;
#endif

TEST(DeferredIndex, SearchesWhileAnotherThreadBuildsFindWhatTheIndexFinds) {
    const Texts words = test::stretchedWords(kWords, 23);
    const std::string bytes = test::dictionaryBytesOfWords(words);
    // The index built at once is the yardstick: the tests of line_index check it against the
    // regular-expression reference.
    const Dictionary indexed = Dictionary::fromBytes(bytes);
    Texts texts = {L"\u0F40\u0F40\u0F40\u0F40\u0F40", L"x", L"\u0F0B"};
    for (std::size_t i = 0; i < words.size(); i += words.size() / 50) {
        for (std::size_t length = 1; length <= words[i].size(); ++length) {
            texts.push_back(words[i].substr(0, length));
        }
    }
    std::vector<Matches> expected;
    for (const std::wstring& text : texts) {
        expected.push_back(indexed.find(text));
    }

    Dictionary d = test::dictionarySearching(test::Search::Scan, bytes);
    ASSERT_EQ(d.indexSource(), Dictionary::IndexSource::Pending);
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    std::thread builder([&] {
        started.store(true);
        d.buildIndex();
        finished.store(true);
    });
    while (!started.load()) {
        std::this_thread::yield();
    }
    // Search without pause until two whole rounds ran after the build finished.
    std::size_t whileBuilding = 0;
    std::size_t afterwards = 0;
    std::size_t wrong = 0;
    std::wstring firstWrong;
    for (int roundsAfter = 0; roundsAfter < 2;) {
        const bool finishedBefore = finished.load();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const bool built = d.indexSource() == Dictionary::IndexSource::Built;
            if (!(d.find(texts[i]) == expected[i]) && wrong++ == 0) {
                firstWrong = texts[i];
            }
            (built ? afterwards : whileBuilding)++;
        }
        roundsAfter += finishedBefore ? 1 : 0;
    }
    builder.join();
    EXPECT_EQ(wrong, 0u) << "first: " << codepointList(firstWrong);
    EXPECT_GT(whileBuilding, 0u);
    EXPECT_GE(afterwards, 2 * texts.size());
    EXPECT_EQ(d.indexImage(), indexed.indexImage());
}

TEST(DeferredIndex, OfSeveralCallsAtOnceOneBuildsAndNoneWaits) {
    const std::string bytes = test::dictionaryBytesOfWords(test::stretchedWords(20000, 31));
    Dictionary d = test::dictionarySearching(test::Search::Scan, bytes);
    std::vector<std::thread> callers;
    for (int i = 0; i < 4; ++i) {
        callers.emplace_back([&d] { d.buildIndex(); });
    }
    for (std::thread& caller : callers) {
        caller.join();
    }
    EXPECT_EQ(d.indexSource(), Dictionary::IndexSource::Built);
    EXPECT_EQ(d.indexImage(), Dictionary::fromBytes(bytes).indexImage());
}

TEST(DeferredIndex, ACandidateListOutlivesTheSwitchToTheIndex) {
    const std::string bytes = test::dictionaryBytesOfWords(test::stretchedWords(5000, 37));
    Dictionary d = test::dictionarySearching(test::Search::Scan, bytes);
    CandidatePaging paging(&d);
    paging.RefreshCandidates(L"\u0F42");
    paging.NextPage();
    const CandidateList before = paging.candidateList;
    const std::vector<std::wstring> shown = paging.ShownPage();
    ASSERT_EQ(before.size(), kMaxCandidates);
    d.buildIndex();
    ASSERT_EQ(d.indexSource(), Dictionary::IndexSource::Built);
    EXPECT_EQ(paging.ShownPage(), shown);
    paging.RefreshCandidates(L"\u0F42");
    EXPECT_TRUE(paging.candidateList == before);
}

} // namespace
} // namespace revaze
