#include "tsf/lang_bar_menu.h"

#include <gtest/gtest.h>

namespace revaze::tsf {
namespace {

View viewWith(LayoutId layout, bool softVisible, InputMode mode) {
    View view;
    view.state.layoutId = layout;
    view.state.softVisible = softVisible;
    view.mode = mode;
    return view;
}

TEST(LanguageBarMenu, ListsTheLayoutsInMenuOrderWithTheCurrentOneChecked) {
    const auto layouts = allLayouts();
    for (const Layout& current : layouts) {
        const auto menu = LanguageBarMenu(viewWith(current.id, false, InputMode::Tibetan));
        ASSERT_EQ(menu.size(), layouts.size() + 5) << current.name;
        for (std::size_t i = 0; i < layouts.size(); ++i) {
            const MenuEntry& entry = menu[i];
            EXPECT_EQ(entry.id, static_cast<unsigned>(layouts[i].id));
            EXPECT_EQ(entry.text, std::wstring(layoutMenuText(layouts[i], current.id)));
            EXPECT_TRUE(entry.radio);
            EXPECT_EQ(entry.checked, layouts[i].id == current.id) << layouts[i].name;
            EXPECT_FALSE(entry.separator);
        }
        EXPECT_TRUE(menu[layouts.size()].separator);
        EXPECT_TRUE(menu[layouts.size() + 3].separator);
        EXPECT_EQ(menu.back().id, kSettingsCommand);
    }
}

TEST(LanguageBarMenu, SoftKeyboardAndEnglishEntriesFollowTheView) {
    struct Case {
        bool soft;
        InputMode mode;
    };
    for (const Case c : {Case{false, InputMode::Tibetan}, Case{true, InputMode::Tibetan},
                         Case{false, InputMode::English}, Case{true, InputMode::English}}) {
        const auto menu = LanguageBarMenu(viewWith(LayoutId::Monlam, c.soft, c.mode));
        const MenuEntry& soft = menu[allLayouts().size() + 1];
        const MenuEntry& english = menu[allLayouts().size() + 2];
        EXPECT_EQ(soft.id, kSoftKeyboardCommand);
        EXPECT_EQ(soft.checked, c.soft);
        EXPECT_FALSE(soft.radio);
        EXPECT_EQ(english.id, kEnglishModeCommand);
        EXPECT_EQ(english.checked, c.mode == InputMode::English);
    }
}

TEST(LanguageBarMenu, EveryEntryLeadsBackToItsAction) {
    for (const MenuEntry& entry :
         LanguageBarMenu(viewWith(LayoutId::Wylie, false, InputMode::Tibetan))) {
        if (entry.separator) {
            continue;
        }
        const MenuAction action = ActionOfCommand(entry.id);
        if (entry.radio) {
            ASSERT_EQ(action.kind, MenuAction::Kind::Layout);
            EXPECT_EQ(static_cast<unsigned>(action.layout), entry.id);
        } else {
            EXPECT_NE(action.kind, MenuAction::Kind::None);
        }
    }
    EXPECT_EQ(ActionOfCommand(kSoftKeyboardCommand).kind, MenuAction::Kind::SoftKeyboard);
    EXPECT_EQ(ActionOfCommand(kEnglishModeCommand).kind, MenuAction::Kind::EnglishMode);
    EXPECT_EQ(ActionOfCommand(kSettingsCommand).kind, MenuAction::Kind::Settings);
    for (unsigned stray : {0u, 7u, 9u, 1000u, 1003u}) {
        EXPECT_EQ(ActionOfCommand(stray).kind, MenuAction::Kind::None) << stray;
    }
}

TEST(LanguageBarMenu, ModeButtonNamesTheLanguageTyped) {
    EXPECT_EQ(ModeButtonText(InputMode::Tibetan), L"Tibetan");
    EXPECT_EQ(ModeButtonText(InputMode::English), L"English");
}

} // namespace
} // namespace revaze::tsf
