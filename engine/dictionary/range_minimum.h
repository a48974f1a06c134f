// The smallest values of a stretch of an array, smallest first, without looking at the whole
// stretch: a range-minimum structure (the minimum of every block of 64 values and a sparse table
// over those block minima) and a best-first walk that splits the stretch around each minimum it
// reports. k values out of any stretch cost about 2k range-minimum queries and a heap of 2k
// entries, however long the stretch.
//
// The index uses it for the 100 earliest lines among the lines that begin with a text, when no
// answer was stored for that text's range (see line_index.h).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "dictionary/words.h"

namespace revaze {

inline constexpr std::uint32_t kMinimumBlock = 64;

// The number of sparse-table levels above the blocks themselves (at most 31), and the words they
// take (level k holds blockCount - 2^k + 1).
std::uint32_t sparseLevelsFor(std::uint32_t blockCount);
std::uint64_t sparseWordsFor(std::uint32_t blockCount);

// What a range-minimum structure over `values` stores: the block minima, then the sparse table
// (level k holds, for every run of 2^k blocks, the block with the smallest minimum).
struct RangeMinimumTables {
    std::vector<std::uint32_t> blockMinima;
    std::vector<std::uint32_t> sparse;
};
RangeMinimumTables buildRangeMinimum(std::span<const std::uint32_t> values);
// The same from values read where they lie (the index builder's order, in its image).
RangeMinimumTables buildRangeMinimum(Words values);

class RangeMinimum {
public:
    RangeMinimum() = default;
    // All three arrays must be consistent (sizes as the functions above give).
    RangeMinimum(Words values, Words blockMinima, Words sparse);

    struct Found {
        std::uint32_t value;
        std::uint32_t position;
    };
    // The smallest value of values[from, to) and where it is (from < to; values distinct).
    Found minimum(std::uint32_t from, std::uint32_t to) const;

    // The `limit` smallest values of values[from, to), smallest first, written to `out`; returns
    // how many (fewer when the stretch is shorter). limit <= 128.
    std::uint32_t smallest(std::uint32_t from, std::uint32_t to, std::uint32_t limit,
                           std::uint32_t* out) const;

private:
    Found scan(std::uint32_t from, std::uint32_t to) const;
    std::uint32_t bestBlock(std::uint32_t fromBlock, std::uint32_t toBlock) const;

    Words values_;
    Words blockMinima_;
    Words sparse_;
    // Where each level starts in sparse_ (level 1 at 0).
    std::uint32_t levelStart_[33] = {};
};

} // namespace revaze
