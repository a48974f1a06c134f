// Geometry is written once, in pixels at 96 DPI; a window on a monitor of another scale turns it
// into its own pixels here. Portable, so that the rounding is tested natively.
#pragma once

namespace revaze {

inline constexpr int kBaseDpi = 96;

// What a lookup answered, made usable: nothing (0) or nonsense counts as 96.
constexpr int usableDpi(int dpi) {
    return dpi >= 48 && dpi <= 1920 ? dpi : kBaseDpi;
}

// A coordinate or length at `dpi`: value * dpi / 96 to the nearest pixel, halves away from zero.
constexpr int scaleToDpi(int value, int dpi) {
    const long long product = static_cast<long long>(value) * dpi;
    return static_cast<int>(product >= 0 ? (product + kBaseDpi / 2) / kBaseDpi
                                         : -((-product + kBaseDpi / 2) / kBaseDpi));
}

// A stretch [start, start + length) at `dpi`. Both edges are scaled, not the start and the
// length, so that stretches that touch at 96 DPI touch at every DPI: no column is lost between
// two soft keys or two status buttons, and none is drawn twice.
struct ScaledSpan {
    int start;
    int length;
    constexpr int end() const { return start + length; }
};

constexpr ScaledSpan scaleSpan(int start, int length, int dpi) {
    const int first = scaleToDpi(start, dpi);
    return {first, scaleToDpi(start + length, dpi) - first};
}

// The scales the window bitmaps are drawn at (windows/resources/make_ui_bitmaps.py and
// make_skin.py), as the DPI each is drawn for.
inline constexpr int kBitmapDpis[] = {96, 120, 144, 192};

// The bitmap a window at `dpi` draws from: its own scale when there is one, else the next one
// up (shrunk a little), else the largest.
constexpr int bitmapDpiFor(int dpi) {
    for (int drawn : kBitmapDpis) {
        if (drawn >= dpi) {
            return drawn;
        }
    }
    return kBitmapDpis[sizeof kBitmapDpis / sizeof kBitmapDpis[0] - 1];
}

// Resource identifiers of a bitmap drawn for `bitmapDpi`: the 96-DPI identifier itself, else
// bitmapDpi * 100 + the last two digits of it (bitmap 103 at 144 DPI is 14403).
constexpr int scaledBitmapId(int id, int bitmapDpi) {
    return bitmapDpi == kBaseDpi ? id : bitmapDpi * 100 + id % 100;
}

} // namespace revaze
