// The index: the range-minimum walk, stored answers against the walk and the reference on files
// built to stress them, and the prepared index file (naming, use, and every way it can be unfit).
#include "dictionary/line_index.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "common/text.h"
#include "dictionary/dictionary.h"
#include "dictionary/index_layout.h"
#include "dictionary/reference_lookup.h"
#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

using Texts = std::vector<std::wstring>;

TEST(RangeMinimum, SmallestValuesOfAnyStretchComeOutInOrder) {
    std::mt19937 random(7);
    for (std::uint32_t size : {1u, 2u, 63u, 64u, 65u, 200u, 1000u, 5000u}) {
        std::vector<std::uint32_t> values(size);
        std::iota(values.begin(), values.end(), 10u);
        std::shuffle(values.begin(), values.end(), random);
        // Runs sorted in parts, as a dictionary's order mostly is.
        if (size > 100) {
            std::sort(values.begin(), values.begin() + size / 3);
        }
        const RangeMinimumTables tables = buildRangeMinimum(values);
        ASSERT_EQ(tables.sparse.size(),
                  sparseWordsFor(static_cast<std::uint32_t>(tables.blockMinima.size())));
        const auto words = [](const std::vector<std::uint32_t>& v) {
            return revaze::Words(reinterpret_cast<const char*>(v.data()), v.size());
        };
        const RangeMinimum minimum(words(values), words(tables.blockMinima), words(tables.sparse));
        for (int trial = 0; trial < 300; ++trial) {
            std::uint32_t from = random() % size;
            std::uint32_t to = from + 1 + random() % (size - from);
            const std::uint32_t limit = 1 + random() % 128;
            std::vector<std::uint32_t> expected(values.begin() + from, values.begin() + to);
            std::sort(expected.begin(), expected.end());
            expected.resize(std::min<std::size_t>(expected.size(), limit));
            std::vector<std::uint32_t> found(128);
            found.resize(minimum.smallest(from, to, limit, found.data()));
            ASSERT_EQ(found, expected) << size << " [" << from << ", " << to << ") " << limit;
        }
    }
}

// Every prefix of every tenth word, and a few texts found nowhere.
Texts prefixTexts(const Texts& words) {
    Texts texts;
    for (std::size_t i = 0; i < words.size(); i += 10) {
        for (std::size_t length = 1; length <= words[i].size(); ++length) {
            texts.push_back(words[i].substr(0, length));
        }
    }
    texts.push_back(L"\u0F0B");
    texts.push_back(L"\u0F40\u0F40\u0F40\u0F40\u0F40\u0F40");
    texts.push_back(L"x");
    return texts;
}

TEST(LineIndex, StoredAnswersAndTheWalkGiveTheReferenceCandidates) {
#ifdef REVAZE_SANITIZED
    const std::size_t count = 1500;
#else
    const std::size_t count = 6000;
#endif
    const Texts words = test::stretchedWords(count, 11);
    const std::string bytes = test::dictionaryBytesOfWords(words);
    ReferenceDictionary reference;
    reference.loadBytes(bytes);
    const Dictionary stored = Dictionary::fromBytes(bytes);
    const Dictionary some = Dictionary::fromBytes(bytes, {3});
    const Dictionary walked = Dictionary::fromBytes(bytes, {0});
    const Dictionary scanned = test::dictionarySearching(test::Search::Scan, bytes);
    ASSERT_GT(stored.index().answerCount(), 5u);
    EXPECT_EQ(some.index().answerCount(), 3u);
    EXPECT_EQ(walked.index().answerCount(), 0u);
    std::size_t longStretches = 0;
    for (const std::wstring& text : prefixTexts(words)) {
        const auto [lo, hi] = stored.index().range(text);
        longStretches += hi - lo > kMaxCandidates ? 1 : 0;
        const Matches matches = stored.find(text);
        ASSERT_EQ(some.find(text), matches) << codepointList(text);
        ASSERT_EQ(walked.find(text), matches) << codepointList(text);
        ASSERT_EQ(scanned.find(text), matches) << codepointList(text);
        ASSERT_EQ(LookupCandidates(stored, text), ReferenceLookupCandidates(reference, text))
            << codepointList(text);
    }
    EXPECT_GT(longStretches, count / 60);
}

