#include "dictionary/piece_sort.h"

#include "dictionary/piece_radix_sort.h"

#include <algorithm>
#include <bit>

namespace revaze {

namespace {

// Past this many ascending runs the merges cost more passes than the radix sort.
constexpr std::size_t kMostRunsMerged = 8;

class Sorter {
public:
    Sorter(const DictionaryText& text, const std::vector<std::uint32_t>& boundaries)
        : text_(text), boundaries_(boundaries) {}

    SortedPieces run() {
        const auto n = static_cast<std::uint32_t>(boundaries_.size() - 1);
        SortedPieces sorted;
        sorted.pieces.resize(n);
        sorted.shared.assign(n, 0);
        // Neighbours in the file lie side by side in memory: one pass finds the ascending runs
        // and the shared prefixes inside them.
        std::vector<std::uint32_t> runs{0};
        for (std::uint32_t i = 0; i < n; ++i) {
            sorted.pieces[i] = i;
            if (i > 0) {
                const Compared c = compare(i - 1, i, 0);
                if (c.firstBefore) {
                    sorted.shared[i] = c.shared;
                } else if (runs.size() == kMostRunsMerged) {
                    return radixSortPieces(text_, boundaries_);
                } else {
                    runs.push_back(i);
                }
            }
        }
        runs.push_back(n);
        SortedPieces merged;
        merged.pieces.resize(n);
        merged.shared.assign(n, 0);
        while (runs.size() > 2) {
            std::size_t kept = 1;
            for (std::size_t r = 0; r + 1 < runs.size(); r += 2) {
                const std::uint32_t end = r + 2 < runs.size() ? runs[r + 2] : runs[r + 1];
                merge(sorted, runs[r], runs[r + 1], end, merged);
                runs[kept++] = end;
            }
            runs.resize(kept);
            std::swap(sorted, merged);
        }
        return sorted;
    }

private:
    using Compared = PieceComparison;

    Compared compare(std::uint32_t p, std::uint32_t q, std::uint32_t known) const {
        return comparePieces(text_, boundaries_, p, q, known);
    }

    // Merges the sorted runs [lo, middle) and [middle, hi) of `from` into `to`, shared prefixes
    // and all. What the last piece taken shares with each run's next piece decides most steps
    // without reading a unit: the run whose next piece shares more with it comes first, and only
    // on a draw are units compared, from the shared length on.
    void merge(const SortedPieces& from, std::uint32_t lo, std::uint32_t middle, std::uint32_t hi,
               SortedPieces& to) const {
        std::uint32_t i = lo;
        std::uint32_t j = middle;
        std::uint32_t k = lo;
        std::uint32_t sharedA = 0; // what the last piece taken shares with from.pieces[i]
        std::uint32_t sharedB = 0; // ... and with from.pieces[j]
        const auto take = [&](std::uint32_t& at, std::uint32_t& shared, std::uint32_t end) {
            to.pieces[k] = from.pieces[at];
            to.shared[k++] = shared;
            ++at;
            shared = at < end ? from.shared[at] : 0;
        };
        while (i < middle && j < hi) {
            if (sharedA > sharedB) {
                take(i, sharedA, middle);
            } else if (sharedB > sharedA) {
                take(j, sharedB, hi);
            } else {
                const Compared c = compare(from.pieces[i], from.pieces[j], sharedA);
                if (c.firstBefore) {
                    take(i, sharedA, middle);
                    sharedB = c.shared;
                } else {
                    take(j, sharedB, hi);
                    sharedA = c.shared;
                }
            }
        }
        while (i < middle) {
            take(i, sharedA, middle);
        }
        while (j < hi) {
            take(j, sharedB, hi);
        }
        to.shared[lo] = 0;
    }

    const DictionaryText& text_;
    const std::vector<std::uint32_t>& boundaries_;
};

} // namespace

SortedPieces sortPieces(const DictionaryText& text, const std::vector<std::uint32_t>& boundaries) {
    return Sorter(text, boundaries).run();
}

} // namespace revaze
