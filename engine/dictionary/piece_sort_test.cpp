// The sort by keys against the merge sort it replaced: the same order, the same shared prefixes
// and so the same index bytes, on dictionaries made to trip it.
#include "dictionary/piece_sort.h"

#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "dictionary/checksum.h"
#include "dictionary/helper_thread.h"
#include "dictionary/index_build.h"
#include "dictionary/index_layout.h"
#include "dictionary/reference_piece_sort.h"
#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

using Lines = std::vector<std::wstring>;

// Lines over a tiny alphabet (so that prefixes, and whole lines, repeat), U+0000 among the units
// (a unit that reads like the zero a short piece is padded with), empty lines, lines without
// their CR, and now and then a line longer than a piece.
Lines trickyLines(std::size_t count, unsigned seed, bool sorted) {
    const std::wstring alphabet{L'\0', L'\r', L'a', L'b', L'\u0F40', L'\uFFFF'};
    std::mt19937 random(seed);
    Lines lines;
    for (std::size_t i = 0; i < count; ++i) {
        std::wstring line;
        const std::size_t length = random() % 50 == 0 ? 2000 + random() % 5000 : random() % 12;
        for (std::size_t k = 0; k < length; ++k) {
            line += alphabet[random() % (k < 6 ? 3 : alphabet.size())];
        }
        lines.push_back(line + (random() % 8 == 0 ? L"\n" : L"\r\n"));
    }
    if (sorted) {
        std::sort(lines.begin(), lines.end());
    }
    return lines;
}

// `runs` sorted runs of lines over `units` different units (from U+3000 on), each line 1 to 30
// units long; every run also holds `common` copies of each of three lines that share their
// first 12 units, so that where the two halves of the merge meet lie equal keys from every run.
Lines linesInRuns(std::size_t count, unsigned units, std::size_t runs, std::size_t common,
                  unsigned seed) {
    std::mt19937 random(seed);
    std::vector<Lines> parts(runs);
    for (std::size_t i = 0; i < count; ++i) {
        std::wstring line(1 + random() % 30, L' ');
        for (wchar_t& unit : line) {
            unit = static_cast<wchar_t>(0x3000 + random() % units);
        }
        parts[i % runs].push_back(line + L"\r\n");
    }
    const std::wstring shared(12, static_cast<wchar_t>(0x3000 + units / 2));
    Lines lines;
    for (Lines& part : parts) {
        for (std::size_t k = 0; k < common; ++k) {
            for (const wchar_t last : {L'a', L'b', L'c'}) {
                part.push_back(shared + last + L"\r\n");
            }
        }
        std::sort(part.begin(), part.end());
        lines.insert(lines.end(), part.begin(), part.end());
    }
    return lines;
}

