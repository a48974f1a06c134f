// The sort the index builder had before it sorted four units at a time, kept as the yardstick
// that its order and shared prefixes are checked and measured against: a natural merge sort of
// the pieces compared whole, and the common prefix of each neighbour compared again.
#pragma once

#include "dictionary/piece_sort.h"

namespace revaze {

SortedPieces referenceSortPieces(const DictionaryText& text,
                                 const std::vector<std::uint32_t>& boundaries);

} // namespace revaze