TEST(LineIndex, NestedPrefixesAndUnsortedFiles) {
    // a, aa, aaa, ...: every prefix is a stretch of its own, nested in the one before.
    Texts chain;
    for (int i = 1; i <= 400; ++i) {
        chain.push_back(std::wstring(static_cast<std::size_t>(i), L'a'));
    }
    std::mt19937 random(3);
    std::shuffle(chain.begin(), chain.end(), random);
    Texts shuffled = test::stretchedWords(1200, 5);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    for (const Texts& words : {chain, shuffled}) {
        const std::string bytes = test::dictionaryBytesOfWords(words);
        ReferenceDictionary reference;
        reference.loadBytes(bytes);
        const Dictionary d = Dictionary::fromBytes(bytes, {5});
        const Dictionary scanned = test::dictionarySearching(test::Search::Scan, bytes);
        // The chain's texts are its own lines' lengths around the stretch boundaries.
        Texts texts = words == chain ? Texts{} : prefixTexts(words);
        for (std::size_t length : {1, 2, 50, 250, 299, 300, 301, 399, 400, 401}) {
            texts.push_back(std::wstring(length, L'a'));
        }
        for (const std::wstring& text : texts) {
            ASSERT_EQ(LookupCandidates(d, text), ReferenceLookupCandidates(reference, text))
                << codepointList(text);
            ASSERT_EQ(scanned.find(text), d.find(text)) << codepointList(text);
        }
    }
}

TEST(IndexFile, NamedAfterItsDictionary) {
    EXPECT_EQ(indexPathFor("dir/ZovovUvoz2.dat"), std::filesystem::path("dir/ZovovUvoz2.idx"));
    EXPECT_EQ(indexPathFor("words"), std::filesystem::path("words.idx"));
    EXPECT_EQ(indexPathFor("a.b.dat"), std::filesystem::path("a.b.idx"));
}

class IndexFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        bytes = test::dictionaryBytesOfWords(test::stretchedWords(3000, 17));
        dictionaryPath = dir / "words.dat";
        indexPath = dir / "words.idx";
        test::writeFile(dictionaryPath, bytes);
        expected = Dictionary::fromBytes(bytes);
        test::writeFile(indexPath, expected.indexImage());
    }

    // Opens the dictionary; checks that it searches like the one built from its bytes.
    std::unique_ptr<Dictionary> open(std::string& notes, const IndexOptions& options = {}) {
        std::ostringstream diagnostics;
        auto d = openDictionary(dictionaryPath, diagnostics, options);
        notes = diagnostics.str();
        EXPECT_NE(d, nullptr);
        if (d != nullptr) {
            for (const wchar_t* text : {L"\u0F40", L"\u0F66\u0F72", L"\u0F42\u0F0B"}) {
                EXPECT_EQ(d->find(text), expected.find(text)) << codepointList(text);
            }
        }
        return d;
    }

    // The prepared index is passed by, for `reason`, whether the index is then built at once
    // or deferred (searches scan until buildIndex()).
    void expectBuiltBecause(const std::string& reason) {
        for (const bool defer : {false, true}) {
            SCOPED_TRACE(defer ? "deferred" : "at once");
            std::string notes;
            auto d = open(notes, {.answerBudget = {}, .deferBuild = defer});
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->indexSource(),
                      defer ? Dictionary::IndexSource::Pending : Dictionary::IndexSource::Built);
            EXPECT_NE(notes.find("is not used"), std::string::npos) << notes;
            EXPECT_NE(notes.find(reason), std::string::npos) << notes;
            if (defer) {
                d->buildIndex();
                EXPECT_EQ(d->indexSource(), Dictionary::IndexSource::Built);
                EXPECT_EQ(d->indexImage(), expected.indexImage());
            }
        }
    }

    test::TempDir dir;
    std::string bytes;
    std::filesystem::path dictionaryPath;
    std::filesystem::path indexPath;
    Dictionary expected;
};

TEST_F(IndexFileTest, APreparedIndexIsUsedAndMapped) {
    std::string notes;
    auto d = open(notes);
    EXPECT_EQ(notes, "");
    EXPECT_EQ(d->indexSource(), Dictionary::IndexSource::Prepared);
    EXPECT_EQ(d->indexImage(), expected.indexImage());
    // Nothing of the dictionary or its index is copied into the process.
    EXPECT_LT(d->privateBytes(), 4096u);
    EXPECT_GT(expected.privateBytes(), expected.indexImage().size());
}

TEST_F(IndexFileTest, WithoutAPreparedIndexOneIsBuiltQuietly) {
    std::filesystem::remove(indexPath);
    std::string notes;
    auto d = open(notes);
    EXPECT_EQ(notes, "");
    EXPECT_EQ(d->indexSource(), Dictionary::IndexSource::Built);
}

