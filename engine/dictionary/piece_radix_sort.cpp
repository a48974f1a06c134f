#include "dictionary/piece_radix_sort.h"

#include <algorithm>
#include <bit>

namespace revaze {

namespace {

// Ranges this short are sorted by comparing whole pieces: a pass of buckets would cost more.
constexpr std::uint32_t kSmallRange = 32;

class RadixSorter {
public:
    RadixSorter(const DictionaryText& text, const std::vector<std::uint32_t>& boundaries)
        : text_(text), boundaries_(boundaries) {}

    SortedPieces run() {
        const auto n = static_cast<std::uint32_t>(boundaries_.size() - 1);
        sorted_.pieces.resize(n);
        sorted_.shared.assign(n, 0);
        for (std::uint32_t i = 0; i < n; ++i) {
            sorted_.pieces[i] = i;
        }
        digits_.resize(n);
        spare_.resize(n);
        spareDigits_.resize(n);
        sortRange(0, n, 0);
        return std::move(sorted_);
    }

private:
    // The unit at `depth` of a piece, plus one; zero when the piece has ended: a piece that
    // begins another sorts before it.
    std::uint32_t digit(std::uint32_t piece, std::uint32_t depth) const {
        const std::uint32_t start = boundaries_[piece];
        return start + depth < boundaries_[piece + 1] ? text_.unit(start + depth) + 1u : 0u;
    }

    using Compared = PieceComparison;

    Compared compare(std::uint32_t p, std::uint32_t q, std::uint32_t known) const {
        return comparePieces(text_, boundaries_, p, q, known);
    }

    // A short range whose pieces share their first `depth` units: insertion sort, which keeps
    // file order among equals, then what neighbours share.
    void sortSmall(std::uint32_t lo, std::uint32_t hi, std::uint32_t depth) {
        std::uint32_t* pieces = sorted_.pieces.data();
        for (std::uint32_t i = lo + 1; i < hi; ++i) {
            const std::uint32_t piece = pieces[i];
            std::uint32_t j = i;
            while (j > lo && compare(piece, pieces[j - 1], depth).firstBefore) {
                pieces[j] = pieces[j - 1];
                --j;
            }
            pieces[j] = piece;
        }
        for (std::uint32_t i = lo + 1; i < hi; ++i) {
            sorted_.shared[i] = compare(pieces[i - 1], pieces[i], depth).shared;
        }
    }

    // Sorts [lo, hi), whose pieces share their first `depth` units, one unit at a time: the
    // pieces are dealt into buckets by their unit at `depth` (stably, so equal pieces stay in
    // file order), and each bucket is sorted on from the next unit. Neighbours from two buckets
    // share exactly `depth` units.
    void sortRange(std::uint32_t lo, std::uint32_t hi, std::uint32_t depth) {
        std::uint32_t* pieces = sorted_.pieces.data();
        std::uint32_t* digits = digits_.data();
        while (hi - lo > kSmallRange) {
            std::uint32_t least = ~0u;
            std::uint32_t most = 0;
            for (std::uint32_t i = lo; i < hi; ++i) {
                const std::uint32_t d = digit(pieces[i], depth);
                digits[i] = d;
                least = std::min(least, d);
                most = std::max(most, d);
            }
            if (least == most) {
                if (most == 0) { // all ended: equal pieces, in file order
                    std::fill(sorted_.shared.begin() + lo + 1, sorted_.shared.begin() + hi, depth);
                    return;
                }
                ++depth;
                continue;
            }
            deal(lo, hi, least, most);
            for (std::uint32_t i = lo; i < hi;) {
                std::uint32_t j = i + 1;
                while (j < hi && digits[j] == digits[i]) {
                    ++j;
                }
                if (i > lo) {
                    sorted_.shared[i] = depth;
                }
                if (digits[i] == 0) {
                    std::fill(sorted_.shared.begin() + i + 1, sorted_.shared.begin() + j, depth);
                } else if (j - i > 1) {
                    sortRange(i, j, depth + 1);
                }
                i = j;
            }
            return;
        }
        sortSmall(lo, hi, depth);
    }

    // Orders [lo, hi) stably by digits in [least, most]: counting when the buckets are few
    // against the pieces, else two passes by bytes.
    void deal(std::uint32_t lo, std::uint32_t hi, std::uint32_t least, std::uint32_t most) {
        std::uint32_t* pieces = sorted_.pieces.data();
        std::uint32_t* digits = digits_.data();
        const std::uint32_t n = hi - lo;
        const std::uint32_t span = most - least + 1;
        mostSeen_ = most;
        if (span <= 4 * n) {
            counts_.assign(span + 1, 0);
            for (std::uint32_t i = lo; i < hi; ++i) {
                ++counts_[digits[i] - least + 1];
            }
            for (std::uint32_t b = 1; b <= span; ++b) {
                counts_[b] += counts_[b - 1];
            }
            for (std::uint32_t i = lo; i < hi; ++i) {
                const std::uint32_t to = lo + counts_[digits[i] - least]++;
                spare_[to] = pieces[i];
                spareDigits_[to] = digits[i];
            }
        } else {
            // Two passes of 256 buckets, low byte then high: units of one script and a few
            // ASCII ones (the line feed) leave a wide span with few values in it.
            dealByByte(lo, hi, least, 0, sorted_.pieces.data(), digits, spare_.data(),
                       spareDigits_.data());
            dealByByte(lo, hi, least, 8, spare_.data(), spareDigits_.data(), sorted_.pieces.data(),
                       digits);
            return;
        }
        std::copy(spare_.begin() + lo, spare_.begin() + hi, sorted_.pieces.begin() + lo);
        std::copy(spareDigits_.begin() + lo, spareDigits_.begin() + hi, digits_.begin() + lo);
    }

    // One stable pass of a radix sort over [lo, hi): by the byte of (digit - least) at `shift`
    // (the highest pass takes every bit above).
    void dealByByte(std::uint32_t lo, std::uint32_t hi, std::uint32_t least, unsigned shift,
                    const std::uint32_t* pieces, const std::uint32_t* digits,
                    std::uint32_t* toPieces, std::uint32_t* toDigits) {
        const auto bucket = [&](std::uint32_t d) {
            const std::uint32_t v = (d - least) >> shift;
            return shift == 0 ? v & 0xFF : v;
        };
        const std::uint32_t buckets = shift == 0 ? 256 : bucket(mostSeen_) + 1;
        counts_.assign(buckets + 1, 0);
        for (std::uint32_t i = lo; i < hi; ++i) {
            ++counts_[bucket(digits[i]) + 1];
        }
        for (std::uint32_t b = 1; b <= buckets; ++b) {
            counts_[b] += counts_[b - 1];
        }
        for (std::uint32_t i = lo; i < hi; ++i) {
            const std::uint32_t to = lo + counts_[bucket(digits[i])]++;
            toPieces[to] = pieces[i];
            toDigits[to] = digits[i];
        }
    }

    const DictionaryText& text_;
    const std::vector<std::uint32_t>& boundaries_;
    std::uint32_t mostSeen_ = 0; // the largest digit of the range being dealt
    SortedPieces sorted_;
    std::vector<std::uint32_t> digits_;      // each piece's unit at the depth sorted on
    std::vector<std::uint32_t> spare_;       // where a range is dealt to
    std::vector<std::uint32_t> spareDigits_; // ... and its digits
    std::vector<std::uint32_t> counts_;
};

} // namespace

SortedPieces radixSortPieces(const DictionaryText& text,
                             const std::vector<std::uint32_t>& boundaries) {
    return RadixSorter(text, boundaries).run();
}

} // namespace revaze
