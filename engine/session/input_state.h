// The five values every key, paint and soft-keyboard page depends on, and the table that ties
// each keyboard layout to its identifier and table index.
#pragma once

#include <array>
#include <string_view>

namespace revaze {

inline constexpr int kModeTibetan = 1;
inline constexpr int kModeEnglish = 3;
inline constexpr int kWylieLayoutId = 6;
inline constexpr int kDzongkhaLayoutId = 20;

struct LayoutInfo {
    int layoutId;          // also the menu command and menu item identifier
    int layoutIndex;       // row of the layout tables and of the soft keyboard's label tables
    std::string_view name; // as the user knows it ("Wylie-F")
    int badgeRow;          // row of the layout badge in the status window's bitmap
};

// In the order of the layout menu. The identifiers are not consecutive and the indexes do not
// follow the menu: index 0 is Himalaya, index 7 is Wylie.
inline constexpr std::array<LayoutInfo, 8> kLayouts{{
    {6, 7, "Wylie", 0},
    {8, 1, "Wylie-F", 1},
    {10, 0, "Himalaya", 2},
    {20, 2, "Dzongkha", 3},
    {30, 3, "Sambhota-1", 4},
    {50, 4, "Sambhota-2", 5},
    {60, 5, "Monlam", 6},
    {70, 6, "BZD", 7},
}};

constexpr const LayoutInfo* findLayoutById(int layoutId) {
    for (const LayoutInfo& layout : kLayouts) {
        if (layout.layoutId == layoutId) {
            return &layout;
        }
    }
    return nullptr;
}

constexpr const LayoutInfo* findLayoutByName(std::string_view name) {
    for (const LayoutInfo& layout : kLayouts) {
        if (layout.name == name) {
            return &layout;
        }
    }
    return nullptr;
}

enum class ActiveComposer { Wylie, Layout, SoftKey };

struct InputState {
    int inputMode = kModeTibetan; // 1 Tibetan, 3 English
    int layoutId = kWylieLayoutId;
    int layoutIndex = 7;
    int softVisible = 0; // 1 while the soft keyboard is shown
    int softPage = 1;    // 1..5

    // The shown soft keyboard takes every key, whatever the layout; then Wylie has its own
    // composer and the seven other layouts share one.
    ActiveComposer activeComposer() const {
        if (softVisible != 0) {
            return ActiveComposer::SoftKey;
        }
        return layoutId == kWylieLayoutId ? ActiveComposer::Wylie : ActiveComposer::Layout;
    }
};

} // namespace revaze
