#include "tsf/lang_bar_menu.h"

namespace revaze::tsf {

std::vector<MenuEntry> LanguageBarMenu(const View& view) {
    std::vector<MenuEntry> menu;
    for (const Layout& layout : allLayouts()) {
        MenuEntry entry;
        entry.id = static_cast<unsigned>(layout.id);
        entry.text = std::wstring(layoutMenuText(layout, view.state.layoutId));
        entry.checked = layout.id == view.state.layoutId;
        entry.radio = true;
        menu.push_back(entry);
    }
    MenuEntry separator;
    separator.separator = true;
    menu.push_back(separator);
    MenuEntry soft;
    soft.id = kSoftKeyboardCommand;
    soft.text = L"Soft keyboard";
    soft.checked = view.state.softVisible;
    menu.push_back(soft);
    MenuEntry english;
    english.id = kEnglishModeCommand;
    english.text = L"English (Shift)";
    english.checked = view.mode == InputMode::English;
    menu.push_back(english);
    menu.push_back(separator);
    MenuEntry settings;
    settings.id = kSettingsCommand;
    settings.text = L"Settings\u3010\u8BBE\u7F6E\u3011";
    menu.push_back(settings);
    return menu;
}

MenuAction ActionOfCommand(unsigned id) {
    MenuAction action;
    if (id == kSoftKeyboardCommand) {
        action.kind = MenuAction::Kind::SoftKeyboard;
    } else if (id == kEnglishModeCommand) {
        action.kind = MenuAction::Kind::EnglishMode;
    } else if (id == kSettingsCommand) {
        action.kind = MenuAction::Kind::Settings;
    } else if (const Layout* layout = findLayoutById(static_cast<int>(id))) {
        action.kind = MenuAction::Kind::Layout;
        action.layout = layout->id;
    }
    return action;
}

std::wstring ModeButtonText(InputMode mode) {
    return mode == InputMode::Tibetan ? L"Tibetan" : L"English";
}

} // namespace revaze::tsf
