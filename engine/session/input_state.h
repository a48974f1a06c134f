// The values every key and every view depends on: the input mode, the current layout and the
// soft keyboard's visibility and page.
#pragma once

#include "layouts/layouts.h"

namespace revaze {

// Tibetan input, or English: every key goes to the application untouched.
enum class InputMode : int { Tibetan = 1, English = 3 };

// Which composer the keys and the composition window belong to.
enum class ActiveComposer { Wylie, Ewts, Layout, SoftKey };

inline constexpr int kFirstSoftPage = 1;
inline constexpr int kLastSoftPage = 5;

struct InputState {
    InputMode inputMode = InputMode::Tibetan;
    LayoutId layoutId = LayoutId::Wylie;
    bool softVisible = false;
    int softPage = kFirstSoftPage; // 1..5

    bool operator==(const InputState&) const = default;

    // The row of the layout tables and of the soft keyboard's labels for the current layout.
    int layoutIndex() const {
        const Layout* layout = findLayout(layoutId);
        return layout != nullptr ? layout->index : kWylie;
    }

    // The shown soft keyboard takes every key, whatever the layout; then Wylie and EWTS have
    // their own composers and the seven table layouts share one.
    ActiveComposer activeComposer() const {
        if (softVisible) {
            return ActiveComposer::SoftKey;
        }
        switch (layoutId) {
        case LayoutId::Wylie:
            return ActiveComposer::Wylie;
        case LayoutId::Ewts:
            return ActiveComposer::Ewts;
        default:
            return ActiveComposer::Layout;
        }
    }
};

} // namespace revaze
