// What the composition window paints, worked out without Windows: the choice of the composer,
// its display line and candidate page, and where the window goes.
#pragma once

#include <string>

#include "session/ime_parts.h"

namespace revaze {

inline constexpr int kCompWidth = 275;
inline constexpr int kCompHeight = 132;
inline constexpr int kAssumedCharWidth = 8;

enum class CompPlacement {
    Nothing,   // English mode: nothing is drawn and nothing moves
    NearCaret, // follow the caret (unless the user placed the window)
    LongLine,  // a display line too long for the window: moved and widened
    Hidden,    // nothing to show: the window is hidden
};

struct CompPaint {
    ActiveComposer source = ActiveComposer::Wylie;
    CompPlacement placement = CompPlacement::Nothing;
    std::wstring displayLine;
    bool hasCandidates = false;
    std::wstring candidatePageText; // "\n  1: ...", only when there are candidates
    // For LongLine: the window rectangle, from the desktop size.
    int x = 0, y = 0, width = kCompWidth, height = kCompHeight;
};

// Runs the paint logic: refreshes the source's display line (and candidate page) and decides
// the placement. `desktopWidth` and `desktopHeight` are the desktop window's size.
CompPaint PrepareCompPaint(ImeParts& ime, int desktopWidth, int desktopHeight);

} // namespace revaze
