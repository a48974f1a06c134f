// What the status window's buttons and menu, the soft keyboard's pages and the candidate window
// ask of the session, and the two finishing calls.
#include "session/session.h"

namespace revaze {

void Session::resetAllComposers() {
    wylie_.Reset();
    ewts_.Reset();
    soft_.Reset();
    layout_.Reset();
}

Result Session::ToggleInputMode() {
    // Every switch throws the compositions away.
    resetAllComposers();
    state_.inputMode =
        state_.inputMode == InputMode::Tibetan ? InputMode::English : InputMode::Tibetan;
    return finish({});
}

Result Session::ToggleSoftKeyboard() {
    resetAllComposers();
    state_.softVisible = !state_.softVisible;
    // The keyboard opens on its first page, whichever it was closed on.
    if (state_.softVisible) {
        state_.softPage = kFirstSoftPage;
    }
    return finish({});
}

Result Session::SelectLayout(LayoutId id) {
    if (findLayout(id) != nullptr) {
        state_.layoutId = id;
    }
    return finish({});
}

Result Session::ShowSoftPage(int page) {
    if (page >= kFirstSoftPage && page <= kLastSoftPage) {
        state_.softPage = page;
    }
    return finish({});
}

Result Session::SetKeyPolicy(const KeyPolicy& policy) {
    keys_ = policy;
    return finish({});
}

Result Session::PrevPage() {
    if (keyMode(capsLock_) == InputMode::Tibetan) {
        active().PrevPage();
    }
    return finish({});
}

Result Session::NextPage() {
    if (keyMode(capsLock_) == InputMode::Tibetan) {
        active().NextPage();
    }
    return finish({});
}

Result Session::SelectCandidate(int number, CommitSink& sink) {
    Result result;
    Composer& composer = active();
    if (keyMode(capsLock_) == InputMode::Tibetan && number >= 1 && number <= kCandidatesPerPage) {
        const std::optional<std::wstring> chosen =
            composer.ChosenCandidate(static_cast<char>('0' + number));
        if (chosen && !chosen->empty() && commit(*chosen, sink, result)) {
            composer.Reset();
        }
    }
    return finish(result);
}

Result Session::Complete(CommitSink& sink) {
    Result result;
    Composer& composer = active();
    if (composer.keyCount() != 0) {
        // A composition that spells nothing has nothing to hand over.
        const std::wstring text = composer.ComposedText();
        if (!text.empty() && !commit(text, sink, result)) {
            return finish(result);
        }
    }
    composer.Reset();
    return finish(result);
}

Result Session::Cancel() {
    active().Reset();
    return finish({});
}

} // namespace revaze
