// The menu the language bar shows for Revaze (the layout button's menu, and the menu of the mode
// button on the taskbar's input indicator), worked out from the view alone: portable, so that it
// is tested natively. The buttons turn it into ITfMenu items or a popup menu.
#pragma once

#include <string>
#include <vector>

#include "layouts/layouts.h"
#include "session/view.h"

namespace revaze::tsf {

// Menu command identifiers: a layout's is its LayoutId value; these three are the others.
inline constexpr unsigned kSoftKeyboardCommand = 1001;
inline constexpr unsigned kEnglishModeCommand = 1002;
inline constexpr unsigned kSettingsCommand = 1004;

struct MenuEntry {
    unsigned id = 0;
    std::wstring text;
    bool checked = false;
    bool radio = false; // one of a group of which exactly one is checked
    bool separator = false;
};

// The nine layouts in the status window's order with the current one checked, a separator, the
// soft keyboard (checked while shown) and English mode (checked in English mode), a separator
// and the settings window.
std::vector<MenuEntry> LanguageBarMenu(const View& view);

// What a chosen command asks of the session.
struct MenuAction {
    enum class Kind { None, Layout, SoftKeyboard, EnglishMode, Settings };
    Kind kind = Kind::None;
    LayoutId layout = LayoutId::Wylie;
};
MenuAction ActionOfCommand(unsigned id);

// The mode button's text: the language the keys type in.
std::wstring ModeButtonText(InputMode mode);

} // namespace revaze::tsf
