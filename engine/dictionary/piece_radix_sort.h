// The sort of piece_sort.h for a file far from sorted: a most-significant-first radix sort, one
// unit at a time. The pieces are dealt into buckets by their unit at the depth reached (stably,
// so equal pieces keep file order), each bucket is sorted on from the next unit, and ranges of
// a few dozen pieces are left to an insertion sort that compares from the depth reached. Where
// two buckets meet, neighbours share exactly that depth, so the shared prefixes come for free.
#pragma once

#include "dictionary/piece_sort.h"

namespace revaze {

SortedPieces radixSortPieces(const DictionaryText& text,
                             const std::vector<std::uint32_t>& boundaries);

} // namespace revaze
