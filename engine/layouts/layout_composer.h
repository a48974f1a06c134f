// Composes the text of the table-driven layouts one code unit at a time: a key joins the last
// code unit while the longer key sequence is in the layout's tables, else it starts a new one.
#pragma once

#include <string>
#include <vector>

#include "common/fixed_text.h"
#include "dictionary/candidates.h"
#include "dictionary/dictionary.h"

namespace revaze {

inline constexpr int kMaxLayoutKeys = 60;
inline constexpr int kMaxLayoutUnits = 60;

class LayoutComposer : public CandidatePaging {
public:
    explicit LayoutComposer(const Dictionary* dictionary);

    int keyCount = 0;              // keys in typedKeys, 0..60
    int charCount = 0;             // code units in compositionText, 0..60
    std::string typedKeys;         // at most 60 keys
    FixedText<64> compositionText; // at most 60 code units
    // One element per code unit of compositionText: the one to four keys that made it.
    std::vector<std::string> keyGroups;
    FixedText<256> displayLine;
    std::wstring resultText; // the chosen candidate, whole
    int layoutIndex = 0;

    // Empties the composition; leaves layoutIndex alone.
    void Reset();
    // The code unit `ch` commits at once while nothing is composed.
    bool DirectCharacter(char ch, wchar_t& out) const;
    // True when `ch` is a composing key of the current layout. NUL never is.
    bool IsInputKey(char ch) const;
    void AddKey(char ch);
    void DeleteKey();
    // " " and compositionText, or the typed keys while nothing has been composed.
    void UpdateDisplayLine();
    // Appends the candidate that '1'..'5' picks on the shown page to resultText.
    void SelectCandidate(char digit);
};

} // namespace revaze
