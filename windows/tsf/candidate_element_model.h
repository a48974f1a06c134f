// What the candidate list UI element tells an application that draws the candidates itself (a
// full-screen game): every candidate of the composition, at most 100, in pages of five; the page
// the session shows is the current one, since the digit keys choose on it; and a selection the
// application may move. Portable: it reads the view and nothing else.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "session/view.h"

namespace revaze::tsf {

// What changed since the application last heard: the values of TSF's TF_CLUIE_* flags.
enum CandidateChange : unsigned {
    kChangedDocumentMgr = 0x01,
    kChangedCount = 0x02,
    kChangedSelection = 0x04,
    kChangedStrings = 0x08,
    kChangedPageIndex = 0x10,
    kChangedCurrentPage = 0x20,
    kChangedAll = 0x3f,
};

// How the session reaches a candidate: pages to turn (back when negative), then the number it
// has on the page reached.
struct CandidateChoice {
    int pageTurns = 0;
    int number = 0; // 1..5
    bool operator==(const CandidateChoice&) const = default;
};

class CandidateElementModel {
public:
    // Takes the candidates and the page from the view the session answered with; returns what
    // changed since the last call (everything for the first). The selection stays where the
    // application put it while the list and the page hold it, else it is the page's first.
    unsigned Follow(const View& view);

    unsigned count() const { return static_cast<unsigned>(list_.size()); }
    unsigned pageCount() const;
    // The index of the first candidate of each page.
    std::vector<unsigned> pageStarts() const;
    unsigned currentPage() const;
    unsigned selection() const { return selection_; }
    // Candidate `index`; nothing past the last.
    std::optional<std::wstring> string(unsigned index) const;

    // The application selects candidate `index`; false (nothing changes) past the last. The
    // next Follow reports it.
    bool Select(unsigned index);
    // How the session reaches the selected candidate from the page it shows.
    CandidateChoice choice() const;

private:
    CandidateList list_;
    unsigned pageFirst_ = 0; // index of the first candidate on the session's page
    unsigned selection_ = 0;
    unsigned pending_ = kChangedAll;
};

} // namespace revaze::tsf
