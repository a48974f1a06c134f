// The sort of a dictionary's pieces that the index is built from: by their code units (a piece
// that begins another sorts before it), equal pieces in file order. With it, how many leading
// units each piece shares with the one before, which the builder needs for its long stretches.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "dictionary/dictionary_text.h"

namespace revaze {

class HelperThread;

struct SortedPieces {
    std::vector<std::uint32_t> pieces; // piece numbers (0 is the first in the file), sorted
    std::vector<std::uint32_t> shared; // units pieces[i - 1] and pieces[i] share; shared[0] = 0
};

// The pieces given by their boundaries, with the units of the text marked in `held`, as
// DictionaryText::pieceBoundaries(held) finds and marks them in one pass. Each unit the file
// holds is named by its rank among them, in a few bits, so a number of 64 bits holds a piece's
// first units (nine of them for up to 127 different units) and compares as they do. A dictionary
// is written in a few ascending runs: their keys are merged in one pass by two tournaments, one
// from the front and one from the back, with no branch on a key, and what neighbours share is
// read from where their keys differ. Pieces whose keys are equal and go on are sorted again by
// their next units. A file of more than 1,024 runs, or of more than 4,095 different units, goes
// to the radix sort of piece_radix_sort.h, which gives the same.
//
// With a helper thread, the keys, the two tournaments and the equal keys each go half to it.
SortedPieces sortPieces(const DictionaryText& text, const std::vector<std::uint32_t>& boundaries,
                        std::vector<std::uint8_t> held, HelperThread* helper = nullptr);

struct PieceComparison {
    std::uint32_t shared; // the units both pieces begin with
    bool firstBefore;     // p sorts before q
};

// How pieces p and q compare, their first `known` units known to be equal: four units at a
// time while both have four left; equal pieces in file order.
inline PieceComparison comparePieces(const DictionaryText& text,
                                     const std::vector<std::uint32_t>& boundaries, std::uint32_t p,
                                     std::uint32_t q, std::uint32_t known) {
    const std::uint32_t a = boundaries[p];
    const std::uint32_t b = boundaries[q];
    const std::uint32_t lengthP = boundaries[p + 1] - a;
    const std::uint32_t lengthQ = boundaries[q + 1] - b;
    const std::uint32_t shorter = std::min(lengthP, lengthQ);
    std::uint32_t i = known;
    for (; i + 4 <= shorter; i += 4) {
        const std::uint64_t difference = text.fourUnits(a + i) ^ text.fourUnits(b + i);
        if (difference != 0) {
            i += static_cast<std::uint32_t>(std::countr_zero(difference)) / 16;
            return {i, text.unit(a + i) < text.unit(b + i)};
        }
    }
    for (; i < shorter; ++i) {
        if (text.unit(a + i) != text.unit(b + i)) {
            return {i, text.unit(a + i) < text.unit(b + i)};
        }
    }
    return {i, lengthP != lengthQ ? lengthP < lengthQ : p < q};
}

} // namespace revaze
