// Prepared indexes changed on purpose: every header field given values that no index of this
// dictionary holds (its checksums written anew, as a forger would), every header byte changed
// (its checksums left, as damage does), and tables that leave the dictionary. Each is refused,
// for its reason, before any count read from it is used; the sanitizer builds run these too.
#include <functional>

#include <gtest/gtest.h>

#include "dictionary/checksum.h"
#include "dictionary/dictionary.h"
#include "dictionary/index_layout.h"
#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

using namespace index_layout;

class IndexCorruption : public ::testing::Test {
protected:
    IndexCorruption() : dictionary(Dictionary::fromBytes(bytes)), image(dictionary.indexImage()) {}

    // Why the index is refused, or "" when it is read.
    std::string refusal(std::string_view candidate) const {
        std::string why;
        const DictionaryText text(bytes);
        const auto index = LineIndex::open(candidate, text, identity, why);
        return index ? "" : why;
    }

    // Where a body array starts in the image, in bytes.
    std::size_t bodyAt(std::uint64_t Offsets::*array) const {
        Counts counts{get32(image, kPieces), get32(image, kFirstUnits), get32(image, kAnswers),
                      get32(image, kBlocks), get32(image, kSparseLevels)};
        return kIndexHeaderBytes + static_cast<std::size_t>(4 * (offsetsOf(counts).*array));
    }

    const std::string bytes = test::dictionaryBytesOfWords(test::stretchedWords(3000, 17));
    const DictionaryIdentity identity{bytes.size(), checksum64(bytes)};
    const Dictionary dictionary;
    const std::string image;
};

TEST_F(IndexCorruption, ForgedHeaderFieldsAreRefusedBeforeTheyAreUsed) {
    const std::uint32_t pieces = get32(image, kPieces);
    const std::uint32_t units = get32(image, kUnits);
    struct Row {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        const char* reason;
    };
    const Row rows[] = {
        {"version 1", kVersion, 1, "no index of this version"},
        {"header bytes", kHeaderBytes, 0xFFFFFFFF, "no index of this version"},
        {"reserved word", kReserved, 1, "damaged"},
        {"reserved tail", kReservedTail + 4, 1, "damaged"},
        {"dictionary bytes", kDictionaryBytes, 0, "another version"},
        {"dictionary checksum", kDictionaryChecksum + 4, 1, "another version"},
        {"text start", kTextStart, 0, "another version"},
        {"units", kUnits, units + 1, "another version"},
        {"pieces, one more", kPieces, pieces + 1, "sizes do not add up"},
        {"pieces, all the units", kPieces, units, "sizes do not add up"},
        {"pieces, more than the units", kPieces, 0xFFFFFFFF, "sizes do not add up"},
        {"first units beyond 16 bits", kFirstUnits, 0x10001, "sizes do not add up"},
        {"first units beyond the pieces", kFirstUnits, pieces + 1, "sizes do not add up"},
        {"answers beyond the pieces", kAnswers, 0xFFFFFFFF, "sizes do not add up"},
        {"answer width", kAnswerWidth, 99, "sizes do not add up"},
        {"block width", kBlockWidth, 0, "sizes do not add up"},
        {"blocks", kBlocks, 0xFFFFFFFF, "sizes do not add up"},
        // A shift of 64 bits once, and four billion turns of a loop.
        {"sparse levels 64", kSparseLevels, 64, "sizes do not add up"},
        {"sparse levels, all bits", kSparseLevels, 0xFFFFFFFF, "sizes do not add up"},
    };
    for (const Row& row : rows) {
        std::string forged = image;
        put32(forged, row.at, row.value);
        signImage(forged);
        EXPECT_NE(refusal(forged).find(row.reason), std::string::npos)
            << row.what << ": " << refusal(forged);
    }
}

TEST_F(IndexCorruption, EveryHeaderByteChangedIsRefused) {
    ASSERT_EQ(refusal(image), "");
    for (std::size_t at = 0; at < kIndexHeaderBytes; ++at) {
        for (const unsigned char change : {0x01, 0x80, 0xFF}) {
            std::string damaged = image;
            damaged[at] = static_cast<char>(damaged[at] ^ change);
            EXPECT_NE(refusal(damaged), "") << "byte " << at << " ^ " << int(change);
        }
    }
    // Counts moved together so that the sizes still add up: only the header's checksum tells
    // that the intact body would be read as other tables.
    std::string moved = image;
    put32(moved, kPieces, get32(image, kPieces) - 3);
    put32(moved, kFirstUnits, get32(image, kFirstUnits) + 1);
    EXPECT_NE(refusal(moved).find("header checksum fails"), std::string::npos) << refusal(moved);
}

TEST_F(IndexCorruption, ForgedTablesThatLeaveTheDictionaryAreRefused) {
    const std::uint32_t units = get32(image, kUnits);
    const std::uint32_t pieces = get32(image, kPieces);
    struct Row {
        const char* what;
        std::uint64_t Offsets::*array;
        std::size_t word;
        std::uint32_t value;
    };
    const Row rows[] = {
        {"order beyond the units", &Offsets::order, 0, units},
        {"first unit beyond 16 bits", &Offsets::firstUnits, 0, 0x10000},
        {"first stretch not at 0", &Offsets::firstStarts, 0, 1},
        {"first stretch beyond the pieces", &Offsets::firstStarts, 1, pieces + 1},
        {"first answer beyond the answers", &Offsets::firstAnswers, 0, 0x7FFFFFFF},
        {"answer stretch beyond the pieces", &Offsets::answerRanges, 1, pieces + 1},
        {"answer stretch too short", &Offsets::answerRanges, 1, 1},
        {"answer line beyond the units", &Offsets::answerLines, 0, units},
        {"sparse entry beyond the blocks", &Offsets::sparse, 0, get32(image, kBlocks)},
    };
    for (const Row& row : rows) {
        std::string forged = image;
        put32(forged, bodyAt(row.array) + 4 * row.word, row.value);
        signImage(forged);
        EXPECT_NE(refusal(forged).find("point outside the dictionary"), std::string::npos)
            << row.what << ": " << refusal(forged);
    }
}

} // namespace
} // namespace revaze
