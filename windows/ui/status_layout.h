// The status window's five buttons: one table, at 96 DPI, that the painting and the hit test
// both read, scaled to the window's DPI. Portable, so that it is tested natively.
#pragma once

#include "ui/dpi_scale.h"

namespace revaze {

// The status window's buttons; None for the gaps between them and for points off the window.
enum StatusButton : int {
    kStatusNone = 0,
    kStatusLogo = 1,
    kStatusMode = 2,
    kStatusSoftKeyboard = 3,
    kStatusLayout = 4,
    kStatusMenu = 5,
};

inline constexpr int kStatusWidth = 132;
inline constexpr int kStatusCell = 28; // every picture cell is 28 x 28

struct StatusButtonCell {
    StatusButton button;
    // The cell copied from the strip, at the same x in the window and in the strip. The cells
    // overlap and are drawn in table order, so each picture shows in what the next leaves.
    int cellX;
    // The button answers strictly between these two x: the dividers belong to no button.
    int hitLeft;
    int hitRight;
};

inline constexpr StatusButtonCell kStatusButtons[5] = {
    {kStatusLogo, 0, 0, 26},      {kStatusMode, 28, 26, 53},    {kStatusSoftKeyboard, 53, 53, 79},
    {kStatusLayout, 79, 79, 106}, {kStatusMenu, 106, 106, 132},
};

// The cell of `button` at `dpi`, in the window and in a strip drawn for that DPI.
constexpr ScaledSpan statusCellAt(const StatusButtonCell& button, int dpi) {
    return scaleSpan(button.cellX, kStatusCell, dpi);
}

// The button at client x of a window at `dpi`.
constexpr int statusButtonAt(int x, int dpi = kBaseDpi) {
    for (const StatusButtonCell& cell : kStatusButtons) {
        if (x > scaleToDpi(cell.hitLeft, dpi) && x < scaleToDpi(cell.hitRight, dpi)) {
            return cell.button;
        }
    }
    return kStatusNone;
}

} // namespace revaze