TEST(PieceSort, TheSameOrderSharedPrefixesAndIndexBytesAsTheMergeSort) {
    struct Row {
        const char* what;
        std::string bytes;
    };
    const Row rows[] = {
        {"empty", ""},
        {"one line", test::dictionaryBytesOfWords({L"\u0F40"})},
        {"words in sorted blocks", test::dictionaryBytesOfWords(test::stretchedWords(4000, 3))},
        {"tricky, shuffled", test::dictionaryBytesOfLines(trickyLines(3000, 5, false))},
        {"tricky, sorted", test::dictionaryBytesOfLines(trickyLines(3000, 6, true))},
        {"no terminator at the end", test::dictionaryBytesOfLines({L"ab\r\n", L"a", L"ab"})},
        {"one line of many pieces", test::dictionaryBytesOfLines({std::wstring(9000, L'a')})},
        {"one line a thousand times",
         test::dictionaryBytesOfLines(Lines(1000, std::wstring(20, L'a') + L"\r\n"))},
        {"100 units in 4 runs, equal keys at the middle",
         test::dictionaryBytesOfLines(linesInRuns(6000, 100, 4, 300, 7))},
        {"255 units (8 bits) in 3 runs",
         test::dictionaryBytesOfLines(linesInRuns(6000, 250, 3, 5, 8))},
        {"3,000 units (12 bits) in 5 runs",
         test::dictionaryBytesOfLines(linesInRuns(6000, 3000, 5, 5, 9))},
        {"5,000 units (the radix sort)",
         test::dictionaryBytesOfLines(linesInRuns(6000, 5000, 2, 5, 10))},
        {"more than 1,024 runs (the radix sort)",
         test::dictionaryBytesOfLines(linesInRuns(3000, 20, 1500, 0, 11))},
        {"lines of a piece and a unit",
         test::dictionaryBytesOfLines({std::wstring(2045, L'a') + L"\r\n", std::wstring(9, L'\n'),
                                       std::wstring(2047, L'b') + L"\n",
                                       std::wstring(4094, L'c') + L"\n", L"d"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const DictionaryText text(row.bytes);
        std::vector<std::uint8_t> held(0x10000, 0);
        const std::vector<std::uint32_t> boundaries = text.pieceBoundaries(held.data());
        std::vector<std::uint32_t> walked;
        for (std::uint32_t start = 0; start < text.unitCount(); start = text.pieceEnd(start)) {
            walked.push_back(start);
        }
        walked.push_back(text.unitCount());
        ASSERT_EQ(boundaries, walked);
        const SortedPieces sorted = sortPieces(text, boundaries, held);
        const SortedPieces reference = referenceSortPieces(text, boundaries);
        ASSERT_EQ(sorted.pieces, reference.pieces);
        ASSERT_EQ(sorted.shared, reference.shared);
        const DictionaryIdentity identity{row.bytes.size(), checksum64(row.bytes)};
        for (const std::uint32_t budget : {0u, 2u, 1000u}) {
            const IndexOptions options{.answerBudget = budget};
            EXPECT_EQ(buildIndexImage(text, identity, options),
                      buildIndexImage(text, identity, options, boundaries, reference))
                << budget;
        }
    }
}

// A second thread takes chunks of the boundaries, the keys, the equal keys and the long
// stretches, and half of the merge: the result is what one thread gives, on texts long enough
// to be shared, with equal keys where the merge is cut and all keys equal, one line that no
// cut can go into, and lines longer than a piece where the cuts would fall.
TEST(PieceSort, TwoThreadsGiveWhatOneGives) {
    Lines longAtCuts;
    for (int block = 0; block < 8; ++block) {
        longAtCuts.insert(longAtCuts.end(), 1000, L"\u0F40\u0F72\r\n");
        longAtCuts.push_back(std::wstring(10000, static_cast<wchar_t>(L'a' + block)) + L"\n");
    }
    const std::string rows[] = {
        test::dictionaryBytesOfLines({std::wstring(100000, L'a')}),
        test::dictionaryBytesOfLines(longAtCuts),
        test::dictionaryBytesOfLines(linesInRuns(40000, 100, 4, 300, 21)),
        test::dictionaryBytesOfLines(linesInRuns(30000, 20, 700, 3, 22)),
        test::dictionaryBytesOfLines(trickyLines(20000, 23, false)),
        test::dictionaryBytesOfLines(Lines(8000, std::wstring(20, L'a') + L"\r\n")),
        test::dictionaryBytesOfWords(test::stretchedWords(30000, 5)),
    };
    HelperThread helper;
    ASSERT_TRUE(helper.running() || std::thread::hardware_concurrency() < 2);
    for (const std::string& bytes : rows) {
        SCOPED_TRACE(bytes.size());
        const DictionaryText text(bytes);
        std::vector<std::uint8_t> held(0x10000, 0);
        std::vector<std::uint8_t> heldByTwo(0x10000, 0);
        const std::vector<std::uint32_t> boundaries = text.pieceBoundaries(held.data());
        ASSERT_EQ(text.pieceBoundaries(heldByTwo.data(), &helper), boundaries);
        ASSERT_EQ(heldByTwo, held);
        const SortedPieces one = sortPieces(text, boundaries, held);
        const SortedPieces two = sortPieces(text, boundaries, held, &helper);
        ASSERT_EQ(two.pieces, one.pieces);
        ASSERT_EQ(two.shared, one.shared);
        const DictionaryIdentity identity{bytes.size(), checksum64(bytes)};
        IndexOptions oneThread;
        oneThread.secondThread = false;
        EXPECT_EQ(buildIndexImage(text, identity), buildIndexImage(text, identity, oneThread));
    }
}

// The stored answers are every common-prefix stretch of more than 100 pieces (found here by the
// plain walk with a stack of open stretches), each with the 100 earliest of its pieces. A missed
// or extra stretch changes no answer (the range-minimum walk finds the same lines), so only the
// image shows it.
TEST(IndexBuild, StoresEveryLongStretchWithItsEarliestLines) {
    Lines nested;
    for (int copies = 0; copies < 3; ++copies) {
        for (std::size_t length = 1; length <= 300; ++length) {
            nested.push_back(std::wstring(length, L'a') + L"\n");
        }
    }
    const std::string rows[] = {
        test::dictionaryBytesOfWords(test::stretchedWords(6000, 11)),
        test::dictionaryBytesOfLines(trickyLines(4000, 8, false)),
        test::dictionaryBytesOfLines(trickyLines(4000, 9, true)),
        test::dictionaryBytesOfLines(nested),
        test::dictionaryBytesOfLines(Lines(250, L"same\r\n")),
    };
    for (const std::string& bytes : rows) {
        const DictionaryText text(bytes);
        const std::vector<std::uint32_t> boundaries = text.pieceBoundaries();
        const SortedPieces sorted = referenceSortPieces(text, boundaries);
        const auto n = static_cast<std::uint32_t>(sorted.pieces.size());
        // Every stretch of more than 100 pieces, as (lo, hi) in the reader's order.
        std::vector<std::pair<std::uint32_t, std::uint32_t>> want;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> open{{0, 0}}; // depth, lo
        for (std::uint32_t i = 1; i <= n; ++i) {
            const std::uint32_t depth = i < n ? sorted.shared[i] : 0;
            std::uint32_t lo = i - 1;
            while (depth < open.back().first) {
                lo = open.back().second;
                open.pop_back();
                if (i - lo > kMaxCandidates) {
                    want.push_back({lo, i});
                }
            }
            if (depth > open.back().first) {
                open.push_back({depth, lo});
            }
        }
        std::sort(want.begin(), want.end());

        const DictionaryIdentity identity{bytes.size(), checksum64(bytes)};
        const std::string image = buildIndexImage(text, identity, {.answerBudget = 1u << 30});
        using namespace index_layout;
        Counts counts;
        counts.pieces = get32(image, kPieces);
        counts.firstUnits = get32(image, kFirstUnits);
        counts.answers = get32(image, kAnswers);
        counts.blocks = get32(image, kBlocks);
        const Offsets at = offsetsOf(counts);
        const auto word = [&](std::uint64_t offset) {
            return get32(image, kIndexHeaderBytes + 4 * static_cast<std::size_t>(offset));
        };
        ASSERT_EQ(counts.answers, want.size()) << bytes.size();
        for (std::uint32_t a = 0; a < counts.answers; ++a) {
            const auto [lo, hi] = want[a];
            ASSERT_EQ(word(at.answerRanges + 2 * a), lo);
            ASSERT_EQ(word(at.answerRanges + 2 * a + 1), hi);
            std::vector<std::uint32_t> starts;
            for (std::uint32_t i = lo; i < hi; ++i) {
                starts.push_back(boundaries[sorted.pieces[i]]);
            }
            std::sort(starts.begin(), starts.end());
            for (std::uint32_t k = 0; k < kMaxCandidates; ++k) {
                ASSERT_EQ(word(at.answerLines + std::uint64_t{kMaxCandidates} * a + k), starts[k])
                    << "stretch " << lo << ".." << hi << ", line " << k;
            }
        }
    }
}

// The piece boundaries read block by block against a reading unit by unit, with the text at
// every offset from an aligned address (the first units are read one at a time up to one), on
// texts that fill the buffer of starts many times over, hold eight line feeds to a block, and
// cut a long line just after the buffer was emptied.
// The boundaries, and the units marked beside them, at every alignment.
TEST(PieceBoundaries, TheSameAtEveryAlignmentAsUnitByUnit) {
    const auto unitByUnit = [](const DictionaryText& text) {
        std::vector<std::uint32_t> starts{0};
        for (std::uint32_t i = 0, start = 0; i < text.unitCount(); ++i) {
            if (text.unit(i) == u'\n' || i + 1 - start == kMaxLinePiece) {
                start = i + 1;
                starts.push_back(start);
            }
        }
        if (starts.back() != text.unitCount()) {
            starts.push_back(text.unitCount());
        }
        return starts;
    };
    Lines shortThenLong(2050, L"a\n");
    shortThenLong.push_back(std::wstring(5000, L'b') + L"\n");
    shortThenLong.push_back(L"\u0F40\u0F0A");
    const std::string texts[] = {
        test::dictionaryBytesOfLines({std::wstring(20000, L'\n')}),
        test::dictionaryBytesOfLines(shortThenLong),
        test::dictionaryBytesOfLines(trickyLines(3000, 7, false)),
        test::dictionaryBytesOfLines({L"ab\ncd"}),
        std::string("\x0A\x00", 2),
    };
    for (const std::string& bytes : texts) {
        for (std::size_t offset = 0; offset < 16; ++offset) {
            SCOPED_TRACE(testing::Message() << bytes.size() << " bytes at offset " << offset);
            std::string room(offset + bytes.size() + 16, '\0');
            const auto at = static_cast<std::size_t>(
                (16 - reinterpret_cast<std::uintptr_t>(room.data()) % 16) % 16 + offset);
            std::copy(bytes.begin(), bytes.end(), room.begin() + static_cast<std::ptrdiff_t>(at));
            const DictionaryText text(std::string_view(room).substr(at, bytes.size()));
            ASSERT_EQ(text.pieceBoundaries(), unitByUnit(text));
            std::vector<std::uint8_t> held(0x10000, 0);
            std::vector<std::uint8_t> each(0x10000, 0);
            for (std::uint32_t i = 0; i < text.unitCount(); ++i) {
                each[text.unit(i)] = 1;
            }
            ASSERT_EQ(text.pieceBoundaries(held.data()), unitByUnit(text));
            ASSERT_EQ(held, each);
        }
    }
}

} // namespace
} // namespace revaze
