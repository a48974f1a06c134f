#include "tsf/candidate_element_model.h"

namespace revaze::tsf {

namespace {

constexpr unsigned kPerPage = static_cast<unsigned>(kCandidatesPerPage);

} // namespace

unsigned CandidateElementModel::Follow(const View& view) {
    unsigned changed = pending_;
    pending_ = 0;
    const unsigned pageFirst = view.pageFirst > 0 ? static_cast<unsigned>(view.pageFirst - 1) : 0;
    if (view.candidateList.size() != list_.size()) {
        changed |= kChangedCount | kChangedPageIndex;
    }
    // An emptied list is no change, whichever dictionary it came from.
    const bool sameList =
        view.candidateList == list_ || (view.candidateList.empty() && list_.empty());
    if (!sameList) {
        changed |= kChangedStrings;
    }
    if (pageFirst / kPerPage != pageFirst_ / kPerPage) {
        changed |= kChangedCurrentPage;
    }
    list_ = view.candidateList;
    pageFirst_ = pageFirst;
    const bool onPage =
        selection_ >= pageFirst_ && selection_ < pageFirst_ + kPerPage && selection_ < list_.size();
    if (!sameList || !onPage) {
        if (selection_ != pageFirst_) {
            changed |= kChangedSelection;
        }
        selection_ = pageFirst_;
    }
    return changed;
}

unsigned CandidateElementModel::pageCount() const {
    return (count() + kPerPage - 1) / kPerPage;
}

std::vector<unsigned> CandidateElementModel::pageStarts() const {
    std::vector<unsigned> starts;
    for (unsigned page = 0; page < pageCount(); ++page) {
        starts.push_back(page * kPerPage);
    }
    return starts;
}

unsigned CandidateElementModel::currentPage() const {
    return pageFirst_ / kPerPage;
}

std::optional<std::wstring> CandidateElementModel::string(unsigned index) const {
    if (index >= count()) {
        return std::nullopt;
    }
    return list_[index];
}

bool CandidateElementModel::Select(unsigned index) {
    if (index >= count()) {
        return false;
    }
    if (index != selection_) {
        selection_ = index;
        pending_ |= kChangedSelection;
    }
    return true;
}

CandidateChoice CandidateElementModel::choice() const {
    const int page = static_cast<int>(selection_ / kPerPage);
    return {page - static_cast<int>(currentPage()), static_cast<int>(selection_ % kPerPage) + 1};
}

} // namespace revaze::tsf
