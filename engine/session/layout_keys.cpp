// The keys of the seven table-driven layouts and of the soft keyboard. Both compose into a keyed
// composer and share their editing keys and candidate choice.
#include "common/keys.h"
#include "layouts/soft_keyboard_tables.h"
#include "session/session.h"

namespace revaze {

// Enter commits the composition, Escape drops it, the page keys page the candidates, Shift does
// nothing. False for any other key (Backspace is each composer's own).
bool Session::keyedEditingKey(KeyedComposer& c, unsigned vk, CommitSink& sink, Result& result) {
    switch (vk) {
    case kVkReturn:
        if (commit(c.compositionText.view(), sink, result)) {
            c.Reset();
        }
        return true;
    case kVkShift:
        return true;
    case kVkEscape:
        c.Reset();
        return true;
    case kVkPrior:
        c.PrevPage();
        return true;
    case kVkNext:
        c.NextPage();
        return true;
    default:
        return false;
    }
}

// A digit 1 to 5 commits that candidate of the shown page; without candidates, or beyond the
// shown ones, it is dropped.
void Session::keyedCandidate(KeyedComposer& c, char digit, CommitSink& sink, Result& result) {
    const std::optional<std::wstring> chosen = c.ChosenCandidate(digit);
    if (chosen && !chosen->empty() && commit(*chosen, sink, result)) {
        c.Reset();
    }
}

void Session::layoutKey(char ch, unsigned vk, CommitSink& sink, Result& result) {
    LayoutComposer& l = layout_;
    const int layout = state_.layoutIndex();
    if (vk == kVkBack) {
        l.DeleteKey(layout);
        return;
    }
    if (keyedEditingKey(l, vk, sink, result)) {
        return;
    }
    // With nothing composed, a key the layout maps directly commits its character at once.
    if (l.keyCount() == 0) {
        wchar_t direct = 0;
        if (l.DirectCharacter(layout, ch, direct)) {
            if (commit(std::wstring_view(&direct, 1), sink, result)) {
                l.Reset();
            }
            return;
        }
    }
    if (isCandidateDigit(ch)) {
        keyedCandidate(l, ch, sink, result);
        return;
    }
    if (l.IsInputKey(layout, ch)) {
        l.AddKey(layout, ch);
    }
}

void Session::softKeyboardKey(char ch, unsigned vk, CommitSink& sink, Result& result) {
    SoftKeyComposer& s = soft_;
    if (vk == kVkBack) {
        s.DeleteKey();
        return;
    }
    if (keyedEditingKey(s, vk, sink, result)) {
        return;
    }
    if (vk == kVkHelp) {
        // The star key steps through the pages.
        state_.softPage = NextSoftPage(state_.softPage, state_.layoutId);
        return;
    }
    // Digits choose candidates whatever the soft keyboard shows on them.
    if (isCandidateDigit(ch)) {
        keyedCandidate(s, ch, sink, result);
        return;
    }
    wchar_t mapped = 0;
    if (MapSoftKey(ch, state_.softPage, state_.layoutIndex(), mapped)) {
        s.AddKey(ch, mapped);
    }
}

} // namespace revaze
