#include "dictionary/reference_piece_sort.h"

#include <algorithm>
#include <bit>

namespace revaze {

namespace {

// Compares whole pieces, four units at a time while both have four left.
class PieceOrder {
public:
    PieceOrder(const DictionaryText& text, const std::vector<std::uint32_t>& boundaries)
        : text_(text), boundaries_(boundaries) {}

    std::uint32_t length(std::uint32_t piece) const {
        return boundaries_[piece + 1] - boundaries_[piece];
    }

    // The number of leading units the two pieces share.
    std::uint32_t commonPrefix(std::uint32_t p, std::uint32_t q) const {
        const std::uint32_t a = boundaries_[p];
        const std::uint32_t b = boundaries_[q];
        const std::uint32_t shorter = std::min(length(p), length(q));
        std::uint32_t i = 0;
        for (; i + 4 <= shorter; i += 4) {
            const std::uint64_t difference = text_.fourUnits(a + i) ^ text_.fourUnits(b + i);
            if (difference != 0) {
                return i + static_cast<std::uint32_t>(std::countr_zero(difference)) / 16;
            }
        }
        while (i < shorter && text_.unit(a + i) == text_.unit(b + i)) {
            ++i;
        }
        return i;
    }

    bool operator()(std::uint32_t p, std::uint32_t q) const {
        const std::uint32_t shared = commonPrefix(p, q);
        const std::uint32_t lengthP = length(p);
        const std::uint32_t lengthQ = length(q);
        if (shared < lengthP && shared < lengthQ) {
            return text_.unit(boundaries_[p] + shared) < text_.unit(boundaries_[q] + shared);
        }
        if (lengthP != lengthQ) {
            return lengthP < lengthQ;
        }
        return p < q;
    }

private:
    const DictionaryText& text_;
    const std::vector<std::uint32_t>& boundaries_;
};

std::vector<std::uint32_t> mergeSort(const DictionaryText& text,
                                     const std::vector<std::uint32_t>& boundaries) {
    const PieceOrder less(text, boundaries);
    const auto n = static_cast<std::uint32_t>(boundaries.size() - 1);
    std::vector<std::uint32_t> sorted(n);
    std::vector<std::uint32_t> runs{0}; // where each ascending run starts
    for (std::uint32_t i = 0; i < n; ++i) {
        sorted[i] = i;
        if (i > 0 && less(i, i - 1)) {
            runs.push_back(i);
        }
    }
    runs.push_back(n);
    std::vector<std::uint32_t> merged(n);
    while (runs.size() > 2) {
        std::vector<std::uint32_t> next{0};
        for (std::size_t r = 0; r + 1 < runs.size(); r += 2) {
            const auto first = sorted.begin() + runs[r];
            const auto middle = sorted.begin() + runs[r + 1];
            const auto last = sorted.begin() + (r + 2 < runs.size() ? runs[r + 2] : runs[r + 1]);
            std::merge(first, middle, middle, last, merged.begin() + runs[r], less);
            next.push_back(static_cast<std::uint32_t>(last - sorted.begin()));
        }
        sorted.swap(merged);
        runs.swap(next);
    }
    return sorted;
}

} // namespace

SortedPieces referenceSortPieces(const DictionaryText& text,
                                 const std::vector<std::uint32_t>& boundaries) {
    SortedPieces sorted;
    sorted.pieces = mergeSort(text, boundaries);
    sorted.shared.assign(sorted.pieces.size(), 0);
    const PieceOrder order(text, boundaries);
    for (std::size_t i = 1; i < sorted.pieces.size(); ++i) {
        sorted.shared[i] = order.commonPrefix(sorted.pieces[i - 1], sorted.pieces[i]);
    }
    return sorted;
}

} // namespace revaze
