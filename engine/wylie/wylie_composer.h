// Keeps what the user types in the Wylie layout until it is committed: the Latin keys split into
// syllables of at most eight keys, each syllable's Tibetan spelling, the composed text and the
// dictionary candidates for it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/fixed_text.h"
#include "dictionary/composer.h"
#include "dictionary/dictionary.h"
#include "wylie/syllable_parser.h"

namespace revaze {

// One typed syllable.
struct SyllableRecord {
    char latin[16];      // the keys typed, zero-terminated
    int keyCount;        // keys in latin, 0..8
    wchar_t tibetan[16]; // the parser's spelling of latin, zero-terminated
};

class WylieComposer : public Composer {
public:
    static constexpr int kMaxSyllables = 9;
    static constexpr int kMaxKeysPerSyllable = 8;
    static constexpr wchar_t kTsheg = 0x0F0B;

    explicit WylieComposer(const Dictionary* dictionary);

    WylieSyllableParser parser;
    std::array<SyllableRecord, kMaxSyllables> syllables{};

    // The syllable being typed, 0..8.
    int syllableIndex() const { return syllableIndex_; }
    // Spaces typed since the last composing key (1 after a reset).
    int spaceCount() const { return spaceCount_; }

    // Keys in syllable 0: zero while nothing is composed.
    int keyCount() const override;
    // Keys in syllable i; 0 for an index outside 0..8.
    int keysInSyllable(int i) const;

    void Reset() override;
    // The character a key stands for on its own, used while nothing is composed.
    bool DirectCharacter(char ch, wchar_t& out) const;
    // True when ch composes a syllable; NUL is never a key.
    bool IsInputKey(char ch) const;
    // Appends a key to the current syllable (to the next one when it holds eight keys), re-spells
    // it and refreshes the candidates. Refuses NUL and a key that would start a tenth syllable:
    // then returns false and nothing changes.
    bool AddKey(char ch);
    // A space typed in the composition. A second space in a row commits, and so does a space in
    // the last syllable, after which no further syllable can follow: then it returns true and the
    // caller commits ComposedText(). Otherwise it closes the syllable and opens the next one.
    bool Space();
    // Removes the last key of the current syllable; on an empty syllable only steps back to the
    // previous one.
    void DeleteKey();
    // The candidates of the composed text, from their first page.
    void CloseSyllable();
    // The syllables' spellings joined by tshegs, up to the first that spells nothing; empty when
    // syllable 0 spells nothing.
    std::wstring ComposedText() const override;
    // "<latin> <latin>  <tibetan>་<tibetan>་"; empty while nothing is typed.
    std::wstring DisplayLine() const override;

private:
    // The last syllable that can hold keys now (syllableIndex, never past 8).
    int lastSyllable() const;
    void respell(SyllableRecord& syllable);

    int syllableIndex_ = 0;
    int spaceCount_ = 1;
};

} // namespace revaze
