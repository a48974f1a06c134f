#include "session/key_handlers.h"

#include <optional>

#include "layouts/soft_keyboard_tables.h"
#include "session/keys.h"
#include "session/state_actions.h"

namespace revaze {

namespace {

bool isCandidateDigit(char ch) {
    return ch >= '1' && ch <= '5';
}

unsigned commit(ImeParts& ime, ContextHandle himc, MessageList messages, std::wstring_view text) {
    return ime.host.CommitResultString(himc, messages, text);
}

// The Wylie composition holds nine syllables; the space that would open a tenth commits instead.
constexpr int kLastSyllable = 8;

unsigned commitWylieText(ImeParts& ime, ContextHandle himc, MessageList messages) {
    WylieComposer& w = ime.wylie;
    w.ComposeText();
    unsigned n = commit(ime, himc, messages, w.outputText);
    w.Reset();
    w.ClearCandidates();
    ime.host.RepaintCompWindow();
    w.spaceCount = 1;
    return n;
}

} // namespace

unsigned HandleWylieKey(ImeParts& ime, char ch, unsigned vk, MessageList messages,
                        ContextHandle himc) {
    WylieComposer& w = ime.wylie;
    ImeHost& host = ime.host;

    if (w.keyCount() == 0) {
        wchar_t direct = 0;
        if (w.DirectCharacter(ch, direct)) {
            unsigned n = commit(ime, himc, messages, std::wstring_view(&direct, 1));
            host.PlaceNearCaret();
            w.Reset();
            host.HideAndInvalidate();
            host.InvalidateCompWindow();
            return n;
        }
        host.ShowAndInvalidate();
    }

    switch (vk) {
    case kVkBack:
        w.DeleteKey();
        if (w.syllableIndex == 0 && w.keyCount() == 0) {
            w.Reset();
            w.ClearCandidates();
        }
        host.RepaintCompWindow();
        return 0;
    case kVkReturn: {
        w.ComposeText();
        unsigned n = commit(ime, himc, messages, w.outputText);
        host.PlaceNearCaret();
        w.Reset();
        host.HideAndInvalidate();
        w.ClearCandidates();
        host.RepaintCompWindow();
        return n;
    }
    case kVkShift:
        return 0;
    case kVkEscape:
        w.Reset();
        host.HideAndInvalidate();
        host.RepaintCompWindow();
        return 0;
    case kVkSpace:
        ++w.spaceCount;
        // A second space in a row commits; so does a space in the last syllable, after which no
        // further syllable can follow. The repaint hides the emptied window.
        if (w.spaceCount >= 2 || w.syllableIndex >= kLastSyllable) {
            return commitWylieText(ime, himc, messages);
        }
        w.CloseSyllable();
        ++w.syllableIndex;
        host.RepaintCompWindow();
        return 0;
    case kVkPrior:
        w.PrevPage();
        host.InvalidateCompWindow();
        return 0;
    case kVkNext:
        w.NextPage();
        host.InvalidateCompWindow();
        return 0;
    default:
        break;
    }

    const bool composing = w.syllableIndex != 0 || w.keyCount() != 0;
    if (w.syllableIndex == 7 && w.keysInSyllable(7) == 7) {
        host.MessageBeep();
        return 0;
    }
    if (ch == ',' && composing) {
        w.ComposeText();
        unsigned n = commit(ime, himc, messages, w.outputText);
        w.Reset();
        host.HideAndInvalidate();
        w.ClearCandidates();
        host.RepaintCompWindow();
        return n;
    }
    if (ch == '/' && composing) {
        w.ComposeText();
        std::wstring text = w.outputText;
        // The shad closes the text; after a final nga a tsheg stands between them.
        if (!text.empty() && text.back() == static_cast<wchar_t>(0x0F44)) {
            text.push_back(static_cast<wchar_t>(0x0F0B));
        }
        text.push_back(static_cast<wchar_t>(0x0F0D));
        unsigned n = commit(ime, himc, messages, text);
        w.Reset();
        host.HideAndInvalidate();
        w.ClearCandidates();
        host.PlaceNearCaret();
        host.RepaintCompWindow();
        return n;
    }
    if (ch == '-') {
        w.PrevPage();
        host.InvalidateCompWindow();
        return 0;
    }
    if (ch == '=') {
        w.NextPage();
        host.InvalidateCompWindow();
        return 0;
    }
    if (isCandidateDigit(ch)) {
        if (w.candidateList.empty()) {
            return 0;
        }
        w.SelectCandidate(ch);
        if (w.outputText.empty()) {
            return 0;
        }
        unsigned n = commit(ime, himc, messages, w.outputText);
        w.Reset();
        host.PlaceNearCaret();
        host.HideAndInvalidate();
        host.InvalidateCompWindow();
        return n;
    }
    if (w.IsInputKey(ch)) {
        if (!w.AddKey(ch)) {
            // No tenth syllable: the key is refused and the composition stays as it was.
            host.MessageBeep();
            return 0;
        }
        w.spaceCount = 0;
        host.InvalidateCompWindow();
    }
    return 0;
}

namespace {

// The keys the layout and soft-keyboard handlers treat alike: Enter commits the composition,
// Backspace and Escape edit it, the page keys page the candidates. Returns nothing for any other
// key. Escape hides the window only when `hideOnEscape`; otherwise the next paint, finding
// nothing to show, hides it.
template <typename Composer>
std::optional<unsigned> handleEditingKey(ImeParts& ime, Composer& c, unsigned vk, bool hideOnEscape,
                                         MessageList messages, ContextHandle himc) {
    ImeHost& host = ime.host;
    switch (vk) {
    case kVkReturn: {
        unsigned n = commit(ime, himc, messages, c.compositionText.view());
        c.Reset();
        host.PlaceNearCaret();
        host.HideAndInvalidate();
        host.InvalidateCompWindow();
        host.RepaintCompWindow();
        return n;
    }
    case kVkBack:
        c.DeleteKey();
        host.RepaintCompWindow();
        return 0u;
    case kVkShift:
        return 0u;
    case kVkEscape:
        c.Reset();
        if (hideOnEscape) {
            host.HideAndInvalidate();
        }
        host.RepaintCompWindow();
        return 0u;
    case kVkPrior:
        c.PrevPage();
        host.InvalidateCompWindow();
        return 0u;
    case kVkNext:
        c.NextPage();
        host.InvalidateCompWindow();
        return 0u;
    default:
        return std::nullopt;
    }
}

// A digit 1 to 5 commits that candidate of the shown page; without candidates, or beyond the
// shown ones, it is dropped.
template <typename Composer>
unsigned commitCandidate(ImeParts& ime, Composer& c, char digit, MessageList messages,
                         ContextHandle himc) {
    if (c.candidateList.empty()) {
        return 0;
    }
    c.SelectCandidate(digit);
    if (c.resultText.empty()) {
        return 0;
    }
    unsigned n = commit(ime, himc, messages, c.resultText);
    c.Reset();
    ime.host.PlaceNearCaret();
    ime.host.HideAndInvalidate();
    ime.host.InvalidateCompWindow();
    return n;
}

} // namespace

unsigned HandleLayoutKey(ImeParts& ime, char ch, unsigned vk, MessageList messages,
                         ContextHandle himc) {
    LayoutComposer& l = ime.layout;
    if (auto n = handleEditingKey(ime, l, vk, false, messages, himc)) {
        return *n;
    }
    if (l.keyCount == 0) {
        wchar_t direct = 0;
        if (l.DirectCharacter(ch, direct)) {
            unsigned n = commit(ime, himc, messages, std::wstring_view(&direct, 1));
            ime.host.PlaceNearCaret();
            l.Reset();
            ime.host.HideAndInvalidate();
            return n;
        }
        ime.host.ShowAndInvalidate();
    }
    if (isCandidateDigit(ch)) {
        return commitCandidate(ime, l, ch, messages, himc);
    }
    if (l.IsInputKey(ch)) {
        l.AddKey(ch);
        ime.host.InvalidateCompWindow();
    }
    return 0;
}

unsigned HandleSoftKeyboardKey(ImeParts& ime, char ch, unsigned vk, std::wstring_view mapped,
                               MessageList messages, ContextHandle himc) {
    SoftKeyComposer& s = ime.soft;
    if (auto n = handleEditingKey(ime, s, vk, true, messages, himc)) {
        return *n;
    }
    if (vk == kVkHelp) {
        ShowSoftPage(ime, NextSoftPage(ime.state.softPage, ime.state.layoutId));
        return 0;
    }
    if (isCandidateDigit(ch)) {
        return commitCandidate(ime, s, ch, messages, himc);
    }
    if (!mapped.empty()) {
        s.AddKey(ch, mapped.front());
        ime.host.ShowAndInvalidate();
        ime.host.RepaintCompWindow();
    }
    return 0;
}

unsigned HandleEnglishKey(ImeParts& ime, char /*ch*/, unsigned vk, MessageList /*messages*/,
                          ContextHandle /*himc*/) {
    if (vk == kVkShift) {
        ToggleInputMode(ime);
    }
    return 0;
}

} // namespace revaze
