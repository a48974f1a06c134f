// The keys of the seven table-driven layouts and of the soft keyboard. Both compose into a keyed
// composer and share their editing keys and candidate choice.
#include "common/keys.h"
#include "layouts/soft_keyboard_tables.h"
#include "session/session.h"

namespace revaze {

// Enter commits the composition, Backspace and Escape edit it, the page keys page the
// candidates, Shift does nothing. False for any other key.
bool Session::keyedEditingKey(KeyedComposer& c, unsigned vk, CommitSink& sink, Result& result) {
    switch (vk) {
    case kVkReturn:
        if (commit(c.compositionText.view(), sink, result)) {
            c.Reset();
        }
        return true;
    case kVkBack:
        c.DeleteKey();
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
    if (c.candidateList.empty()) {
        return;
    }
    c.SelectCandidate(digit);
    if (!c.resultText.empty() && commit(c.resultText, sink, result)) {
        c.Reset();
    }
}

void Session::layoutKey(char ch, unsigned vk, CommitSink& sink, Result& result) {
    LayoutComposer& l = layout_;
    if (keyedEditingKey(l, vk, sink, result)) {
        return;
    }
    // With nothing composed, a key the layout maps directly commits its character at once.
    if (l.keyCount() == 0) {
        wchar_t direct = 0;
        if (l.DirectCharacter(ch, direct)) {
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
    if (l.IsInputKey(ch)) {
        l.AddKey(ch);
    }
}

void Session::softKeyboardKey(char ch, unsigned vk, CommitSink& sink, Result& result) {
    SoftKeyComposer& s = soft_;
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
