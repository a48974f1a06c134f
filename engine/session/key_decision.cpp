// Which keys the input method takes, and where a taken key goes.
#include "common/keys.h"
#include "layouts/soft_keyboard_tables.h"
#include "session/session.h"

namespace revaze {

namespace {

// Keys that always belong to the application: navigation, editing, function and lock keys.
bool isApplicationKey(unsigned vk) {
    switch (vk) {
    case kVkTab:
    case kVkControl:
    case kVkMenu:
    case kVkCapital:
    case kVkEnd:
    case kVkHome:
    case kVkLeft:
    case kVkUp:
    case kVkRight:
    case kVkDown:
    case kVkInsert:
    case kVkDelete:
    case kVkAdd:
    case kVkNumLock:
        return true;
    default:
        return vk >= kVkF1 && vk <= kVkF12;
    }
}

// Ctrl+letter shortcuts (copy, paste, undo...) belong to the application; Ctrl+digit does not.
bool isShortcut(const KeyEvent& key) {
    return key.ctrl && key.vk >= 'A' && key.vk <= 'Z';
}

// Caps Lock turns a letter's case over (Shift with it gives small letters); the Ignore policy
// turns it back, so that the layouts read the letter as if Caps Lock were off.
char typedCharacter(const KeyEvent& key, CapsLockPolicy policy) {
    if (!key.capsLock || policy != CapsLockPolicy::Ignore) {
        return key.ch;
    }
    if (key.ch >= 'A' && key.ch <= 'Z') {
        return static_cast<char>(key.ch - 'A' + 'a');
    }
    if (key.ch >= 'a' && key.ch <= 'z') {
        return static_cast<char>(key.ch - 'a' + 'A');
    }
    return key.ch;
}

} // namespace

Session::Session(const Dictionary* dictionary, const SessionStart& start)
    : wylie_(dictionary), ewts_(dictionary), layout_(dictionary), soft_(dictionary),
      keys_(start.keys) {
    state_.inputMode = start.mode;
    if (findLayout(start.layout) != nullptr) {
        state_.layoutId = start.layout;
    }
    finish({});
}

InputMode Session::keyMode(bool capsLock) const {
    if (capsLock && keys_.capsLock == CapsLockPolicy::English) {
        return InputMode::English;
    }
    return state_.inputMode;
}

Composer& Session::active() {
    switch (state_.activeComposer()) {
    case ActiveComposer::SoftKey:
        return soft_;
    case ActiveComposer::Layout:
        return layout_;
    case ActiveComposer::Ewts:
        return ewts_;
    case ActiveComposer::Wylie:
    default:
        return wylie_;
    }
}

const Composer& Session::active() const {
    return const_cast<Session*>(this)->active();
}

KeyTest Session::Test(const KeyEvent& key, ShiftTap tap) const {
    KeyTest test;
    test.next.shiftAlone = key.vk == kVkShift && !key.released;
    if (key.released) {
        // A release goes nowhere; the release of a lone Shift tap switches the mode.
        test.switchesMode = keys_.shiftToggles && key.vk == kVkShift && tap.shiftAlone;
        return test;
    }
    // With nothing composed, Backspace and Enter belong to the application.
    test.take = keyMode(key.capsLock) == InputMode::Tibetan && !isApplicationKey(key.vk) &&
                !isShortcut(key) &&
                !((key.vk == kVkBack || key.vk == kVkReturn) && active().keyCount() == 0);
    return test;
}

Result Session::Key(const KeyEvent& key, CommitSink& sink) {
    capsLock_ = key.capsLock;
    const KeyTest test = Test(key);
    shiftTap_ = test.next;
    if (test.switchesMode) {
        return ToggleInputMode();
    }
    Result result;
    if (!test.take) {
        if (!key.released && keyMode(key.capsLock) == InputMode::Tibetan &&
            (key.vk == kVkBack || key.vk == kVkReturn)) {
            active().Reset();
        }
        return finish(result);
    }
    result.taken = true;
    const char ch = typedCharacter(key, keys_.capsLock);
    if (state_.softVisible) {
        softKeyboardKey(ch, key.vk, sink, result);
    } else if (state_.layoutId == LayoutId::Wylie) {
        wylieKey(ch, key.vk, sink, result);
    } else if (state_.layoutId == LayoutId::Ewts) {
        ewtsKey(ch, key.vk, sink, result);
    } else {
        layoutKey(ch, key.vk, sink, result);
    }
    return finish(result);
}

bool Session::commit(std::wstring_view text, CommitSink& sink, Result& result) {
    if (!sink.Commit(text)) {
        result.commitFailed = true;
        return false;
    }
    result.committed += text;
    return true;
}

Result Session::finish(Result result) {
    View& v = view_;
    v.state = state_;
    v.mode = keyMode(capsLock_);
    v.capitals =
        capsLock_ && v.mode == InputMode::Tibetan && keys_.capsLock == CapsLockPolicy::Letters;
    const Composer& composer = active();
    v.displayLine = composer.DisplayLine();
    v.composing = composer.keyCount() != 0;
    v.composedText = v.composing ? composer.ComposedText() : std::wstring();
    v.candidates.clear();
    v.candidatePageText.clear();
    // The candidates are shown only in Tibetan mode.
    if (v.mode == InputMode::Tibetan && !composer.candidateList.empty()) {
        v.candidates = composer.ShownPage();
        v.candidatePageText = composer.CandidatePageText();
    }
    v.candidateCount = composer.candidateList.size();
    v.candidateList = v.mode == InputMode::Tibetan ? composer.candidateList : CandidateList();
    v.pageFirst = composer.pageFirst;
    result.view = v;
    return result;
}

} // namespace revaze
