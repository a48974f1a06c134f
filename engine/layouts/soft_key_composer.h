// Collects the characters picked on the soft keyboard: one key is one code unit, with no tables
// and no stacking.
#pragma once

#include <string>

#include "common/fixed_text.h"
#include "dictionary/candidates.h"
#include "dictionary/dictionary.h"

namespace revaze {

inline constexpr int kMaxSoftKeys = 60;
inline constexpr int kMaxSoftUnits = 60;

class SoftKeyComposer : public CandidatePaging {
public:
    explicit SoftKeyComposer(const Dictionary* dictionary);

    int keyCount = 0;              // keys in typedKeys, 0..60
    int charCount = 0;             // code units in compositionText, 0..60
    std::string typedKeys;         // the typed key characters, at most 60
    FixedText<64> compositionText; // the soft keyboard's characters, at most 60
    std::wstring resultText;       // the chosen candidate, whole
    FixedText<256> displayLine;

    void Reset();
    // `ch` is the typed key, `wch` the soft keyboard's character for it (never 0).
    void AddKey(char ch, wchar_t wch);
    void DeleteKey();
    // Two spaces and compositionText, or the typed keys while nothing has been composed.
    void UpdateDisplayLine();
    // Appends the candidate that '1'..'5' picks on the shown page to resultText.
    void SelectCandidate(char digit);
};

} // namespace revaze
