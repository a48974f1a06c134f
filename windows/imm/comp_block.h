// Where the texts of a commit go in an input context's composition block: pure arithmetic, so
// that it is tested natively. The block is a COMPOSITIONSTRING header, then the composition
// string, then the result string, each UTF-16 with a terminator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace revaze {

// The fixed layout: 500 bytes, with areas of 100 units (99 and the terminator) at 100 and 300.
inline constexpr std::uint32_t kCompBlockSize = 500;
inline constexpr std::uint32_t kCompHeaderSize = 100;
inline constexpr std::uint32_t kCompStrOffset = 100;
inline constexpr std::uint32_t kResultStrOffset = 300;
inline constexpr std::size_t kStringAreaUnits = 100;
inline constexpr std::uint32_t kUnitBytes = 2;
// Longer commits are refused, never cut: no composer comes near this.
inline constexpr std::size_t kMaxCommitUnits = 1u << 20;

struct CompBlockLayout {
    std::uint32_t size;
    std::uint32_t compOffset;
    std::uint32_t resultOffset;
};

// Where a commit of `length` units goes: the fixed 500-byte layout while the text fits its
// 99-unit areas, otherwise a larger block with the result area right after the composition one.
// Nothing for a text longer than kMaxCommitUnits.
constexpr std::optional<CompBlockLayout> compositionBlockLayout(std::size_t length) {
    if (length < kStringAreaUnits) {
        return CompBlockLayout{kCompBlockSize, kCompStrOffset, kResultStrOffset};
    }
    if (length > kMaxCommitUnits) {
        return std::nullopt;
    }
    // Both factors are bounded above, so the sums stay far below 2^32 on every platform.
    const auto area = static_cast<std::uint32_t>((length + 1) * kUnitBytes);
    return CompBlockLayout{kCompStrOffset + 2 * area, kCompStrOffset, kCompStrOffset + area};
}

// True when a string of `units` units and its terminator at `offset` lies inside a block of
// `blockSize` bytes and after the header. Safe for any values.
constexpr bool stringFits(std::uint32_t offset, std::uint64_t units, std::uint32_t blockSize) {
    const std::uint64_t end = std::uint64_t{offset} + (units + 1) * kUnitBytes;
    return offset >= kCompHeaderSize && end <= blockSize;
}

// True when a block's header already describes two empty-string areas inside it. A fresh
// context's block holds zeros: its offsets would put the terminators on the header itself.
constexpr bool headerUsable(std::uint32_t compOffset, std::uint32_t resultOffset,
                            std::uint32_t blockSize) {
    return stringFits(compOffset, 0, blockSize) && stringFits(resultOffset, 0, blockSize);
}

} // namespace revaze
