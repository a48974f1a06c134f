#include "session/comp_paint.h"

#include <gtest/gtest.h>

#include "session/test_ime.h"

namespace revaze {
namespace {

constexpr int W = 1024;
constexpr int H = 768;

TEST(CompPaint, EnglishModeDrawsNothing) {
    TestIme ime;
    ime.wylie.AddKey('k');
    ime.state.inputMode = kModeEnglish;
    CompPaint paint = PrepareCompPaint(ime.parts(), W, H);
    EXPECT_EQ(paint.placement, CompPlacement::Nothing);
    EXPECT_TRUE(paint.displayLine.empty());
}

TEST(CompPaint, LongLineRule) {
    struct Row {
        int length;
        CompPlacement placement;
        int x, width;
    };
    const Row rows[] = {
        {0, CompPlacement::Hidden, 0, kCompWidth},
        {34, CompPlacement::NearCaret, 0, kCompWidth},
        {35, CompPlacement::LongLine, W / 2, 280},
        {38, CompPlacement::LongLine, W / 2, 304},
        {39, CompPlacement::LongLine, W / 2 - 2, 312},
        {50, CompPlacement::LongLine, W / 2 - 90, 400},
    };
    for (const Row& row : rows) {
        TestIme ime;
        ime.state.softVisible = 1; // the soft-keyboard composer shows "  " + its text
        for (int i = 0; i + 2 < row.length; ++i) {
            ime.soft.AddKey('q', 0x0F40);
        }
        CompPaint paint = PrepareCompPaint(ime.parts(), W, H);
        EXPECT_EQ(paint.source, ActiveComposer::SoftKey);
        EXPECT_EQ(static_cast<int>(paint.displayLine.size()), row.length) << row.length;
        EXPECT_EQ(paint.placement, row.placement) << row.length;
        if (row.placement == CompPlacement::LongLine) {
            EXPECT_EQ(paint.x, row.x) << row.length;
            EXPECT_EQ(paint.y, H - 230);
            EXPECT_EQ(paint.width, row.width);
            EXPECT_EQ(paint.height, kCompHeight);
        }
    }
}

TEST(CompPaint, CandidatesAreFormattedAndKeepTheWindowAtTheCaret) {
    Dictionary d;
    d.lines = {std::wstring{0x0F40, 0x0F72} + L"\r\n", std::wstring{0x0F40} + L"\r\n"};
    TestIme ime(&d);
    ime.state.layoutId = 8;
    ime.state.layoutIndex = ime.layout.layoutIndex = 1;
    ime.layout.AddKey('k');
    CompPaint paint = PrepareCompPaint(ime.parts(), W, H);
    EXPECT_EQ(paint.source, ActiveComposer::Layout);
    EXPECT_EQ(paint.placement, CompPlacement::NearCaret);
    EXPECT_TRUE(paint.hasCandidates);
    EXPECT_EQ(paint.displayLine, (std::wstring{L' ', 0x0F40}));
    const std::wstring expected =
        L"\n  1: " + std::wstring{0x0F40, 0x0F72} + L"\n  2: " + std::wstring{0x0F40};
    EXPECT_EQ(paint.candidatePageText, expected);
}

} // namespace
} // namespace revaze
