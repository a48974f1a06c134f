// One input method's state and everything that decides what a key, a click or a menu choice does.
// A front end turns its platform's events into these calls and draws from the answer; none holds
// input logic of its own.
#pragma once

#include "dictionary/dictionary.h"
#include "ewts/ewts_composer.h"
#include "layouts/layout_composer.h"
#include "layouts/soft_key_composer.h"
#include "session/commit_sink.h"
#include "session/input_state.h"
#include "session/key_event.h"
#include "session/session_options.h"
#include "session/view.h"
#include "wylie/wylie_composer.h"

namespace revaze {

class Session {
public:
    // `dictionary` (may be null: no candidates) is shared and only read; it must outlive the
    // session. With no `start` given the session starts as a freshly installed input method does.
    explicit Session(const Dictionary* dictionary = nullptr, const SessionStart& start = {});
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // What Key would do with `key` after the Shift tap `tap`, and the tap after it. No side
    // effects; the one-argument form starts from the session's own tap.
    KeyTest Test(const KeyEvent& key, ShiftTap tap) const;
    KeyTest Test(const KeyEvent& key) const { return Test(key, shiftTap_); }
    // Every key event a front end sees comes here, taken or not: the session keeps the tap Test
    // hands back and acts. A taken key composes, its commits going to `sink`; a key that goes to
    // the application still counts (a lone Shift tap switches the mode; Backspace and Enter
    // with nothing composed empty the composer) and comes back with `taken` false.
    Result Key(const KeyEvent& key, CommitSink& sink);

    // The status window's buttons and menu, and the soft keyboard's page commands.
    Result ToggleInputMode();
    Result ToggleSoftKeyboard();
    // Keeps the compositions: keys typed from now on use the new layout's tables.
    Result SelectLayout(LayoutId layout);
    // Pages 1..5; others change nothing.
    Result ShowSoftPage(int page);
    // The user changed the Caps Lock or Shift policy: the next key follows the new one.
    Result SetKeyPolicy(const KeyPolicy& policy);

    // The candidates of the active composer.
    Result PrevPage();
    Result NextPage();
    // Commits candidate `number` (1..5) of the shown page; nothing when there is none.
    Result SelectCandidate(int number, CommitSink& sink);

    // Commit what is composed (the focus moves on: nothing is lost), or drop it.
    Result Complete(CommitSink& sink);
    Result Cancel();

    const View& view() const { return view_; }
    const InputState& state() const { return state_; }
    const KeyPolicy& keyPolicy() const { return keys_; }
    // Read access for tests and invariant checks.
    const WylieComposer& wylie() const { return wylie_; }
    const EwtsComposer& ewts() const { return ewts_; }
    const LayoutComposer& layout() const { return layout_; }
    const SoftKeyComposer& soft() const { return soft_; }

private:
    Composer& active();
    const Composer& active() const;
    // The mode keys act in: English while Caps Lock is on under its English policy.
    InputMode keyMode(bool capsLock) const;
    void resetAllComposers();
    // Commits through `sink`, noting what arrived; false when it did not.
    bool commit(std::wstring_view text, CommitSink& sink, Result& result);
    // Brings the view up to date and hands it out with the call's result.
    Result finish(Result result);

    // The key handlers, chosen by the input state.
    void wylieKey(char ch, unsigned vk, CommitSink& sink, Result& result);
    bool wylieEditingKey(unsigned vk, CommitSink& sink, Result& result);
    void wylieCharacterKey(char ch, CommitSink& sink, Result& result);
    void wylieCommit(std::wstring text, CommitSink& sink, Result& result);
    void ewtsKey(char ch, unsigned vk, CommitSink& sink, Result& result);
    bool ewtsEditingKey(unsigned vk, CommitSink& sink, Result& result);
    void ewtsCharacterKey(char ch, CommitSink& sink, Result& result);
    void ewtsCommit(std::wstring_view text, CommitSink& sink, Result& result);
    void layoutKey(char ch, unsigned vk, CommitSink& sink, Result& result);
    void softKeyboardKey(char ch, unsigned vk, CommitSink& sink, Result& result);
    bool keyedEditingKey(KeyedComposer& composer, unsigned vk, CommitSink& sink, Result& result);
    void keyedCandidate(KeyedComposer& composer, char digit, CommitSink& sink, Result& result);

    InputState state_;
    WylieComposer wylie_;
    EwtsComposer ewts_;
    LayoutComposer layout_;
    SoftKeyComposer soft_;
    ShiftTap shiftTap_;
    KeyPolicy keys_;
    // As the last key handed to Key found it: the view shows what the next key will do.
    bool capsLock_ = false;
    View view_;
};

} // namespace revaze
