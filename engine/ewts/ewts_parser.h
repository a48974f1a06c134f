// Converts whole Extended Wylie strings to Tibetan in decomposed Unicode: syllables of stacks
// (superscript, root, up to two subscripts, "+" for any other stack, a vowel, marks), the "."
// that keeps letters apart, stand-alone punctuation and digits, [non-Tibetan text] and \uXXXX
// escapes. Anything else passes through unchanged.
#pragma once

#include <string>
#include <string_view>

namespace revaze {

// `ewts` and the result are UTF-16 code units.
std::wstring ewtsToTibetan(std::wstring_view ewts);

} // namespace revaze
