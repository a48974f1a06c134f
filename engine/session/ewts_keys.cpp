// The EWTS layout's keys: an Extended Wylie string typed whole and converted as it grows. A space
// closes a syllable with a tsheg; a second space, Enter, a shad or a candidate commits. Digits 1
// to 5 choose a candidate while candidates are shown and otherwise type Tibetan digits.
#include "common/keys.h"
#include "session/session.h"

namespace revaze {

namespace {

constexpr wchar_t kTsheg = 0x0F0B;

} // namespace

void Session::ewtsKey(char ch, unsigned vk, CommitSink& sink, Result& result) {
    const bool afterShad = ewts_.afterShad;
    ewts_.afterShad = false;
    if (vk == kVkSpace && afterShad && ewts_.keyCount() == 0) {
        ewtsCommit(L" ", sink, result); // a real space after a shad
        return;
    }
    if (!ewtsEditingKey(vk, sink, result)) {
        ewtsCharacterKey(ch, sink, result);
    }
}

// Backspace, Enter, Shift, Escape, space and the page keys. False for any other key.
bool Session::ewtsEditingKey(unsigned vk, CommitSink& sink, Result& result) {
    EwtsComposer& e = ewts_;
    switch (vk) {
    case kVkBack:
        e.DeleteKey();
        return true;
    case kVkReturn:
        ewtsCommit(e.ComposedText(), sink, result);
        return true;
    case kVkShift:
        return true;
    case kVkEscape:
        e.Reset();
        return true;
    case kVkSpace:
        if (e.keyCount() == 0) {
            ewtsCommit(std::wstring_view(&kTsheg, 1), sink, result); // a tsheg on its own
        } else if (e.EndsInSpace() || !e.AddKey(' ')) {
            ewtsCommit(e.ComposedText(), sink, result); // a second space, or no room for one
        }
        return true;
    case kVkPrior:
        e.PrevPage();
        return true;
    case kVkNext:
        e.NextPage();
        return true;
    default:
        return false;
    }
}

void Session::ewtsCharacterKey(char ch, CommitSink& sink, Result& result) {
    EwtsComposer& e = ewts_;
    if (ch < ' ' || ch > '~') {
        return; // a key that types no character does nothing
    }
    if (ch == ',') {
        // No EWTS key: it commits the composition unchanged, or a tsheg when nothing is composed.
        if (e.keyCount() == 0) {
            ewtsCommit(std::wstring_view(&kTsheg, 1), sink, result);
        } else {
            ewtsCommit(e.ComposedText(), sink, result);
        }
        return;
    }
    if (isCandidateDigit(ch) && !e.candidateList.empty()) {
        const std::optional<std::wstring> chosen = e.ChosenCandidate(ch);
        if (chosen && !chosen->empty()) {
            ewtsCommit(*chosen, sink, result);
        }
        return; // a digit beyond the shown candidates is dropped
    }
    if (ch == '/' && !e.OnlyShads()) {
        // A shad after text commits it with the shad, after the tsheg of a closing space (sang /
        // is སང་།), even when the composition is full. Shads typed first join ("//" is ༎).
        std::wstring text = e.ComposedText();
        text += e.EndsInSpace() ? L"\u0F0B\u0F0D" : L"\u0F0D";
        ewtsCommit(text, sink, result);
        e.afterShad = e.keyCount() == 0;
        return;
    }
    if (!e.AddKey(ch)) {
        result.beep = true; // the composition is full
    }
}

void Session::ewtsCommit(std::wstring_view text, CommitSink& sink, Result& result) {
    if (commit(text, sink, result)) {
        ewts_.Reset();
    }
}

} // namespace revaze
