// The production search against the reference on the default dictionary, for several hundred
// prefixes taken from its own words, with and without regex metacharacters.
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "dictionary/dictionary.h"

namespace revaze {
namespace {

TEST(DefaultDictionary, ProductionSearchReturnsExactlyWhatTheReferenceReturns) {
    Dictionary d;
    std::ostringstream diagnostics;
    if (!d.loadFile(REVAZE_DEFAULT_DICTIONARY, diagnostics)) {
        if (std::getenv("CI") != nullptr) {
            FAIL() << diagnostics.str();
        }
        GTEST_SKIP() << "no default dictionary: " << diagnostics.str();
    }
    ASSERT_GT(d.size(), 50000u);
#ifdef REVAZE_SANITIZED
    // The sanitizer build runs the regex engine some twenty times slower: fewer words there.
    const std::size_t words = 20;
#else
    const std::size_t words = 150;
#endif
    std::vector<std::wstring> texts;
    const std::wstring metas[] = {L".", L"(", L"[", L"\\", L"*", L".*", L"[^x]", L"\\.", L")"};
    for (std::size_t i = 0; i < d.size(); i += d.size() / words) {
        std::wstring word = candidateOfLine(d.lines[i]);
        for (std::size_t len : {std::size_t{1}, std::size_t{2}, word.size() / 2, word.size()}) {
            if (len > 0 && len <= word.size()) {
                texts.push_back(word.substr(0, len));
            }
        }
        const std::wstring& meta = metas[(i / words) % std::size(metas)];
        texts.push_back(word.substr(0, 1) + meta);
        texts.push_back(word.substr(0, word.size() / 2) + meta + word.substr(word.size() / 2));
    }
    ASSERT_GT(texts.size(), 4 * words);
    std::size_t withCandidates = 0;
    for (const std::wstring& text : texts) {
        auto production = LookupCandidates(d, text);
        ASSERT_EQ(production, ReferenceLookupCandidates(d, text));
        withCandidates += production.empty() ? 0 : 1;
    }
    // Most of the prefixes come from the dictionary's own words, so most have candidates.
    EXPECT_GT(withCandidates, texts.size() / 2);
}

} // namespace
} // namespace revaze
