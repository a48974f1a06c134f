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

struct Size {
    int width, height;
};
constexpr Size kComp{275, 132};

TEST(Placement, BesideTheText) {
    struct Row {
        const std::vector<MonitorArea>* monitors;
        ScreenRect text;
        Size window;
        ScreenPoint want;
        const char* what;
    };
    const std::vector<MonitorArea> none;
    const Row rows[] = {
        {&kSingle, {900, 500, 960, 530}, kComp, {900, 534}, "mid-screen: below the text"},
        {&kSingle, {1800, 500, 1810, 530}, kComp, {1645, 534}, "right edge: pulled in"},
        {&kSingle, {900, 1000, 960, 1030}, kComp, {900, 864}, "near the taskbar: above the text"},
        {&kSingle, {1900, 1010, 1902, 1036}, kComp, {1645, 874}, "bottom-right corner"},
        {&kSingle, {-10, 500, 0, 530}, kComp, {0, 534}, "left of every monitor: the nearest"},
        {&kSingle, {300, 0, 302, 26}, kComp, {300, 30}, "at the very top"},
        {&kSideBySide, {3700, 1040, 3710, 1070}, kComp, {3565, 904}, "second monitor: stays on it"},
        {&kSideBySide, {1900, 500, 1960, 530}, kComp, {1920, 534}, "over the seam: most of it"},
        {&kAround, {-1270, 300, -1260, 330}, kComp, {-1232, 334}, "left monitor, taskbar left"},
        {&kAround, {-600, -190, -590, -160}, kComp, {-600, -156}, "left monitor, negative top"},
        {&kAround, {500, -40, 510, -10}, kComp, {500, -176}, "monitor above: not onto the primary"},
        {&kAround, {100, 45, 110, 75}, kComp, {100, 79}, "taskbar on top: below the text"},
        {&kAround, {100, 500, 110, 530}, {275, 1000}, {100, 80}, "too tall: as low as it fits"},
        {&kAround, {100, 500, 110, 530}, {275, 1060}, {100, 40}, "taller than the work area"},
        {&kSingle, {900, 500, 960, 530}, {2000, 132}, {0, 534}, "wider than the work area"},
        {&none, {900, 500, 960, 530}, kComp, {900, 534}, "no monitor: below the text as it is"},
    };
    for (const Row& row : rows) {
        const TextAnchor anchor{row.text, 0, 4};
        EXPECT_EQ(PlaceBesideText(anchor, row.window.width, row.window.height, *row.monitors),
                  row.want)
            << row.what;
    }
    // The input method's caret: a point, the window 28 right of it and 28 below (24 + 4).
    const TextAnchor caret{{500, 300, 500, 324}, 28, 4};
    EXPECT_EQ(PlaceBesideText(caret, 275, 132, kSingle), (ScreenPoint{528, 328}));
}

TEST(Placement, BackOnScreen) {
    struct Row {
        const std::vector<MonitorArea>* monitors;
        ScreenRect window;
        ScreenPoint want;
        const char* what;
    };
    const Row rows[] = {
        {&kSingle, {2500, 300, 2775, 328}, {1645, 300}, "its monitor went away: the nearest"},
        {&kSideBySide, {1800, 300, 2075, 328}, {1800, 300}, "across two monitors: stays"},
        {&kSingle, {100, 1060, 232, 1088}, {100, 1012}, "half below the bottom: up"},
        {&kAround, {-900, 100, -600, 300}, {-900, 100}, "whole on the left monitor: stays"},
        {&kAround, {300, -1500, 434, -1346}, {300, -1080}, "above all: onto the top monitor"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(BackOnScreen(*row.monitors, row.window), row.want) << row.what;
    }
}

} // namespace
} // namespace revaze
