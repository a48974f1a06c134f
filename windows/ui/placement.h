// Where a window goes on a desktop of one or more monitors, worked out from rectangles alone.
// Portable, so that the rules are tested natively from a table; the windows gather the monitors
// (EnumDisplayMonitors) and move themselves to the answer. Sizes are the window's own: whoever
// scales the window scales them, placement takes them as they come.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

namespace revaze {

// Screen coordinates: right and bottom are outside. Monitors left of or above the primary have
// negative coordinates.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    int x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// A monitor and its work area (the monitor less the taskbar and docked bars).
struct MonitorArea {
    ScreenRect monitor;
    ScreenRect work;
};

// Where the text being typed is, and how the window keeps clear of it: its left edge `offsetX`
// right of the text's left, `gap` pixels below the text (or above it).
struct TextAnchor {
    ScreenRect text; // a caret is a text rectangle too, however narrow
    int offsetX = 0;
    int gap = 0;
};

namespace placement_detail {

inline std::int64_t overlap(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between two rectangles; 0 when they touch or overlap.
inline std::int64_t distance(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t dx = std::max({0, b.left - a.right, a.left - b.right});
    const std::int64_t dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

// `low` wins over `high` when the room between them is too small: a window larger than the
// work area keeps its top-left corner (the start of its text) on the screen.
inline int clampEdge(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

} // namespace placement_detail

// The monitor that holds most of `r` (a caret or a point counts as one pixel), else the one
// nearest to it, the first of equals; -1 when there is no monitor.
inline int MonitorHolding(std::span<const MonitorArea> monitors, const ScreenRect& r) {
    using namespace placement_detail;
    const ScreenRect probe{r.left, r.top, std::max(r.right, r.left + 1),
                           std::max(r.bottom, r.top + 1)};
    int best = -1;
    std::int64_t bestOverlap = 0;
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
        const std::int64_t o = overlap(probe, monitors[i].monitor);
        if (o > bestOverlap) {
            best = i;
            bestOverlap = o;
        }
    }
    if (best >= 0) {
        return best;
    }
    std::int64_t bestDistance = 0;
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
        const std::int64_t d = distance(probe, monitors[i].monitor);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// The top-left corner that moves a `width` x `height` window at `corner` the least way to lie
// whole inside `work`.
inline ScreenPoint KeepInside(ScreenPoint corner, int width, int height, const ScreenRect& work) {
    using placement_detail::clampEdge;
    return {clampEdge(corner.x, work.left, work.right - width),
            clampEdge(corner.y, work.top, work.bottom - height)};
}

// The top-left corner of a `width` x `height` window beside the text, whole inside the work area
// of the monitor that holds the text: below the text when it fits there, else above it, else as
// far down as the work area lets it (over the text). Horizontally it starts at the text and is
// pulled back inside at either edge. With no monitor, the place below the text.
inline ScreenPoint PlaceBesideText(const TextAnchor& anchor, int width, int height,
                                   std::span<const MonitorArea> monitors) {
    const ScreenPoint below{anchor.text.left + anchor.offsetX, anchor.text.bottom + anchor.gap};
    const int index = MonitorHolding(monitors, anchor.text);
    if (index < 0) {
        return below;
    }
    const ScreenRect& work = monitors[index].work;
    const int x = placement_detail::clampEdge(below.x, work.left, work.right - width);
    if (below.y >= work.top && below.y + height <= work.bottom) {
        return {x, below.y};
    }
    const int above = anchor.text.top - anchor.gap - height;
    if (above >= work.top && above + height <= work.bottom) {
        return {x, above};
    }
    return KeepInside({x, below.y}, width, height, work);
}

// Whether every corner of `window` lies on some monitor, so that the user sees all of it (a
// window may straddle two monitors side by side).
inline bool ShownWhole(std::span<const MonitorArea> monitors, const ScreenRect& window) {
    const ScreenPoint corners[] = {{window.left, window.top},
                                   {window.right - 1, window.top},
                                   {window.left, window.bottom - 1},
                                   {window.right - 1, window.bottom - 1}};
    return std::all_of(std::begin(corners), std::end(corners), [&](ScreenPoint p) {
        return std::any_of(monitors.begin(), monitors.end(), [&](const MonitorArea& m) {
            return p.x >= m.monitor.left && p.x < m.monitor.right && p.y >= m.monitor.top &&
                   p.y < m.monitor.bottom;
        });
    });
}

// Where a window goes back to when part of it is on no monitor (its monitor went away, or
// shrank): inside the work area of the monitor that holds most of it, or the nearest. A window
// shown whole, or a desktop without monitors, leaves it where it is.
inline ScreenPoint BackOnScreen(std::span<const MonitorArea> monitors, const ScreenRect& window) {
    const ScreenPoint corner{window.left, window.top};
    if (monitors.empty() || ShownWhole(monitors, window)) {
        return corner;
    }
    const int index = MonitorHolding(monitors, window);
    return KeepInside(corner, window.width(), window.height(), monitors[index].work);
}

} // namespace revaze
