#include <gtest/gtest.h>

#include "session/test_support.h"

namespace revaze {
namespace {

using test::dictionaryOf;
using test::RecordingSink;
using test::tap;
using test::type;

TEST(SessionActions, ANewSessionStartsInTibetanWylieWithTheSoftKeyboardHidden) {
    Session session;
    const View& v = session.view();
    EXPECT_EQ(v.mode, InputMode::Tibetan);
    EXPECT_EQ(v.state.layoutId, LayoutId::Wylie);
    EXPECT_EQ(v.state.layoutIndex(), 7);
    EXPECT_FALSE(v.state.softVisible);
    EXPECT_EQ(v.state.softPage, 1);
    EXPECT_FALSE(v.hasContent());
    EXPECT_EQ(session.state().activeComposer(), ActiveComposer::Wylie);
}

TEST(SessionActions, EveryLayoutSetsBothIndexesAndKeepsTheCompositions) {
    struct Row {
        LayoutId id;
        int index;
    };
    const Row rows[] = {{LayoutId::Wylie, 7},    {LayoutId::WylieF, 1},    {LayoutId::Himalaya, 0},
                        {LayoutId::Dzongkha, 2}, {LayoutId::Sambhota1, 3}, {LayoutId::Sambhota2, 4},
                        {LayoutId::Monlam, 5},   {LayoutId::Bzd, 6}};
    for (const Row& row : rows) {
        Session session;
        RecordingSink sink;
        type(session, "k", sink); // into the Wylie composer
        Result r = session.SelectLayout(row.id);
        EXPECT_EQ(r.view.state.layoutId, row.id);
        EXPECT_EQ(r.view.state.layoutIndex(), row.index);
        EXPECT_EQ(session.wylie().keyCount(), 1);
        // The Wylie composition shows again once Wylie is current again.
        EXPECT_EQ(r.view.composing, row.id == LayoutId::Wylie);
        EXPECT_TRUE(session.SelectLayout(LayoutId::Wylie).view.composing);
    }
    Session session;
    session.SelectLayout(static_cast<LayoutId>(40)); // no such layout
    EXPECT_EQ(session.view().state.layoutId, LayoutId::Wylie);
}

TEST(SessionActions, ALayoutSwitchMidCompositionUsesTheNewTablesForLaterKeys) {
    Session session;
    RecordingSink sink;
    session.SelectLayout(LayoutId::WylieF);
    type(session, "k", sink);
    session.SelectLayout(LayoutId::Himalaya);
    type(session, "c", sink); // Himalaya's c is U+0F40
    tap(session, kVkReturn, sink);
    EXPECT_EQ(sink.commits, (std::vector<std::wstring>{std::wstring{0x0F40, 0x0F40}}));
}

TEST(SessionActions, SoftKeyboardButtonResetsAllComposersBothWays) {
    Session session;
    RecordingSink sink;
    type(session, "k", sink);
    Result shown = session.ToggleSoftKeyboard();
    EXPECT_TRUE(shown.view.state.softVisible);
    EXPECT_EQ(session.wylie().keyCount(), 0);
    type(session, "q", sink);
    Result hidden = session.ToggleSoftKeyboard();
    EXPECT_FALSE(hidden.view.state.softVisible);
    EXPECT_EQ(session.soft().keyCount(), 0);
    EXPECT_FALSE(hidden.view.hasContent());
    EXPECT_TRUE(sink.commits.empty());
    // Whatever page it was closed on or given while closed, it opens on page 1.
    session.ShowSoftPage(3);
    EXPECT_EQ(session.ToggleSoftKeyboard().view.state.softPage, 1);
    session.ShowSoftPage(4);
    session.ToggleSoftKeyboard();
    EXPECT_EQ(session.ToggleSoftKeyboard().view.state.softPage, 1);
}

TEST(SessionActions, ModeSwitchesResetAndEnglishShowsNothing) {
    Session session;
    RecordingSink sink;
    session.SelectLayout(LayoutId::WylieF);
    type(session, "k", sink);
    Result english = session.ToggleInputMode();
    EXPECT_EQ(english.view.mode, InputMode::English);
    EXPECT_EQ(session.layout().keyCount(), 0);
    EXPECT_FALSE(english.view.hasContent());
    EXPECT_TRUE(english.view.candidates.empty());
    EXPECT_EQ(session.ToggleInputMode().view.mode, InputMode::Tibetan);
}

TEST(SessionActions, SoftPagesOutsideOneToFiveAreIgnoredAndTheStarKeySkipsDzongkhasFifth) {
    Session session;
    for (int page : {0, 6, -1}) {
        EXPECT_EQ(session.ShowSoftPage(page).view.state.softPage, 1);
    }
    EXPECT_EQ(session.ShowSoftPage(5).view.state.softPage, 5);
    RecordingSink sink;
    session.SelectLayout(LayoutId::Dzongkha);
    session.ToggleSoftKeyboard();
    session.ShowSoftPage(4);
    EXPECT_EQ(tap(session, kVkHelp, sink).view.state.softPage, 1);
}

TEST(SessionActions, CandidatesAreSelectedAndPagedByCall) {
    std::vector<std::wstring> words;
    for (int i = 0; i < 7; ++i) {
        words.push_back(std::wstring{0x0F40} + std::to_wstring(i));
    }
    const Dictionary d = dictionaryOf(words);
    Session session(&d);
    RecordingSink sink;
    type(session, "k", sink);
    EXPECT_EQ(session.NextPage().view.pageFirst, 6);
    // Numbers beyond the shown page choose nothing.
    EXPECT_TRUE(session.SelectCandidate(3, sink).committed.empty());
    EXPECT_TRUE(session.SelectCandidate(0, sink).committed.empty());
    EXPECT_EQ(session.PrevPage().view.pageFirst, 1);
    Result chosen = session.SelectCandidate(3, sink);
    EXPECT_EQ(chosen.committed, words[2]);
    EXPECT_FALSE(chosen.view.composing);
}

TEST(SessionActions, CompleteCommitsWhatIsComposedInEveryComposer) {
    struct Row {
        const char* what;
        LayoutId layout;
        bool soft;
        const char* keys;
        std::wstring committed;
    };
    const Row rows[] = {
        {"Wylie", LayoutId::Wylie, false, "bkra shis",
         std::wstring{0x0F56, 0x0F40, 0x0FB2, 0x0F0B, 0x0F64, 0x0F72, 0x0F66}},
        {"Wylie-F", LayoutId::WylieF, false, "kha", std::wstring{0x0F41}},
        {"soft keyboard", LayoutId::Wylie, true, "q", std::wstring{0x0F40}},
    };
    for (const Row& row : rows) {
        Session session;
        RecordingSink sink;
        session.SelectLayout(row.layout);
        if (row.soft) {
            session.ToggleSoftKeyboard();
        }
        type(session, row.keys, sink);
        Result r = session.Complete(sink);
        EXPECT_EQ(r.committed, row.committed) << row.what;
        EXPECT_EQ(sink.commits, std::vector<std::wstring>{row.committed}) << row.what;
        EXPECT_FALSE(r.view.composing) << row.what;
        EXPECT_FALSE(r.view.hasContent()) << row.what;
        // Nothing composed: nothing to commit.
        EXPECT_TRUE(session.Complete(sink).committed.empty()) << row.what;
        EXPECT_EQ(sink.attempts, 1) << row.what;
    }
}

TEST(SessionActions, CompleteThatDoesNotArriveKeepsTheCompositionAndCancelDropsIt) {
    Session session;
    RecordingSink sink;
    type(session, "ka", sink);
    sink.accept = false;
    Result failed = session.Complete(sink);
    EXPECT_TRUE(failed.commitFailed);
    EXPECT_TRUE(failed.view.composing);
    Result cancelled = session.Cancel();
    EXPECT_FALSE(cancelled.view.composing);
    EXPECT_FALSE(cancelled.view.hasContent());
    EXPECT_EQ(sink.attempts, 1);
}

} // namespace
} // namespace revaze
