// `revaze dict build`: a UTF-8 word list (one word per line) written as a dictionary file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace revaze {

// The number of syllables of a word: its runs of text between tshegs (U+0F0B, U+0F0C).
std::size_t syllableCount(std::wstring_view word);
// The words of a UTF-8 list: lines trimmed of spaces, tabs and CR, empty lines and repeats
// dropped, ordered by syllable count and then by code point.
std::vector<std::wstring> orderedWords(std::string_view utf8List);
// The bytes of a dictionary file: FF FE, then each word in UTF-16LE followed by CR LF.
std::string dictionaryFileBytes(const std::vector<std::wstring>& words);

} // namespace revaze
