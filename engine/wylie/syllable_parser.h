// Spells one Latin syllable of the Wylie layout in Tibetan. The syllable is read by its length:
// for each stem of 1 to 8 letters a fixed procedure finds the vowel, reads the letters before it as
// one stack with the pair, triple and quad tables, and the letters after it as suffixes.
#pragma once

#include <cstdint>
#include <string_view>

namespace revaze {

class WylieSyllableParser {
public:
    // Longest syllable taken: the stem field holds it with its terminator.
    static constexpr int kMaxSyllable = 15;
    // Longest stem that spells anything; longer stems give only their a-chung ending.
    static constexpr int kMaxStem = 8;

    std::int32_t stemLength = 0;  // letters in the stem (the syllable without its a-chung ending)
    std::int32_t outputCount = 0; // code units in output
    std::uint16_t vowelSign = 0;  // sign of the vowel found last, 0 for the inherent a
    char stem[16] = {};
    wchar_t output[16] = {};

    // Spells a zero-terminated syllable into output. Every input gives some output, possibly
    // empty: the spelling stops at the first character that has no Tibetan letter. A syllable
    // longer than 15 characters (or a null one) gives nothing.
    void Parse(const char* syllable);

    std::wstring_view Output() const { return {output, static_cast<std::size_t>(outputCount)}; }
};

} // namespace revaze