TEST_F(IndexFileTest, ADeferredIndexIsBuiltWhenAskedAndAFittingOneIsUsedAtOnce) {
    std::string notes;
    auto prepared = open(notes, {.answerBudget = {}, .deferBuild = true});
    EXPECT_EQ(notes, "");
    EXPECT_EQ(prepared->indexSource(), Dictionary::IndexSource::Prepared);

    std::filesystem::remove(indexPath);
    auto d = open(notes, {.answerBudget = {}, .deferBuild = true});
    EXPECT_EQ(notes, "");
    ASSERT_EQ(d->indexSource(), Dictionary::IndexSource::Pending);
    EXPECT_EQ(d->indexImage(), "");
    EXPECT_EQ(d->size(), expected.size());
    d->buildIndex();
    EXPECT_EQ(d->indexSource(), Dictionary::IndexSource::Built);
    EXPECT_EQ(d->indexImage(), expected.indexImage());
    // A second call finds the index there and leaves it be.
    const std::string_view image = d->indexImage();
    d->buildIndex();
    EXPECT_EQ(d->indexImage().data(), image.data());
}

TEST_F(IndexFileTest, AnIndexOfAChangedDictionaryIsNotTrusted) {
    // The same size, one word changed: only the checksum tells.
    std::string changed = bytes;
    std::swap(changed[2], changed[4]);
    ASSERT_NE(changed, bytes);
    test::writeFile(dictionaryPath, changed);
    expected = Dictionary::fromBytes(changed);
    expectBuiltBecause("another version of the dictionary");

    test::writeFile(dictionaryPath, bytes + test::utf16le(L"\u0F40\r\n"));
    expected = Dictionary::fromBytes(bytes + test::utf16le(L"\u0F40\r\n"));
    expectBuiltBecause("another version of the dictionary");
}

TEST_F(IndexFileTest, ATruncatedOrDamagedIndexIsNotTrusted) {
    const std::string image(expected.indexImage());
    struct Row {
        const char* what;
        std::string image;
        const char* reason;
    };
    std::string flipped = image;
    flipped[image.size() / 2] ^= 0x10;
    std::string badMagic = image;
    badMagic[0] = 'X';
    std::string badVersion = image;
    index_layout::put32(badVersion, index_layout::kVersion, kIndexVersion + 1);
    const Row rows[] = {
        {"empty", "", "shorter than its header"},
        {"header cut", image.substr(0, 50), "shorter than its header"},
        {"body cut", image.substr(0, image.size() - 4), "truncated"},
        {"longer", image + "xxxx", "truncated"},
        {"a flipped bit", flipped, "damaged"},
        {"magic", badMagic, "no index of this version"},
        {"version", badVersion, "no index of this version"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        test::writeFile(indexPath, row.image);
        expectBuiltBecause(row.reason);
    }
}

TEST_F(IndexFileTest, AnIndexWhoseTablesLeaveTheDictionaryIsRefusedEvenWithAGoodChecksum) {
    std::string image(expected.indexImage());
    // The first entry of the order names a position beyond the last unit.
    index_layout::put32(image, kIndexHeaderBytes, 0x7FFFFFFF);
    index_layout::signImage(image);
    test::writeFile(indexPath, image);
    expectBuiltBecause("point outside the dictionary");
}

TEST_F(IndexFileTest, AnIndexThatIsNoFileIsPassedBy) {
    std::filesystem::remove(indexPath);
    std::filesystem::create_directory(indexPath);
    expectBuiltBecause("not a regular file");
}

TEST_F(IndexFileTest, TheIndexOfAnotherDictionaryIsNotTrusted) {
    const Dictionary other = Dictionary::fromBytes(test::dictionaryBytesOfWords({L"\u0F40"}));
    test::writeFile(indexPath, other.indexImage());
    expectBuiltBecause("another version of the dictionary");
}

TEST_F(IndexFileTest, ADictionaryNamedLikeAnIndexHasNone) {
    const auto path = dir / "words.idx";
    std::filesystem::remove(path);
    std::filesystem::rename(dictionaryPath, path);
    std::ostringstream diagnostics;
    auto d = openDictionary(path, diagnostics);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(diagnostics.str(), "");
    EXPECT_EQ(d->indexSource(), Dictionary::IndexSource::Built);
    EXPECT_EQ(d->find(L"\u0F40"), expected.find(L"\u0F40"));
}

} // namespace
} // namespace revaze
