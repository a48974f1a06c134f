// The nine keyboard layouts, one row each: the identifier the menu and the status window use,
// the index of its tables and soft-keyboard labels, its name, its menu text, its badge and its
// tables.
#pragma once

#include <span>
#include <string_view>

#include "layouts/layout_tables.h"

namespace revaze {

// A layout's identifier: also its menu command and menu item identifier. Not consecutive.
enum class LayoutId : int {
    Wylie = 6,
    WylieF = 8,
    Himalaya = 10,
    Dzongkha = 20,
    Sambhota1 = 30,
    Sambhota2 = 50,
    Monlam = 60,
    Bzd = 70,
    Ewts = 80,
};

struct Layout {
    LayoutId id;
    // Row of the layout tables and of the soft keyboard's label tables. EWTS has none of its
    // own: it shares Wylie's (key set and soft keyboard pages).
    int index;
    std::string_view name; // as the user knows it ("Wylie-F")
    // The layout menu's item: English, Chinese and Tibetan names. BZD's reads differently while
    // Wylie is current (menuTextUnderWylie; empty for the others).
    std::wstring_view menuText;
    std::wstring_view menuTextUnderWylie;
    int badgeRow; // row of the layout's badge in the status window's bitmap
    LayoutTables tables;
};

// The nine layouts in the order of the layout menu. Index 0 is Himalaya, index 7 is Wylie (and
// EWTS).
std::span<const Layout> allLayouts();

const Layout* findLayout(LayoutId id);
// For identifiers that arrive as numbers (menu commands): null for any other number.
const Layout* findLayoutById(int id);
const Layout* findLayoutByName(std::string_view name);
// The first layout of the menu with that index (Wylie for kWylie).
const Layout* findLayoutByIndex(int index);

// The text of `layout`'s menu item while `current` is the current layout.
std::wstring_view layoutMenuText(const Layout& layout, LayoutId current);

} // namespace revaze
