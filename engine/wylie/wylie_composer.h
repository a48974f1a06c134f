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
    // The composed text, and the text the key handler commits; a chosen candidate is kept whole.
    std::wstring outputText;
    std::array<SyllableRecord, kMaxSyllables> syllables{};
    int syllableIndex = 0; // the syllable being typed, 0..8
    int spaceCount = 1;    // kept by the key handler: spaces typed since the last composing key

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
    // Removes the last key of the current syllable; on an empty syllable only steps back to the
    // previous one.
    void DeleteKey() override;
    // ComposeText, then the candidates of outputText (from their first page).
    void CloseSyllable();
    // outputText = the syllables' spellings joined by tshegs, up to the first that spells nothing;
    // empty when syllable 0 spells nothing.
    void ComposeText();
    // ComposeText, then outputText.
    std::wstring ComposedText() override;
    // outputText = the candidate that digit '1'..'5' picks on the shown page, or empty.
    void SelectCandidate(char digit);
    // displayLine = "<latin> <latin>  <tibetan>་<tibetan>་"; left alone while nothing is typed.
    void UpdateDisplayLine() override;

private:
    // The last syllable that can hold keys now (syllableIndex, never past 8).
    int lastSyllable() const;
    void respell(SyllableRecord& syllable);
};

} // namespace revaze
