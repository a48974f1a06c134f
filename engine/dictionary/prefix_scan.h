// The search without an index: the pieces read in file order, each compared with the text, until
// 100 begin with it. It answers a dictionary's searches while its index is being built, and gives
// exactly what the index gives (the first 100 lines in file order, duplicates kept, the text
// taken literally, an empty text none). It reads nothing but the dictionary's units.
#pragma once

#include <string_view>

#include "dictionary/dictionary_text.h"
#include "dictionary/line_index.h"

namespace revaze {

Matches scanPieces(const DictionaryText& text, std::wstring_view prefix);

} // namespace revaze
