#include <gtest/gtest.h>

#include "session/key_text.h"
#include "session/test_support.h"

namespace revaze {
namespace {

using test::RecordingSink;
using test::release;

KeyEvent letter(char ch, bool capsLock) {
    return {virtualKeyOf(ch), ch, false, false, capsLock};
}

TEST(SessionPolicy, CapsLockDecisionTable) {
    // Caps Lock turns a letter's case over before it reaches the input method: 't' arrives as
    // 'T', and Shift+t as 't'.
    struct Row {
        const char* what;
        CapsLockPolicy policy;
        char arrives;
        bool capsLock;
        bool taken;
        std::wstring_view composed;
        InputMode shown;
        bool capitals;
    };
    const Row rows[] = {
        {"letters, caps off", CapsLockPolicy::Letters, 't', false, true, L"\u0F4F",
         InputMode::Tibetan, false},
        {"letters, caps on", CapsLockPolicy::Letters, 'T', true, true, L"\u0F4A",
         InputMode::Tibetan, true},
        {"ignore, caps on", CapsLockPolicy::Ignore, 'T', true, true, L"\u0F4F", InputMode::Tibetan,
         false},
        {"ignore, caps and shift", CapsLockPolicy::Ignore, 't', true, true, L"\u0F4A",
         InputMode::Tibetan, false},
        {"ignore, caps off", CapsLockPolicy::Ignore, 'T', false, true, L"\u0F4A",
         InputMode::Tibetan, false},
        {"english, caps on", CapsLockPolicy::English, 'T', true, false, L"", InputMode::English,
         false},
        {"english, caps off", CapsLockPolicy::English, 't', false, true, L"\u0F4F",
         InputMode::Tibetan, false},
    };
    for (const Row& row : rows) {
        Session session(nullptr, {InputMode::Tibetan, LayoutId::Wylie, {row.policy, true}});
        RecordingSink sink;
        const KeyEvent key = letter(row.arrives, row.capsLock);
        SCOPED_TRACE(keyText(key));
        EXPECT_EQ(session.Test(key).take, row.taken) << row.what;
        const Result result = session.Key(key, sink);
        EXPECT_EQ(result.taken, row.taken) << row.what;
        EXPECT_EQ(result.view.composedText, row.composed) << row.what;
        EXPECT_EQ(result.view.mode, row.shown) << row.what;
        EXPECT_EQ(result.view.capitals, row.capitals) << row.what;
        EXPECT_EQ(session.state().inputMode, InputMode::Tibetan) << row.what;
    }
}

TEST(SessionPolicy, CapsLockEnglishKeepsTheCompositionUntilItGoesOff) {
    Session session(nullptr, {InputMode::Tibetan, LayoutId::Wylie, {CapsLockPolicy::English}});
    RecordingSink sink;
    session.Key(letter('k', false), sink);
    const Result english = session.Key({kVkCapital, 0, false, false, true}, sink);
    EXPECT_FALSE(english.taken);
    EXPECT_FALSE(english.view.hasContent());
    EXPECT_TRUE(english.view.candidates.empty());
    const Result back = session.Key(letter('a', false), sink);
    EXPECT_EQ(back.view.composedText, L"\u0F40");
    EXPECT_TRUE(sink.commits.empty());
}

TEST(SessionPolicy, ShiftTapTogglesOnlyWhenTheSettingSaysSo) {
    for (bool toggles : {true, false}) {
        Session session(nullptr, {InputMode::Tibetan, LayoutId::Wylie, {{}, toggles}});
        RecordingSink sink;
        EXPECT_TRUE(session.Key(test::press(kVkShift), sink).taken);
        EXPECT_EQ(session.Test(release(kVkShift)).switchesMode, toggles);
        session.Key(release(kVkShift), sink);
        EXPECT_EQ(session.view().mode, toggles ? InputMode::English : InputMode::Tibetan);
        // The mode button still switches.
        EXPECT_EQ(session.ToggleInputMode().view.mode,
                  toggles ? InputMode::Tibetan : InputMode::English);
    }
}

TEST(SessionPolicy, ANewPolicyCountsFromTheNextKey) {
    Session session;
    RecordingSink sink;
    session.Key(test::press(kVkShift), sink);
    session.SetKeyPolicy({CapsLockPolicy::Ignore, false});
    session.Key(release(kVkShift), sink);
    EXPECT_EQ(session.view().mode, InputMode::Tibetan);
    EXPECT_EQ(session.Key(letter('T', true), sink).view.composedText, L"\u0F4F");
}

} // namespace
} // namespace revaze
