// The scan that answers before a deferred index is built, against the index on files made to
// trip it: piece starts at every position of its four-unit words, lines cut at 2047 units (an LF
// just before, at and after the cut), units that differ from LF or the text's first unit only in
// their high byte or bit, files with and without a mark and with an odd final byte.
#include "dictionary/prefix_scan.h"

#include <random>

#include <gtest/gtest.h>

#include "common/text.h"
#include "dictionary/dictionary.h"
#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

using Texts = std::vector<std::wstring>;

// Units a line is made of: a, b, ka and units that a lane test could take for LF or for them
// (one bit or one byte apart; LF + 1 and a - 1 differ from them in the lowest bit).
const std::wstring kUnits = {L'a',   L'b',   L'`',   L'\r',  0x800A, 0x0A0A, 0x000B,
                             0x0009, 0xFF0A, 0x0A00, 0x8061, 0xE061, 0x0F40, 0x0F41};

// Lines of 0 to 9 units mostly (piece starts fall on every lane), some near 2047 and 4094 units,
// after each CR LF or LF; the last line sometimes without either.
std::string randomFile(std::mt19937& random, std::size_t lines, Texts& starts) {
    std::string bytes = random() % 2 == 0 ? "\xFF\xFE" : "";
    for (std::size_t n = 0; n < lines; ++n) {
        std::size_t length = random() % 10;
        if (random() % 120 == 0) {
            const std::size_t around[] = {2045, 2046, 2047, 2048, 4093, 4094, 4095};
            length = around[random() % std::size(around)] - random() % 2;
        }
        std::wstring line;
        for (std::size_t i = 0; i < length; ++i) {
            // Long lines mostly of one unit, so that their pieces share prefixes.
            line += length > 100 && random() % 8 != 0 ? L'a' : kUnits[random() % kUnits.size()];
        }
        starts.push_back(line.substr(0, 3));
        if (n + 1 < lines || random() % 2 == 0) {
            line += random() % 3 == 0 ? L"\n" : L"\r\n";
        }
        bytes += test::utf16le(line);
    }
    if (random() % 4 == 0) {
        bytes += 'a';
    }
    return bytes;
}

TEST(PrefixScan, FindsWhatTheIndexFinds) {
    std::mt19937 random(29);
    for (int file = 0; file < 16; ++file) {
        Texts starts;
        const std::string bytes = randomFile(random, 1300 + random() % 1500, starts);
        const Dictionary indexed = Dictionary::fromBytes(bytes);
        const Dictionary scanned = test::dictionarySearching(test::Search::Scan, bytes);
        ASSERT_EQ(scanned.indexSource(), Dictionary::IndexSource::Pending);
        ASSERT_EQ(scanned.size(), indexed.size());
        Texts texts = {L"", std::wstring(2047, L'a'), std::wstring(2048, L'a'), L"\n", L"\r\n"};
        for (wchar_t unit : kUnits) {
            texts.push_back(std::wstring(1, unit));
            texts.push_back(std::wstring(2, unit));
        }
        for (std::size_t i = 0; i < starts.size(); i += 13) {
            const std::wstring& start = starts[i];
            for (std::size_t length = 1; length <= start.size(); ++length) {
                texts.push_back(start.substr(0, length));
            }
        }
        if (sizeof(wchar_t) > 2) {
            texts.push_back(std::wstring{static_cast<wchar_t>(0x10061)});
        }
        std::size_t full = 0;
        for (const std::wstring& text : texts) {
            const Matches matches = indexed.find(text);
            full += matches.count == kMaxCandidates ? 1 : 0;
            ASSERT_EQ(scanned.find(text), matches)
                << "file " << file << ": " << codepointList(text);
        }
        EXPECT_GT(full, 0u);
    }
}

TEST(PrefixScan, PiecesOfALongLineStartEvery2047Units) {
    // One line of 3 * 2047 + 5 units, its pieces beginning with b, c and d.
    std::wstring line(3 * 2047 + 5, L'a');
    line[2047] = L'b';
    line[2 * 2047] = L'c';
    line[3 * 2047] = L'd';
    const std::string bytes = test::dictionaryBytesOfLines({line + L"\r\n", L"b\r\n"});
    const Matches b = scanPieces(DictionaryText(bytes), L"b");
    ASSERT_EQ(b.count, 2u);
    EXPECT_EQ(b.lines[0], 2047u);
    EXPECT_EQ(b.lines[1], 3 * 2047u + 7);
    for (const wchar_t* text : {L"c", L"d", L"a"}) {
        EXPECT_EQ(scanPieces(DictionaryText(bytes), text).count, 1u) << text;
    }
    EXPECT_EQ(scanPieces(DictionaryText(bytes), L"aa").count, 1u);
}

} // namespace
} // namespace revaze
