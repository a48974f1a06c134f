// What a front end shows after a session call, and what the call did. Plain data: the front end
// draws and places its windows from it and never reaches into the session for more.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dictionary/candidates.h"
#include "session/input_state.h"

namespace revaze {

struct View {
    // The session's input state: the mode chosen, the layout, the soft keyboard and its page.
    InputState state;
    // The mode the keys act in, which the windows show: the chosen one, or English while Caps
    // Lock is on under its English policy.
    InputMode mode = InputMode::Tibetan;
    // Caps Lock is on and gives capital letters in Tibetan mode (the composition window's badge).
    bool capitals = false;

    // The active composer: its first line, whether it holds keys, and the text Enter would
    // commit (what an inline composition shows in the document).
    std::wstring displayLine;
    bool composing = false;
    std::wstring composedText;
    // The shown page of candidates, each whole (at most five; none in English mode), and the
    // same page as the composition window draws it: "\n  1: word\n  2: word...", each line cut
    // to fit 128 units.
    std::vector<std::wstring> candidates;
    std::wstring candidatePageText;
    // The composer's candidates on every page, in either mode: while Caps Lock gives English
    // the composer keeps them, and candidateList is empty.
    std::size_t candidateCount = 0;
    int pageFirst = 1; // 1-based number of the first candidate shown
    // Every candidate, on every page (none in English mode), for an application that draws them
    // itself; each becomes text only when asked for. Its lines are shared, not copied, by every
    // view that holds them.
    CandidateList candidateList;

    bool operator==(const View&) const = default;

    // Something to show in the composition window.
    bool hasContent() const {
        return mode == InputMode::Tibetan && (!displayLine.empty() || !candidates.empty());
    }
};

struct Result {
    bool taken = false;        // the key was the input method's (for key calls)
    std::wstring committed;    // what reached the sink during the call
    bool commitFailed = false; // a commit did not arrive; the composition was kept
    bool beep = false;         // the composition is full: the key was refused audibly
    View view;
};

} // namespace revaze
