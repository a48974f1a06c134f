#include "tsf/candidate_element_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "session/test_support.h"

namespace revaze::tsf {
namespace {

using test::RecordingSink;

// Twelve words under KA (three pages: 5, 5, 2) and three under KHA.
std::vector<std::wstring> words() {
    std::vector<std::wstring> all;
    for (int i = 0; i < 12; ++i) {
        all.push_back(L"\u0F40" + std::to_wstring(i));
    }
    for (int i = 0; i < 3; ++i) {
        all.push_back(L"\u0F41" + std::to_wstring(i));
    }
    return all;
}

// The element's side of an application's SetSelection, then the page turns the service makes
// for it; the view they leave.
View select(Session& session, CandidateElementModel& model, unsigned index) {
    if (!model.Select(index)) {
        return session.view();
    }
    View view = session.view();
    for (int turns = model.choice().pageTurns; turns != 0; turns += turns > 0 ? -1 : 1) {
        view = turns > 0 ? session.NextPage().view : session.PrevPage().view;
    }
    return view;
}

TEST(CandidateElementModel, FollowsTheSessionsCandidatesPagesAndTheApplicationsSelection) {
    const Dictionary d = test::dictionaryOf(words());
    Session session(&d);
    RecordingSink sink;
    CandidateElementModel model;
    struct Expected {
        unsigned count, pages, page, selection, changed;
        CandidateChoice choice;
    };
    struct Row {
        const char* what;
        std::function<View()> act;
        Expected want;
    };
    const unsigned kNewList = kChangedCount | kChangedPageIndex | kChangedStrings;
    const Row rows[] = {
        {"the first candidates",
         [&] { return test::type(session, "k", sink).view; },
         {12, 3, 0, 0, kChangedAll, {0, 1}}},
        {"the same view again", [&] { return session.view(); }, {12, 3, 0, 0, 0, {0, 1}}},
        {"the page key",
         [&] { return test::type(session, "=", sink).view; },
         {12, 3, 1, 5, kChangedCurrentPage | kChangedSelection, {0, 1}}},
        {"a selection on the page",
         [&] { return select(session, model, 7); },
         {12, 3, 1, 7, kChangedSelection, {0, 3}}},
        {"a selection two pages on",
         [&] { return select(session, model, 11); },
         {12, 3, 2, 11, kChangedSelection | kChangedCurrentPage, {0, 2}}},
        {"past the last: nothing moves",
         [&] { return select(session, model, 12); },
         {12, 3, 2, 11, 0, {0, 2}}},
        {"a selection two pages back",
         [&] { return select(session, model, 2); },
         {12, 3, 0, 2, kChangedSelection | kChangedCurrentPage, {0, 3}}},
        {"other candidates",
         [&] { return test::type(session, "h", sink).view; },
         {3, 1, 0, 0, kNewList | kChangedSelection, {0, 1}}},
        {"Escape",
         [&] { return test::tap(session, kVkEscape, sink).view; },
         {0, 0, 0, 0, kNewList, {0, 1}}},
        {"typing again",
         [&] { return test::type(session, "k", sink).view; },
         {12, 3, 0, 0, kNewList, {0, 1}}},
        {"English mode shows none",
         [&] { return session.ToggleInputMode().view; },
         {0, 0, 0, 0, kNewList, {0, 1}}},
        {"back in Tibetan, nothing composed",
         [&] { return session.ToggleInputMode().view; },
         {0, 0, 0, 0, 0, {0, 1}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const View view = row.act();
        const Expected& want = row.want;
        EXPECT_EQ(model.Follow(view), want.changed);
        EXPECT_EQ(model.count(), want.count);
        EXPECT_EQ(model.pageCount(), want.pages);
        EXPECT_EQ(model.currentPage(), want.page);
        EXPECT_EQ(model.selection(), want.selection);
        EXPECT_EQ(model.choice(), want.choice);
        EXPECT_EQ(model.pageStarts().size(), want.pages);
        for (unsigned i = 0; i < want.count; ++i) {
            EXPECT_EQ(model.string(i), view.candidateList[i]);
        }
        EXPECT_FALSE(model.string(want.count));
    }
    EXPECT_EQ(CandidateElementModel().pageStarts(), std::vector<unsigned>{});
    test::type(session, "k", sink);
    model.Follow(session.view());
    EXPECT_EQ(model.pageStarts(), (std::vector<unsigned>{0, 5, 10}));
}

// What Finalize commits: the candidate the application selected, wherever its page.
TEST(CandidateElementModel, TheChoiceCommitsTheSelectedCandidate) {
    const std::vector<std::wstring> all = words();
    const Dictionary d = test::dictionaryOf(all);
    for (unsigned index : {0u, 4u, 5u, 9u, 11u}) {
        Session session(&d);
        RecordingSink sink;
        CandidateElementModel model;
        test::type(session, "k=", sink);
        model.Follow(session.view());
        model.Follow(select(session, model, index));
        const Result chosen = session.SelectCandidate(model.choice().number, sink);
        EXPECT_EQ(chosen.committed, all[index]) << index;
        EXPECT_EQ(model.Follow(chosen.view) & kChangedCount, kChangedCount) << index;
        EXPECT_EQ(model.count(), 0u);
    }
}

} // namespace
} // namespace revaze::tsf
