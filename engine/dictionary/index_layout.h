// Where the header fields and the body arrays of an index image lie (the format is described in
// line_index.h). Shared by the builder and the reader.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/line_index.h"

namespace revaze::index_layout {

inline constexpr std::size_t kVersion = 8;
inline constexpr std::size_t kHeaderBytes = 12;
inline constexpr std::size_t kDictionaryBytes = 16;
inline constexpr std::size_t kDictionaryChecksum = 24;
inline constexpr std::size_t kBodyChecksum = 32;
inline constexpr std::size_t kTextStart = 40;
inline constexpr std::size_t kUnits = 44;
inline constexpr std::size_t kPieces = 48;
inline constexpr std::size_t kFirstUnits = 52;
inline constexpr std::size_t kAnswers = 56;
inline constexpr std::size_t kAnswerWidth = 60;
inline constexpr std::size_t kBlockWidth = 64;
inline constexpr std::size_t kBlocks = 68;
inline constexpr std::size_t kSparseLevels = 72;
inline constexpr std::size_t kReserved = 76;       // u32, zero
inline constexpr std::size_t kHeaderChecksum = 80; // u64 over bytes [0, 80)
inline constexpr std::size_t kReservedTail = 88;   // 8 bytes, zero

// The counts of the body's arrays, in words.
struct Counts {
    std::uint32_t pieces = 0;
    std::uint32_t firstUnits = 0;
    std::uint32_t answers = 0;
    std::uint32_t blocks = 0;
    std::uint32_t sparseLevels = 0;
};

// Arithmetic on numbers read from a file: a result that does not fit is refused, never wrapped.
inline std::optional<std::uint64_t> checkedSum(std::uint64_t a, std::uint64_t b) {
    if (b > std::numeric_limits<std::uint64_t>::max() - a) {
        return std::nullopt;
    }
    return a + b;
}
inline std::optional<std::uint64_t> checkedProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
        return std::nullopt;
    }
    return a * b;
}

// Whether counts read from a header can describe an index of a text of `units` units: each
// within what such an index can hold, and the derived ones (blocks, sparse levels) exactly what
// the pieces give. Nothing is computed from a count before this has passed.
bool countsAgree(const Counts& counts, std::uint32_t units);

// The word offset of each array in the body and the body's length. In 64 bits: with 32-bit
// counts no sum or product here exceeds 2^40.
struct Offsets {
    std::uint64_t order, firstUnits, firstStarts, firstAnswers, answerRanges, answerLines,
        blockMinima, sparse, end;
};
Offsets offsetsOf(const Counts& counts);

inline std::uint32_t get32(std::string_view image, std::size_t at) {
    std::uint32_t v;
    std::memcpy(&v, image.data() + at, sizeof v);
    return v;
}
inline std::uint64_t get64(std::string_view image, std::size_t at) {
    std::uint64_t v;
    std::memcpy(&v, image.data() + at, sizeof v);
    return v;
}
inline void put32(std::string& image, std::size_t at, std::uint32_t v) {
    std::memcpy(image.data() + at, &v, sizeof v);
}
inline void put64(std::string& image, std::size_t at, std::uint64_t v) {
    std::memcpy(image.data() + at, &v, sizeof v);
}

// Writes the body's checksum, then the header's (which covers the first).
void signImage(std::string& image);

} // namespace revaze::index_layout
