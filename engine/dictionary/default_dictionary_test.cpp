// The index against the reference on the default dictionary: thousands of texts (prefixes of its
// words, single code units, texts found nowhere, texts with punctuation and regex
// metacharacters), with a prepared index, with one built in memory, with no stored answers, and by
// the scan that answers while a deferred index is built.
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "common/text.h"
#include "dictionary/dictionary.h"
#include "dictionary/reference_lookup.h"
#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

class DefaultDictionary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::ostringstream diagnostics;
        if (!reference_.loadFile(REVAZE_DEFAULT_DICTIONARY, diagnostics)) {
            missing_ = diagnostics.str();
            return;
        }
        // The reference is slow (a whole-file scan for every text with few lines): ask it once.
        for (const std::wstring& text : texts()) {
            expected_.emplace_back(text, ReferenceLookupCandidates(reference_, text));
        }
    }
    void SetUp() override {
        if (!missing_.empty()) {
            if (std::getenv("CI") != nullptr) {
                FAIL() << missing_;
            }
            GTEST_SKIP() << "no default dictionary: " << missing_;
        }
        ASSERT_GT(reference_.size(), 50000u);
    }

#ifdef REVAZE_SANITIZED
    // The regex engine runs some twenty times slower under the sanitizers.
    static constexpr std::size_t kWords = 4;
#else
    static constexpr std::size_t kWords = 150;
#endif

    // The texts: from words spread through the file, some sixteen from each word.
    static std::vector<std::wstring> texts() {
        const std::size_t words = kWords;
        const std::wstring metas[] = {L".", L"(", L"[", L"\\",  L"*", L".*", L"[^x]", L"\\.",
                                      L")", L"?", L"+", L"{2}", L"|", L"^",  L"$",    L".?.?"};
        std::vector<std::wstring> texts;
        const auto& lines = reference_.lines;
        for (std::size_t n = 0, i = 0; n < words; ++n, i += lines.size() / words) {
            const std::wstring word = candidateOfLine(lines[i]);
            for (std::size_t length = 1; length <= word.size(); ++length) {
                texts.push_back(word.substr(0, length));
            }
            const std::wstring& meta = metas[n % std::size(metas)];
            texts.push_back(word.substr(0, 1) + meta);
            texts.push_back(word.substr(0, word.size() / 2) + meta + word.substr(word.size() / 2));
            texts.push_back(word + L"\u0F0B\u0F40\u0F40\u0F40");
            texts.push_back(std::wstring{static_cast<wchar_t>(0x0F00 + n % 0x100)});
        }
        return texts;
    }

    static void expectReferenceCandidates(const Dictionary& d) {
        std::size_t withCandidates = 0;
        std::size_t full = 0;
        ASSERT_GT(expected_.size(), 10 * kWords);
        for (const auto& [text, candidates] : expected_) {
            ASSERT_EQ(LookupCandidates(d, text), candidates) << codepointList(text);
            withCandidates += candidates.empty() ? 0 : 1;
            full += candidates.size() == kMaxCandidates ? 1 : 0;
        }
        // The texts reach every kind of answer: none, a few, and a full hundred.
        EXPECT_GT(withCandidates, expected_.size() / 2);
        EXPECT_GT(withCandidates, full);
        EXPECT_GT(full, 2u);
    }

    static inline ReferenceDictionary reference_;
    static inline std::vector<std::pair<std::wstring, std::vector<std::wstring>>> expected_;
    static inline std::string missing_;
};

TEST_F(DefaultDictionary, APreparedIndexGivesTheReferenceCandidates) {
    test::TempDir dir;
    const auto path = dir / "ZovovUvoz2.dat";
    std::filesystem::copy_file(REVAZE_DEFAULT_DICTIONARY, path);
    test::writeFile(dir / "ZovovUvoz2.idx",
                    Dictionary::fromBytes(test::readFile(path)).indexImage());
    std::ostringstream diagnostics;
    auto d = openDictionary(path, diagnostics);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(diagnostics.str(), "");
    EXPECT_EQ(d->indexSource(), Dictionary::IndexSource::Prepared);
    EXPECT_EQ(d->size(), reference_.size());
    expectReferenceCandidates(*d);
}

TEST_F(DefaultDictionary, AnIndexBuiltInMemoryGivesTheReferenceCandidates) {
    const Dictionary d = Dictionary::fromBytes(test::readFile(REVAZE_DEFAULT_DICTIONARY));
    EXPECT_EQ(d.indexSource(), Dictionary::IndexSource::Built);
    expectReferenceCandidates(d);
}

TEST_F(DefaultDictionary, TheRangeMinimumWalkAloneGivesTheReferenceCandidates) {
    const Dictionary d = Dictionary::fromBytes(test::readFile(REVAZE_DEFAULT_DICTIONARY), {0});
    EXPECT_EQ(d.index().answerCount(), 0u);
    expectReferenceCandidates(d);
}

TEST_F(DefaultDictionary, TheScanBeforeADeferredIndexGivesTheReferenceCandidates) {
    const Dictionary d =
        test::dictionarySearching(test::Search::Scan, test::readFile(REVAZE_DEFAULT_DICTIONARY));
    EXPECT_EQ(d.indexSource(), Dictionary::IndexSource::Pending);
    expectReferenceCandidates(d);
}

TEST_F(DefaultDictionary, TheScanFindsWhatTheIndexFinds) {
    // Without the regex reference, many more texts: every prefix of every 199th word.
    const std::string bytes = test::readFile(REVAZE_DEFAULT_DICTIONARY);
    const Dictionary indexed = Dictionary::fromBytes(bytes);
    const Dictionary scanned = test::dictionarySearching(test::Search::Scan, bytes);
    std::size_t texts = 0;
    for (std::size_t i = 0; i < reference_.size(); i += kWords < 100 ? 997 : 199) {
        const std::wstring word = candidateOfLine(reference_.lines[i]);
        for (std::size_t length = 1; length <= word.size(); ++length, ++texts) {
            const std::wstring text = word.substr(0, length);
            ASSERT_EQ(scanned.find(text), indexed.find(text)) << codepointList(text);
        }
    }
    EXPECT_GT(texts, 500u);
}

} // namespace
} // namespace revaze
