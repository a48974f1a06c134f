#include "ime/key_handlers.h"

#include "ime/keys.h"
#include "ime/state_actions.h"
#include "ui/soft_keyboard_tables.h"

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

unsigned HandleLayoutKey(ImeParts& ime, char ch, unsigned vk, MessageList messages,
                         ContextHandle himc) {
    LayoutComposer& l = ime.layout;
    ImeHost& host = ime.host;

    switch (vk) {
    case kVkReturn: {
        unsigned n = commit(ime, himc, messages, l.compositionText.view());
        l.Reset();
        host.PlaceNearCaret();
        host.HideAndInvalidate();
        host.InvalidateCompWindow();
        host.RepaintCompWindow();
        return n;
    }
    case kVkBack:
        l.DeleteKey();
        host.RepaintCompWindow();
        return 0;
    case kVkShift:
        return 0;
    case kVkEscape:
        l.Reset();
        host.RepaintCompWindow();
        return 0;
    case kVkPrior:
        l.PrevPage();
        host.InvalidateCompWindow();
        return 0;
    case kVkNext:
        l.NextPage();
        host.InvalidateCompWindow();
        return 0;
    default:
        break;
    }

    if (l.keyCount == 0) {
        wchar_t direct = 0;
        if (l.DirectCharacter(ch, direct)) {
            unsigned n = commit(ime, himc, messages, std::wstring_view(&direct, 1));
            host.PlaceNearCaret();
            l.Reset();
            host.HideAndInvalidate();
            return n;
        }
        host.ShowAndInvalidate();
    }
    if (isCandidateDigit(ch)) {
        if (l.candidateList.empty()) {
            return 0;
        }
        l.SelectCandidate(ch);
        if (l.resultText.empty()) {
            return 0;
        }
        unsigned n = commit(ime, himc, messages, l.resultText);
        l.Reset();
        host.PlaceNearCaret();
        host.HideAndInvalidate();
        host.InvalidateCompWindow();
        return n;
    }
    if (l.IsInputKey(ch)) {
        l.AddKey(ch);
        host.InvalidateCompWindow();
    }
    return 0;
}

unsigned HandleSoftKeyboardKey(ImeParts& ime, char ch, unsigned vk, std::wstring_view mapped,
                               MessageList messages, ContextHandle himc) {
    SoftKeyComposer& s = ime.soft;
    ImeHost& host = ime.host;

    switch (vk) {
    case kVkReturn: {
        unsigned n = commit(ime, himc, messages, s.compositionText.view());
        s.Reset();
        host.PlaceNearCaret();
        host.HideAndInvalidate();
        host.InvalidateCompWindow();
        host.RepaintCompWindow();
        return n;
    }
    case kVkBack:
        s.DeleteKey();
        host.RepaintCompWindow();
        return 0;
    case kVkShift:
        return 0;
    case kVkEscape:
        s.Reset();
        host.HideAndInvalidate();
        host.RepaintCompWindow();
        return 0;
    case kVkPrior:
        s.PrevPage();
        host.InvalidateCompWindow();
        return 0;
    case kVkNext:
        s.NextPage();
        host.InvalidateCompWindow();
        return 0;
    case kVkHelp:
        ShowSoftPage(ime, NextSoftPage(ime.state.softPage, ime.state.layoutId));
        return 0;
    default:
        break;
    }

    if (isCandidateDigit(ch)) {
        if (s.candidateList.empty()) {
            return 0;
        }
        s.SelectCandidate(ch);
        if (s.resultText.empty()) {
            return 0;
        }
        unsigned n = commit(ime, himc, messages, s.resultText);
        s.Reset();
        host.PlaceNearCaret();
        host.HideAndInvalidate();
        host.InvalidateCompWindow();
        return n;
    }
    if (!mapped.empty()) {
        s.AddKey(ch, mapped.front());
        host.ShowAndInvalidate();
        host.RepaintCompWindow();
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
