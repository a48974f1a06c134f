#include "ui/comp_layout.h"

#include <gtest/gtest.h>

namespace revaze {
namespace {

constexpr int W = 1024;
constexpr int H = 768;

View viewWith(std::wstring displayLine, int candidates = 0) {
    View v;
    v.displayLine = std::move(displayLine);
    for (int i = 0; i < candidates; ++i) {
        v.candidates.push_back(L"x");
    }
    return v;
}

TEST(CompLayout, EnglishModeAndAnEmptyViewHideTheWindow) {
    View english = viewWith(L"ka");
    english.mode = InputMode::English;
    EXPECT_EQ(layoutCompWindow(english, W, H).placement, CompPlacement::Hidden);
    EXPECT_EQ(layoutCompWindow(viewWith(L""), W, H).placement, CompPlacement::Hidden);
    // Candidates alone still show the window, with an empty first line.
    EXPECT_EQ(layoutCompWindow(viewWith(L"", 1), W, H).placement, CompPlacement::NearCaret);
}

TEST(CompLayout, LongLineRule) {
    struct Row {
        int length;
        CompPlacement placement;
        int x, width;
    };
    const Row rows[] = {
        {1, CompPlacement::NearCaret, 0, kCompWidth},
        {34, CompPlacement::NearCaret, 0, kCompWidth},
        {35, CompPlacement::LongLine, W / 2, 280},
        {38, CompPlacement::LongLine, W / 2, 304},
        {39, CompPlacement::LongLine, W / 2 - 2, 312},
        {50, CompPlacement::LongLine, W / 2 - 90, 400},
    };
    for (const Row& row : rows) {
        const CompLayout layout = layoutCompWindow(viewWith(std::wstring(row.length, L'k')), W, H);
        EXPECT_EQ(layout.placement, row.placement) << row.length;
        if (row.placement == CompPlacement::LongLine) {
            EXPECT_EQ(layout.x, row.x) << row.length;
            EXPECT_EQ(layout.y, H - 230);
            EXPECT_EQ(layout.width, row.width);
            EXPECT_EQ(layout.height, kCompHeight);
        }
    }
    // With candidates a long line stays in the window of normal size.
    EXPECT_EQ(layoutCompWindow(viewWith(std::wstring(50, L'k'), 2), W, H).placement,
              CompPlacement::NearCaret);
}

} // namespace
} // namespace revaze
