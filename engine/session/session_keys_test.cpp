#include <gtest/gtest.h>

#include "session/key_text.h"
#include "session/test_support.h"

namespace revaze {
namespace {

using test::dictionaryOf;
using test::press;
using test::RecordingSink;
using test::release;
using test::tap;
using test::type;

TEST(SessionKeys, DecisionTableInTibetanModeWithNothingComposed) {
    struct Row {
        const char* what;
        unsigned vk;
        bool released;
        bool ctrl;
        bool taken;
    };
    const Row rows[] = {
        {"letter", 'K', false, false, true},
        {"digit", '1', false, false, true},
        {"space", kVkSpace, false, false, true},
        {"escape", kVkEscape, false, false, true},
        {"page up", kVkPrior, false, false, true},
        {"page down", kVkNext, false, false, true},
        {"punctuation", kVkOem2, false, false, true},
        {"shift press", kVkShift, false, false, true},
        {"star key", kVkHelp, false, false, true},
        {"ctrl+1", '1', false, true, true},
        {"ctrl+c", 'C', false, true, false},
        {"ctrl+z", 'Z', false, true, false},
        {"tab", kVkTab, false, false, false},
        {"ctrl", kVkControl, false, false, false},
        {"alt", kVkMenu, false, false, false},
        {"caps lock", kVkCapital, false, false, false},
        {"home", kVkHome, false, false, false},
        {"end", kVkEnd, false, false, false},
        {"left", kVkLeft, false, false, false},
        {"up", kVkUp, false, false, false},
        {"right", kVkRight, false, false, false},
        {"down", kVkDown, false, false, false},
        {"insert", kVkInsert, false, false, false},
        {"delete", kVkDelete, false, false, false},
        {"numpad plus", kVkAdd, false, false, false},
        {"F1", kVkF1, false, false, false},
        {"F12", kVkF12, false, false, false},
        {"num lock", kVkNumLock, false, false, false},
        {"letter release", 'K', true, false, false},
        {"backspace, nothing composed", kVkBack, false, false, false},
        {"enter, nothing composed", kVkReturn, false, false, false},
    };
    for (const Row& row : rows) {
        Session session;
        const KeyEvent key{row.vk, 0, row.released, row.ctrl};
        SCOPED_TRACE(keyText(key));
        EXPECT_EQ(session.Test(key).take, row.taken) << row.what;
        // Key takes exactly what Test said it would.
        RecordingSink sink;
        EXPECT_EQ(session.Key(key, sink).taken, row.taken) << row.what;
        EXPECT_EQ(session.state().inputMode, InputMode::Tibetan) << row.what;
    }
}

TEST(SessionKeys, TestChangesNothing) {
    Session session;
    RecordingSink sink;
    type(session, "ka", sink);
    const View before = session.view();
    for (unsigned vk : {kVkShift, kVkBack, kVkReturn, unsigned('K')}) {
        session.Test(press(vk));
        session.Test(release(vk));
    }
    EXPECT_EQ(session.wylie().keyCount(), 2);
    EXPECT_EQ(session.view().displayLine, before.displayLine);
    // A Shift press asked about, then released, is no tap: only keys handed to Key count.
    session.Test(press(kVkShift));
    session.Key(release(kVkShift), sink);
    EXPECT_EQ(session.state().inputMode, InputMode::Tibetan);
}

TEST(SessionKeys, BackspaceAndEnterAreTakenWhileComposingInEveryComposer) {
    for (int which = 0; which < 3; ++which) {
        Session session;
        RecordingSink sink;
        if (which == 1) {
            session.SelectLayout(LayoutId::WylieF);
        } else if (which == 2) {
            session.ToggleSoftKeyboard();
        }
        type(session, "k", sink);
        EXPECT_TRUE(session.view().composing) << which;
        EXPECT_TRUE(session.Test(press(kVkBack)).take) << which;
        EXPECT_TRUE(session.Test(press(kVkReturn)).take) << which;
        tap(session, kVkBack, sink);
        EXPECT_FALSE(session.view().composing) << which;
        EXPECT_FALSE(session.Test(press(kVkBack)).take) << which;
    }
}

TEST(SessionKeys, EnterWithNothingComposedEmptiesTheComposer) {
    Session session;
    RecordingSink sink;
    type(session, "k", sink);
    tap(session, kVkBack, sink);
    const Result r = tap(session, kVkReturn, sink);
    EXPECT_FALSE(r.taken);
    EXPECT_TRUE(sink.commits.empty());
    EXPECT_EQ(session.wylie().spaceCount(), 1);
    EXPECT_FALSE(r.view.hasContent());
}

TEST(SessionKeys, LoneShiftTapTogglesAndEnglishModeRefusesEverything) {
    Session session;
    RecordingSink sink;
    type(session, "k", sink);
    EXPECT_TRUE(session.Key(press(kVkShift), sink).taken);
    EXPECT_TRUE(session.Test(release(kVkShift)).switchesMode);
    EXPECT_FALSE(session.Test(release(kVkShift)).take);
    EXPECT_FALSE(session.Key(release(kVkShift), sink).taken);
    EXPECT_EQ(session.state().inputMode, InputMode::English);
    EXPECT_EQ(session.wylie().keyCount(), 0); // the switch throws the composition away
    for (unsigned vk : {unsigned('K'), unsigned('1'), kVkSpace, kVkBack, kVkReturn, kVkShift}) {
        EXPECT_FALSE(session.Test(press(vk)).take);
    }
    EXPECT_FALSE(session.Key(press(kVkShift), sink).taken);
    EXPECT_FALSE(session.Key(release(kVkShift), sink).taken);
    EXPECT_EQ(session.state().inputMode, InputMode::Tibetan);
    EXPECT_TRUE(sink.commits.empty());
}

TEST(SessionKeys, ShiftChordsAndStrayReleasesDoNotToggle) {
    Session session;
    RecordingSink sink;
    session.Key(press(kVkShift), sink);
    session.Key(press('S', 'S'), sink);
    session.Key(release('S'), sink);
    EXPECT_FALSE(session.Test(release(kVkShift)).switchesMode);
    // The tap is a value: handed in, the same release would switch; each key hands back the next.
    EXPECT_TRUE(session.Test(release(kVkShift), ShiftTap{true}).switchesMode);
    EXPECT_EQ(session.Test(press(kVkShift)).next, ShiftTap{true});
    EXPECT_EQ(session.Test(press('S', 'S'), ShiftTap{true}).next, ShiftTap{false});
    session.Key(release(kVkShift), sink);
    EXPECT_EQ(session.state().inputMode, InputMode::Tibetan);
    session.Key(release(kVkShift), sink);
    EXPECT_EQ(session.state().inputMode, InputMode::Tibetan);
}

TEST(SessionKeys, SoftKeyboardTakesKeysWhateverTheLayoutAndStepsPages) {
    Session session;
    RecordingSink sink;
    session.ToggleSoftKeyboard();
    type(session, "q", sink);
    EXPECT_EQ(session.soft().compositionText.str(), std::wstring{0x0F40});
    EXPECT_EQ(session.wylie().keyCount(), 0);
    EXPECT_EQ(session.view().displayLine, (std::wstring{L' ', L' ', 0x0F40}));
    tap(session, kVkHelp, sink);
    EXPECT_EQ(session.view().state.softPage, 2);
    // A key with no Tibetan label on the page composes nothing: 'f' on BZD's page 1 is U+0066.
    Session bzd;
    bzd.SelectLayout(LayoutId::Bzd);
    bzd.ToggleSoftKeyboard();
    type(bzd, "f", sink);
    EXPECT_FALSE(bzd.view().composing);
}

TEST(SessionKeys, SoftKeyboardEscapeShiftAndPaging) {
    const std::wstring ka{0x0F40};
    std::vector<std::wstring> words;
    for (int i = 0; i < 12; ++i) {
        words.push_back(ka + static_cast<wchar_t>(0x0F72 + (i % 4)) + std::to_wstring(i));
    }
    const Dictionary d = dictionaryOf(words);
    Session session(&d);
    RecordingSink sink;
    session.ToggleSoftKeyboard();
    type(session, "q", sink);
    EXPECT_EQ(session.view().candidateCount, 12u);
    // A Shift press is taken and changes nothing; the key it modifies decides.
    EXPECT_TRUE(session.Key(press(kVkShift), sink).taken);
    EXPECT_EQ(session.soft().keyCount(), 1);
    session.Key(press('Q', 'Q'), sink); // no key of the soft keyboard is named Q
    session.Key(release('Q'), sink);
    session.Key(release(kVkShift), sink);
    EXPECT_EQ(session.soft().keyCount(), 1);
    EXPECT_EQ(session.view().mode, InputMode::Tibetan);
    tap(session, kVkNext, sink);
    EXPECT_EQ(session.view().pageFirst, 6);
    EXPECT_EQ(session.view().candidates.front(), words[5]);
    tap(session, kVkNext, sink);
    tap(session, kVkNext, sink); // the last page keeps its place
    EXPECT_EQ(session.view().pageFirst, 11);
    EXPECT_EQ(session.view().candidates.size(), 2u);
    tap(session, kVkPrior, sink);
    EXPECT_EQ(session.view().pageFirst, 6);
    type(session, "2", sink);
    EXPECT_EQ(sink.commits, std::vector<std::wstring>{words[6]});
    type(session, "qq", sink);
    const Result escaped = tap(session, kVkEscape, sink);
    EXPECT_FALSE(escaped.view.composing);
    EXPECT_FALSE(escaped.view.hasContent());
    EXPECT_EQ(sink.commits.size(), 1u);
    // A lone Shift tap switches to English and keeps the soft keyboard shown.
    type(session, "q", sink);
    tap(session, kVkShift, sink);
    EXPECT_EQ(session.view().mode, InputMode::English);
    EXPECT_TRUE(session.view().state.softVisible);
    EXPECT_EQ(session.soft().keyCount(), 0);
}

TEST(SessionKeys, PageUpAndPageDownInEveryComposer) {
    // Eleven words that begin with every text the three composers make from one key.
    std::vector<std::wstring> words;
    for (int i = 0; i < 11; ++i) {
        words.push_back(std::wstring{0x0F40} + std::to_wstring(i));
    }
    const Dictionary d = dictionaryOf(words);
    struct Row {
        const char* what;
        LayoutId layout;
        bool soft;
        const char* keys;
    };
    const Row rows[] = {{"Wylie", LayoutId::Wylie, false, "k"},
                        {"Wylie-F", LayoutId::WylieF, false, "k"},
                        {"Himalaya", LayoutId::Himalaya, false, "c"},
                        {"soft keyboard", LayoutId::Wylie, true, "q"}};
    for (const Row& row : rows) {
        Session session(&d);
        RecordingSink sink;
        session.SelectLayout(row.layout);
        if (row.soft) {
            session.ToggleSoftKeyboard();
        }
        type(session, row.keys, sink);
        ASSERT_EQ(session.view().candidateCount, 11u) << row.what;
        tap(session, kVkPrior, sink); // on the first page: no effect
        EXPECT_EQ(session.view().pageFirst, 1) << row.what;
        tap(session, kVkNext, sink);
        tap(session, kVkNext, sink);
        EXPECT_EQ(session.view().pageFirst, 11) << row.what;
        tap(session, kVkPrior, sink);
        EXPECT_EQ(session.view().pageFirst, 6) << row.what;
        tap(session, kVkPrior, sink);
        EXPECT_EQ(session.view().pageFirst, 1) << row.what;
        EXPECT_EQ(session.view().candidates.front(), words[0]) << row.what;
        EXPECT_TRUE(sink.commits.empty()) << row.what;
    }
}

TEST(SessionKeys, AFailedCommitKeepsTheComposition) {
    const Dictionary d = dictionaryOf({std::wstring{0x0F40, 0x0F0B, 0x0F56}});
    struct Row {
        const char* what;
        LayoutId layout;
        bool soft;
        const char* keys;
        unsigned commitVk;
        char commitCh;
    };
    const Row rows[] = {
        {"Wylie Enter", LayoutId::Wylie, false, "ka g", kVkReturn, '\r'},
        {"Wylie second space", LayoutId::Wylie, false, "ka ", kVkSpace, ' '},
        {"Wylie comma", LayoutId::Wylie, false, "ka", kVkOemComma, ','},
        {"Wylie slash", LayoutId::Wylie, false, "ka", kVkOem2, '/'},
        {"Wylie candidate", LayoutId::Wylie, false, "ka", '1', '1'},
        {"Wylie-F Enter", LayoutId::WylieF, false, "kha", kVkReturn, '\r'},
        {"Wylie-F candidate", LayoutId::WylieF, false, "k", '1', '1'},
        {"soft keyboard Enter", LayoutId::Wylie, true, "qi", kVkReturn, '\r'},
        {"soft keyboard candidate", LayoutId::Wylie, true, "q", '1', '1'},
    };
    for (const Row& row : rows) {
        Session session(&d);
        RecordingSink sink;
        session.SelectLayout(row.layout);
        if (row.soft) {
            session.ToggleSoftKeyboard();
        }
        type(session, row.keys, sink);
        const View before = session.view();
        ASSERT_TRUE(before.composing) << row.what;
        sink.accept = false;
        Result failed = tap(session, row.commitVk, sink, row.commitCh);
        EXPECT_TRUE(failed.commitFailed) << row.what;
        EXPECT_TRUE(failed.committed.empty()) << row.what;
        EXPECT_EQ(failed.view.displayLine, before.displayLine) << row.what;
        EXPECT_EQ(failed.view.composedText, before.composedText) << row.what;
        EXPECT_EQ(failed.view.candidateCount, before.candidateCount) << row.what;
        // The user tries again, and this time the text arrives.
        sink.accept = true;
        Result again = tap(session, row.commitVk, sink, row.commitCh);
        EXPECT_FALSE(again.commitFailed) << row.what;
        ASSERT_EQ(sink.commits.size(), 1u) << row.what;
        EXPECT_FALSE(again.view.composing) << row.what;
    }
}

TEST(SessionKeys, DirectCharactersCommitAtOnceAndOnlyWhileNothingIsComposed) {
    Session session;
    RecordingSink sink;
    type(session, "1", sink);
    EXPECT_EQ(sink.commits, std::vector<std::wstring>{std::wstring{0x0F21}});
    sink.accept = false;
    Result failed = type(session, "2", sink);
    EXPECT_TRUE(failed.commitFailed);
    EXPECT_FALSE(failed.view.composing);
}

TEST(SessionKeys, TheWylieLimitBeepsAndKeepsTheComposition) {
    Session session;
    RecordingSink sink;
    // Seven closed syllables, then seven keys in the eighth.
    type(session, "ka ka ka ka ka ka ka bsgrags", sink);
    EXPECT_EQ(session.wylie().syllableIndex(), 7);
    const std::wstring before = session.view().composedText;
    Result r = type(session, "s", sink);
    EXPECT_TRUE(r.beep);
    EXPECT_EQ(r.view.composedText, before);
    r = type(session, "1", sink); // also digits and commit keys while at the limit
    EXPECT_TRUE(r.beep);
    tap(session, kVkReturn, sink);
    EXPECT_EQ(sink.commits.size(), 1u);
    EXPECT_FALSE(session.view().composing);
}

} // namespace
} // namespace revaze
