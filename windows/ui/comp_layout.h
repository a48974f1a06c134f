// Where the composition window goes and how big it is, worked out from the view alone. Portable,
// so that the rules are tested natively; the window applies the answer.
#pragma once

#include "session/view.h"

namespace revaze {

inline constexpr int kCompWidth = 275;
inline constexpr int kCompHeight = 132;
inline constexpr int kAssumedCharWidth = 8;
// A line too long for the window keeps its right edge at most this far right of the screen's
// middle, and its top this far above the screen's bottom.
inline constexpr int kLongLineRightOfMiddle = 310;
inline constexpr int kLongLineAboveBottom = 230;

enum class CompPlacement {
    Hidden,    // nothing to show (or English mode)
    NearCaret, // beside the text being typed, unless the user placed the window
    LongLine,  // a display line too long for the window: moved and widened
};

struct CompLayout {
    CompPlacement placement = CompPlacement::Hidden;
    // For LongLine: the window rectangle, from the desktop size.
    int x = 0, y = 0, width = kCompWidth, height = kCompHeight;
};

inline CompLayout layoutCompWindow(const View& view, int desktopWidth, int desktopHeight) {
    CompLayout layout;
    if (!view.hasContent()) {
        return layout;
    }
    // With candidates the window stays its size; the candidate lines end in an ellipsis.
    const int lineWidth = kAssumedCharWidth * static_cast<int>(view.displayLine.size());
    if (!view.candidates.empty() || lineWidth <= kCompWidth) {
        layout.placement = CompPlacement::NearCaret;
        return layout;
    }
    layout.placement = CompPlacement::LongLine;
    layout.width = lineWidth;
    layout.y = desktopHeight - kLongLineAboveBottom;
    layout.x = lineWidth <= kLongLineRightOfMiddle
                   ? desktopWidth / 2
                   : desktopWidth / 2 - lineWidth + kLongLineRightOfMiddle;
    return layout;
}

} // namespace revaze
