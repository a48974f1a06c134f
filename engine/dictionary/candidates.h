// The candidate list that every composer keeps for its text, shown five to a page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"
#include "dictionary/dictionary.h"

namespace revaze {

inline constexpr int kCandidatesPerPage = 5;
inline constexpr std::size_t kCandidateLineUnits = 128; // one formatted page line, NUL included

// Held by each composer (as a base, so that the composer's candidateList, pageFirst and
// candidatePageText are its own members). The dictionary is shared and only read.
class CandidatePaging {
public:
    explicit CandidatePaging(const Dictionary* dictionary) : dictionary_(dictionary) {}

    // The candidates of the last search, in dictionary order, at most 100.
    std::vector<std::wstring> candidateList;
    // 1-based number of the first candidate on the shown page: 1, 6, 11, ...
    int pageFirst = 1;
    // The shown page as the composition window draws it: "\n  1: word\n  2: word...".
    FixedText<256> candidatePageText;

    // candidateList = the candidates of `text`, pageFirst = 1.
    void RefreshCandidates(std::wstring_view text);
    void ClearCandidates();
    // Rewrites candidatePageText from the shown page; each line is cut to fit its 128 units.
    void FormatCandidatePage();
    void PrevPage();
    void NextPage();
    // The whole candidate that digit '1'..'5' picks on the shown page, or null when there is none.
    const std::wstring* ChosenCandidate(char digit) const;
    // The whole candidates of the shown page, in order (at most five).
    std::vector<std::wstring> ShownPage() const;

    const Dictionary* dictionary() const { return dictionary_; }

private:
    const Dictionary* dictionary_;
};

} // namespace revaze
