// The candidate list that every composer keeps for its text, shown five to a page.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/fixed_text.h"
#include "dictionary/dictionary.h"

namespace revaze {

inline constexpr int kCandidatesPerPage = 5;
inline constexpr std::size_t kCandidateLineUnits = 128; // one formatted page line, NUL included
inline constexpr std::size_t kCandidatePageUnits = 256; // the formatted page, NUL included

// The digits that choose a candidate of the shown page: '1' to '5'.
inline constexpr bool isCandidateDigit(char ch) {
    return ch >= '1' && ch < '1' + kCandidatesPerPage;
}

// The candidates of one search: the lines found, in dictionary order, at most 100. A candidate
// becomes text only when it is shown or chosen, and the lines found are kept once, unchanged,
// for every copy of the list: a key costs no copy of a hundred words, nor of their lines.
class CandidateList {
public:
    CandidateList() = default;
    CandidateList(const Dictionary* dictionary, const Matches& matches)
        : dictionary_(dictionary),
          matches_(matches.empty() ? nullptr : std::make_shared<const Matches>(matches)) {}

    std::size_t size() const { return matches_ ? matches_->count : 0; }
    bool empty() const { return size() == 0; }
    // Candidate i (i < size()) as text.
    std::wstring operator[](std::size_t i) const;
    // Every candidate as text.
    std::vector<std::wstring> strings() const;
    void clear() { matches_.reset(); }

    bool operator==(const CandidateList& other) const {
        return dictionary_ == other.dictionary_ &&
               (matches_ == other.matches_ || matches() == other.matches());
    }

private:
    const Matches& matches() const;

    const Dictionary* dictionary_ = nullptr;
    std::shared_ptr<const Matches> matches_; // null when nothing was found
};

// Held by each composer (as a base, so that the composer's candidateList and pageFirst are its
// own members). The dictionary is shared and only read.
class CandidatePaging {
public:
    explicit CandidatePaging(const Dictionary* dictionary) : dictionary_(dictionary) {}

    // The candidates of the last search, in dictionary order, at most 100.
    CandidateList candidateList;
    // 1-based number of the first candidate on the shown page: 1, 6, 11, ...
    int pageFirst = 1;
    // candidateList = the candidates of `text`, pageFirst = 1.
    void RefreshCandidates(std::wstring_view text);
    void ClearCandidates();
    // The shown page as the composition window draws it: "\n  1: word\n  2: word...", each line
    // cut to fit its 128 units and the whole to fit kCandidatePageUnits.
    std::wstring CandidatePageText() const;
    void PrevPage();
    void NextPage();
    // The whole candidate that digit '1'..'5' picks on the shown page, or nothing.
    std::optional<std::wstring> ChosenCandidate(char digit) const;
    // The whole candidates of the shown page, in order (at most five).
    std::vector<std::wstring> ShownPage() const;

    const Dictionary* dictionary() const { return dictionary_; }

private:
    const Dictionary* dictionary_;
};

} // namespace revaze
