#include "dictionary/range_minimum.h"

#include <algorithm>
#include <array>
#include <bit>

namespace revaze {

std::uint32_t sparseLevelsFor(std::uint32_t blockCount) {
    return blockCount < 2 ? 0 : static_cast<std::uint32_t>(std::bit_width(blockCount)) - 1;
}

std::uint64_t sparseWordsFor(std::uint32_t blockCount) {
    // The sum over k = 1..L of (blockCount + 1 - 2^k), with L <= 31: no term can wrap.
    const std::uint64_t levels = sparseLevelsFor(blockCount);
    return levels * (std::uint64_t{blockCount} + 1) - ((std::uint64_t{2} << levels) - 2);
}

RangeMinimumTables buildRangeMinimum(std::span<const std::uint32_t> values) {
    // The host is little-endian, like the words an image holds.
    return buildRangeMinimum(Words(reinterpret_cast<const char*>(values.data()), values.size()));
}

RangeMinimumTables buildRangeMinimum(Words values) {
    RangeMinimumTables tables;
    const std::size_t blocks = (values.size() + kMinimumBlock - 1) / kMinimumBlock;
    tables.blockMinima.resize(blocks);
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::size_t last = std::min(values.size(), (b + 1) * kMinimumBlock);
        std::uint32_t least = values[b * kMinimumBlock];
        for (std::size_t i = b * kMinimumBlock + 1; i < last; ++i) {
            least = std::min(least, values[i]);
        }
        tables.blockMinima[b] = least;
    }
    const auto& minima = tables.blockMinima;
    std::vector<std::uint32_t>& sparse = tables.sparse;
    const auto blockCount = static_cast<std::uint32_t>(blocks);
    const std::uint32_t levels = sparseLevelsFor(blockCount);
    sparse.reserve(static_cast<std::size_t>(sparseWordsFor(blockCount)));
    std::size_t previous = 0; // where level k - 1 starts; level 0 is the blocks themselves
    for (std::uint32_t k = 1; k <= levels; ++k) {
        const std::size_t half = std::size_t{1} << (k - 1);
        const std::size_t start = sparse.size();
        for (std::size_t i = 0; i + 2 * half <= blocks; ++i) {
            std::uint32_t a = static_cast<std::uint32_t>(i);
            std::uint32_t b = static_cast<std::uint32_t>(i + half);
            if (k > 1) {
                a = sparse[previous + i];
                b = sparse[previous + i + half];
            }
            sparse.push_back(minima[a] < minima[b] ? a : b);
        }
        previous = start;
    }
    return tables;
}

RangeMinimum::RangeMinimum(Words values, Words blockMinima, Words sparse)
    : values_(values), blockMinima_(blockMinima), sparse_(sparse) {
    const auto blockCount = static_cast<std::uint32_t>(blockMinima.size());
    const std::uint32_t levels = sparseLevelsFor(blockCount);
    std::uint32_t start = 0;
    for (std::uint32_t k = 1; k <= levels; ++k) {
        levelStart_[k] = start;
        start += blockCount - (1u << k) + 1;
    }
}

RangeMinimum::Found RangeMinimum::scan(std::uint32_t from, std::uint32_t to) const {
    Found best{values_[from], from};
    for (std::uint32_t i = from + 1; i < to; ++i) {
        const std::uint32_t v = values_[i];
        if (v < best.value) {
            best = {v, i};
        }
    }
    return best;
}

std::uint32_t RangeMinimum::bestBlock(std::uint32_t fromBlock, std::uint32_t toBlock) const {
    const std::uint32_t length = toBlock - fromBlock;
    const auto k = static_cast<std::uint32_t>(std::bit_width(length)) - 1;
    if (k == 0) {
        return fromBlock;
    }
    const std::uint32_t a = sparse_[levelStart_[k] + fromBlock];
    const std::uint32_t b = sparse_[levelStart_[k] + toBlock - (1u << k)];
    return blockMinima_[a] < blockMinima_[b] ? a : b;
}

RangeMinimum::Found RangeMinimum::minimum(std::uint32_t from, std::uint32_t to) const {
    const std::uint32_t fromBlock = (from + kMinimumBlock - 1) / kMinimumBlock;
    const std::uint32_t toBlock = to / kMinimumBlock;
    if (fromBlock >= toBlock) {
        return scan(from, to);
    }
    const std::uint32_t block = bestBlock(fromBlock, toBlock);
    Found best{blockMinima_[block], 0};
    bool inBlock = true;
    if (from < fromBlock * kMinimumBlock) {
        Found head = scan(from, fromBlock * kMinimumBlock);
        if (head.value < best.value) {
            best = head;
            inBlock = false;
        }
    }
    if (toBlock * kMinimumBlock < to) {
        Found tail = scan(toBlock * kMinimumBlock, to);
        if (tail.value < best.value) {
            best = tail;
            inBlock = false;
        }
    }
    if (inBlock) {
        const std::uint32_t first = block * kMinimumBlock;
        const auto last = static_cast<std::uint32_t>(
            std::min<std::size_t>(values_.size(), std::size_t{first} + kMinimumBlock));
        best = scan(first, last);
    }
    return best;
}

std::uint32_t RangeMinimum::smallest(std::uint32_t from, std::uint32_t to, std::uint32_t limit,
                                     std::uint32_t* out) const {
    struct Entry {
        std::uint32_t value;
        std::uint32_t position;
        std::uint32_t from;
        std::uint32_t to;
    };
    // Each report takes one entry and adds at most two: the heap never holds more than limit + 1.
    std::array<Entry, 130> heap;
    std::size_t size = 0;
    const auto later = [](const Entry& a, const Entry& b) { return a.value > b.value; };
    const auto push = [&](std::uint32_t f, std::uint32_t t) {
        if (f < t) {
            const Found m = minimum(f, t);
            heap[size++] = {m.value, m.position, f, t};
            std::push_heap(heap.begin(), heap.begin() + static_cast<std::ptrdiff_t>(size), later);
        }
    };
    limit = std::min<std::uint32_t>(limit, 128);
    std::uint32_t count = 0;
    push(from, to);
    while (count < limit && size > 0) {
        std::pop_heap(heap.begin(), heap.begin() + static_cast<std::ptrdiff_t>(size), later);
        const Entry e = heap[--size];
        out[count++] = e.value;
        if (count < limit) {
            push(e.from, e.position);
            push(e.position + 1, e.to);
        }
    }
    return count;
}

} // namespace revaze
