#include "session/state_actions.h"

#include <gtest/gtest.h>

#include "session/test_ime.h"

namespace revaze {
namespace {

TEST(StateActions, NewEngineStartsInTibetanWylieWithTheSoftKeyboardHidden) {
    TestIme ime;
    EXPECT_EQ(ime.state.inputMode, 1);
    EXPECT_EQ(ime.state.layoutId, 6);
    EXPECT_EQ(ime.state.layoutIndex, 7);
    EXPECT_EQ(ime.state.softVisible, 0);
    EXPECT_EQ(ime.state.softPage, 1);
    EXPECT_EQ(ime.state.activeComposer(), ActiveComposer::Wylie);
}

TEST(StateActions, EveryLayoutCommandSetsBothIndexesAndKeepsTheComposition) {
    struct Row {
        int id;
        int index;
    };
    const Row rows[] = {{6, 7}, {8, 1}, {10, 0}, {20, 2}, {30, 3}, {50, 4}, {60, 5}, {70, 6}};
    for (const Row& row : rows) {
        TestIme ime;
        ime.wylie.AddKey('k');
        ime.layout.AddKey('q');
        EXPECT_TRUE(SelectLayout(ime.parts(), row.id));
        EXPECT_EQ(ime.state.layoutId, row.id);
        EXPECT_EQ(ime.state.layoutIndex, row.index);
        EXPECT_EQ(ime.layout.layoutIndex, row.index);
        EXPECT_EQ(ime.wylie.keyCount(), 1);
        EXPECT_EQ(ime.state.activeComposer(),
                  row.id == 6 ? ActiveComposer::Wylie : ActiveComposer::Layout);
    }
    TestIme ime;
    EXPECT_FALSE(SelectLayout(ime.parts(), 40));
    EXPECT_EQ(ime.state.layoutId, 6);
    EXPECT_TRUE(ime.host.calls.empty());
}

TEST(StateActions, LayoutSwitchReloadsSoftLabelsOnlyWhileShown) {
    TestIme ime;
    SelectLayout(ime.parts(), 60);
    EXPECT_EQ(ime.host.softLabelReloads, 0);
    SoftKeyboardButtonReleased(ime.parts());
    SelectLayout(ime.parts(), 20);
    EXPECT_EQ(ime.host.softLabelReloads, 1);
    EXPECT_EQ(ime.state.softPage, 1);
    EXPECT_EQ(ime.state.activeComposer(), ActiveComposer::SoftKey);
}

TEST(StateActions, SoftKeyboardButtonResetsAllComposersBothWays) {
    TestIme ime;
    ime.wylie.AddKey('k');
    SoftKeyboardButtonReleased(ime.parts());
    EXPECT_EQ(ime.state.softVisible, 1);
    EXPECT_TRUE(ime.host.softKeyboardVisible);
    EXPECT_EQ(ime.wylie.keyCount(), 0);
    ime.soft.AddKey('q', 0x0F40);
    SoftKeyboardButtonReleased(ime.parts());
    EXPECT_EQ(ime.state.softVisible, 0);
    EXPECT_FALSE(ime.host.softKeyboardVisible);
    EXPECT_EQ(ime.soft.keyCount, 0);
    EXPECT_FALSE(ime.host.compVisible);
}

TEST(StateActions, ModeSwitchesResetAndHide) {
    TestIme ime;
    ime.layout.AddKey('q');
    ime.host.compVisible = true;
    ToggleInputMode(ime.parts());
    EXPECT_EQ(ime.state.inputMode, kModeEnglish);
    EXPECT_EQ(ime.layout.keyCount, 0);
    EXPECT_FALSE(ime.host.compVisible);
    ModeButtonReleased(ime.parts());
    EXPECT_EQ(ime.state.inputMode, kModeTibetan);
    ime.state.inputMode = 7; // anything but Tibetan becomes Tibetan
    ToggleInputMode(ime.parts());
    EXPECT_EQ(ime.state.inputMode, kModeTibetan);
}

TEST(StateActions, SoftPagesOutsideOneToFiveAreIgnored) {
    TestIme ime;
    for (int page : {0, 6, -1}) {
        ShowSoftPage(ime.parts(), page);
        EXPECT_EQ(ime.state.softPage, 1);
    }
    ShowSoftPage(ime.parts(), 5);
    EXPECT_EQ(ime.state.softPage, 5);
}

} // namespace
} // namespace revaze
