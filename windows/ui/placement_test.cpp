#include "ui/placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace revaze {
namespace {

// The primary at 0,0 with its taskbar at the bottom, unless a layout says otherwise.
constexpr MonitorArea kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
constexpr MonitorArea kPrimaryBarTop{{0, 0, 1920, 1080}, {0, 40, 1920, 1080}};
constexpr MonitorArea kRight{{1920, 0, 3840, 1080}, {1920, 0, 3840, 1080}};
// Left of and above the primary, with a taskbar down its left side.
constexpr MonitorArea kLeftBarLeft{{-1280, -200, 0, 824}, {-1232, -200, 0, 824}};
constexpr MonitorArea kAbove{{0, -1080, 1920, 0}, {0, -1080, 1920, 0}};

const std::vector<MonitorArea> kSingle{kPrimary};
const std::vector<MonitorArea> kSideBySide{kPrimary, kRight};
const std::vector<MonitorArea> kAround{kPrimaryBarTop, kLeftBarLeft, kAbove};

TEST(Placement, BesideTheText) {
    struct Row {
        const char* what;
        const std::vector<MonitorArea>* monitors;
        ScreenRect text;
        int width, height;
        ScreenPoint want;
    };
    const std::vector<MonitorArea> none;
    const Row rows[] = {
        {"mid-screen: below the text", &kSingle, {900, 500, 960, 530}, 275, 132, {900, 534}},
        {"near the right edge: pulled in", &kSingle, {1800, 500, 1810, 530}, 275, 132, {1645, 534}},
        {"near the taskbar: above the text", &kSingle, {900, 1000, 960, 1030}, 275, 132, {900, 864}},
        {"bottom-right corner", &kSingle, {1900, 1010, 1902, 1036}, 275, 132, {1645, 874}},
        {"left of the screen: nearest monitor", &kSingle, {-10, 500, 0, 530}, 275, 132, {0, 534}},
        {"at the very top", &kSingle, {300, 0, 302, 26}, 275, 132, {300, 30}},
        {"second monitor: stays on it, above its bottom edge", &kSideBySide,
         {3700, 1040, 3710, 1070}, 275, 132, {3565, 904}},
        {"text over the seam: the monitor with most of it", &kSideBySide, {1900, 500, 1960, 530},
         275, 132, {1920, 534}},
        {"monitor on the left, taskbar on its left", &kAround, {-1270, 300, -1260, 330}, 275, 132,
         {-1232, 334}},
        {"monitor on the left, negative top", &kAround, {-600, -190, -590, -160}, 275, 132,
         {-600, -156}},
        {"monitor above: above the text, not onto the primary", &kAround, {500, -40, 510, -10},
         275, 132, {500, -176}},
        {"taskbar on top: below the text", &kAround, {100, 45, 110, 75}, 275, 132, {100, 79}},
        {"too tall for either side: as low as it fits", &kAround, {100, 500, 110, 530}, 275, 1000,
         {100, 80}},
        {"taller than the work area: its top below the taskbar", &kAround, {100, 500, 110, 530},
         275, 1060, {100, 40}},
        {"wider than the work area: its left edge", &kSingle, {900, 500, 960, 530}, 2000, 132,
         {0, 534}},
        {"no monitor: below the text as it is", &none, {900, 500, 960, 530}, 275, 132, {900, 534}},
    };
    for (const Row& row : rows) {
        const TextAnchor anchor{row.text, 0, 4};
        EXPECT_EQ(PlaceBesideText(anchor, row.width, row.height, *row.monitors), row.want)
            << row.what;
    }
    // The input method's caret: a point, the window 28 right of it and 28 below (24 + 4).
    const TextAnchor caret{{500, 300, 500, 324}, 28, 4};
    EXPECT_EQ(PlaceBesideText(caret, 275, 132, kSingle), (ScreenPoint{528, 328}));
}

TEST(Placement, BackOnScreen) {
    struct Row {
        const char* what;
        const std::vector<MonitorArea>* monitors;
        ScreenRect window;
        ScreenPoint want;
    };
    const Row rows[] = {
        {"its monitor went away: onto the nearest", &kSingle, {2500, 300, 2775, 328}, {1645, 300}},
        {"across two monitors: stays", &kSideBySide, {1800, 300, 2075, 328}, {1800, 300}},
        {"half below the bottom: up into the work area", &kSingle, {100, 1060, 232, 1088},
         {100, 1012}},
        {"whole on a monitor left of the primary: stays", &kAround, {-900, 100, -600, 300},
         {-900, 100}},
        {"above every monitor: onto the one above the primary", &kAround, {300, -1500, 434, -1346},
         {300, -1080}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(BackOnScreen(*row.monitors, row.window), row.want) << row.what;
    }
}

} // namespace
} // namespace revaze
