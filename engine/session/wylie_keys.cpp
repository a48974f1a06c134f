// The Wylie layout's keys: syllables typed in Latin, closed by a space, committed by a second
// space, Enter, ',' or '/', or replaced by a candidate chosen with a digit.
#include "common/keys.h"
#include "session/session.h"

namespace revaze {

namespace {

// Once this syllable holds this many keys, every character key is refused with a beep.
constexpr int kFullSyllable = 7;
constexpr int kFullSyllableKeys = 7;

constexpr wchar_t kNga = 0x0F44;
constexpr wchar_t kTsheg = 0x0F0B;
constexpr wchar_t kShad = 0x0F0D;

} // namespace

void Session::wylieKey(char ch, unsigned vk, CommitSink& sink, Result& result) {
    // With nothing composed, a key that stands for a character by itself commits it at once.
    if (wylie_.keyCount() == 0) {
        wchar_t direct = 0;
        if (wylie_.DirectCharacter(ch, direct)) {
            if (commit(std::wstring_view(&direct, 1), sink, result)) {
                wylie_.Reset();
            }
            return;
        }
    }
    if (!wylieEditingKey(vk, sink, result)) {
        wylieCharacterKey(ch, sink, result);
    }
}

// Backspace, Enter, Shift, Escape, space and the page keys. False for any other key.
bool Session::wylieEditingKey(unsigned vk, CommitSink& sink, Result& result) {
    WylieComposer& w = wylie_;
    switch (vk) {
    case kVkBack:
        w.DeleteKey();
        if (w.syllableIndex() == 0 && w.keyCount() == 0) {
            w.Reset();
        }
        return true;
    case kVkReturn:
        wylieCommit(w.ComposedText(), sink, result);
        return true;
    case kVkShift:
        return true;
    case kVkEscape:
        w.Reset();
        return true;
    case kVkSpace:
        if (w.Space()) {
            wylieCommit(w.ComposedText(), sink, result);
        }
        return true;
    case kVkPrior:
        w.PrevPage();
        return true;
    case kVkNext:
        w.NextPage();
        return true;
    default:
        return false;
    }
}

void Session::wylieCharacterKey(char ch, CommitSink& sink, Result& result) {
    WylieComposer& w = wylie_;
    const bool composing = w.syllableIndex() != 0 || w.keyCount() != 0;
    if (w.syllableIndex() == kFullSyllable &&
        w.keysInSyllable(kFullSyllable) == kFullSyllableKeys) {
        result.beep = true;
        return;
    }
    if (ch == ',' && composing) {
        wylieCommit(w.ComposedText(), sink, result);
        return;
    }
    if (ch == '/' && composing) {
        // The shad closes the text; after a final nga a tsheg stands between them.
        std::wstring text = w.ComposedText();
        if (!text.empty() && text.back() == kNga) {
            text.push_back(kTsheg);
        }
        text.push_back(kShad);
        wylieCommit(std::move(text), sink, result);
        return;
    }
    if (ch == '-') {
        w.PrevPage();
        return;
    }
    if (ch == '=') {
        w.NextPage();
        return;
    }
    if (isCandidateDigit(ch)) {
        const std::optional<std::wstring> chosen = w.ChosenCandidate(ch);
        if (chosen && !chosen->empty() && commit(*chosen, sink, result)) {
            w.Reset();
        }
        return;
    }
    if (w.IsInputKey(ch) && !w.AddKey(ch)) {
        result.beep = true; // no tenth syllable: the composition stays as it was
    }
}

void Session::wylieCommit(std::wstring text, CommitSink& sink, Result& result) {
    if (commit(text, sink, result)) {
        wylie_.Reset();
    }
}

} // namespace revaze
