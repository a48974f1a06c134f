#include "dictionary/candidates.h"

namespace revaze {

std::wstring CandidateList::operator[](std::size_t i) const {
    return dictionary_->candidate(matches_->lines[i]);
}

const Matches& CandidateList::matches() const {
    static const Matches none{};
    return matches_ ? *matches_ : none;
}

std::vector<std::wstring> CandidateList::strings() const {
    std::vector<std::wstring> all;
    all.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) {
        all.push_back((*this)[i]);
    }
    return all;
}

void CandidatePaging::RefreshCandidates(std::wstring_view text) {
    if (dictionary_ != nullptr) {
        candidateList = CandidateList(dictionary_, dictionary_->find(text));
    } else {
        candidateList.clear();
    }
    pageFirst = 1;
}

void CandidatePaging::ClearCandidates() {
    candidateList.clear();
    pageFirst = 1;
}

std::wstring CandidatePaging::CandidatePageText() const {
    FixedText<kCandidatePageUnits> page;
    for (int i = 0; i < kCandidatesPerPage; ++i) {
        std::size_t n = static_cast<std::size_t>(pageFirst - 1 + i);
        if (pageFirst < 1 || n >= candidateList.size()) {
            break;
        }
        // "\n  %d: %s" formatted into a 128-unit line buffer.
        FixedText<kCandidateLineUnits> line;
        line.append(L"\n  ");
        line.push_back(static_cast<wchar_t>(L'1' + i));
        line.append(L": ");
        line.append(candidateList[n]);
        page.append(line.view());
    }
    return page.str();
}

void CandidatePaging::PrevPage() {
    if (!candidateList.empty() && pageFirst != 1) {
        pageFirst -= kCandidatesPerPage;
    }
}

void CandidatePaging::NextPage() {
    if (!candidateList.empty() &&
        static_cast<std::size_t>(pageFirst + kCandidatesPerPage) <= candidateList.size()) {
        pageFirst += kCandidatesPerPage;
    }
}

std::optional<std::wstring> CandidatePaging::ChosenCandidate(char digit) const {
    if (!isCandidateDigit(digit)) {
        return std::nullopt;
    }
    long index = static_cast<long>(pageFirst) - 1 + (digit - '1');
    if (index < 0 || static_cast<std::size_t>(index) >= candidateList.size()) {
        return std::nullopt;
    }
    return candidateList[static_cast<std::size_t>(index)];
}

std::vector<std::wstring> CandidatePaging::ShownPage() const {
    std::vector<std::wstring> page;
    for (int i = 0; i < kCandidatesPerPage; ++i) {
        long n = static_cast<long>(pageFirst) - 1 + i;
        if (n < 0 || static_cast<std::size_t>(n) >= candidateList.size()) {
            break;
        }
        page.push_back(candidateList[static_cast<std::size_t>(n)]);
    }
    return page;
}

} // namespace revaze
