#include "ui/dpi_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "layouts/soft_keyboard_tables.h"
#include "ui/status_layout.h"

namespace revaze {
namespace {

constexpr int kDpis[] = {96, 120, 144, 192, 288};

TEST(DpiScale, LengthsAndTheBitmapEachDpiDrawsFrom) {
    struct Row {
        int dpi;
        int font, compWidth, compHeight, softWidth, softHeight,
            statusWidth; // 21 275 132 434 154 132
        int bitmapDpi;
    };
    const Row rows[] = {
        {96, 21, 275, 132, 434, 154, 132, 96},    {120, 26, 344, 165, 543, 193, 165, 120},
        {144, 32, 413, 198, 651, 231, 198, 144},  {192, 42, 550, 264, 868, 308, 264, 192},
        {288, 63, 825, 396, 1302, 462, 396, 192}, {168, 37, 481, 231, 760, 270, 231, 192},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dpi);
        EXPECT_EQ(scaleToDpi(21, row.dpi), row.font);
        EXPECT_EQ(scaleToDpi(275, row.dpi), row.compWidth);
        EXPECT_EQ(scaleToDpi(132, row.dpi), row.compHeight);
        EXPECT_EQ(scaleToDpi(434, row.dpi), row.softWidth);
        EXPECT_EQ(scaleToDpi(154, row.dpi), row.softHeight);
        EXPECT_EQ(scaleToDpi(kStatusWidth, row.dpi), row.statusWidth);
        EXPECT_EQ(bitmapDpiFor(row.dpi), row.bitmapDpi);
    }
    // Offsets to the left or above scale like those to the right or below.
    EXPECT_EQ(scaleToDpi(-37, 144), -scaleToDpi(37, 144));
    EXPECT_EQ(usableDpi(0), 96);
    EXPECT_EQ(usableDpi(144), 144);
    EXPECT_EQ(scaledBitmapId(103, 96), 103);
    EXPECT_EQ(scaledBitmapId(113, 144), 14413);
}

// Keys that touch at 96 DPI touch at every DPI, and each keeps its width to within a pixel.
TEST(DpiScale, SoftKeysLoseNoColumnAndStayInTheWindow) {
    for (int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        const int windowWidth = scaleToDpi(434, dpi);
        const int windowHeight = scaleToDpi(154, dpi);
        for (int i = 0; i < kSoftKeyCount; ++i) {
            const SoftKeyGeometry& key = kSoftKeyGeometry[i];
            const ScaledSpan x = scaleSpan(key.x, key.width, dpi);
            const ScaledSpan y = scaleSpan(key.y, key.height, dpi);
            EXPECT_LE(std::abs(x.length * 96 - key.width * dpi), 96) << "key " << i;
            EXPECT_LE(std::abs(y.length * 96 - key.height * dpi), 96) << "key " << i;
            EXPECT_LE(x.end(), windowWidth);
            EXPECT_LE(y.end(), windowHeight);
            for (int j = 0; j < kSoftKeyCount; ++j) {
                const SoftKeyGeometry& next = kSoftKeyGeometry[j];
                if (next.y == key.y && next.x == key.x + key.width) {
                    EXPECT_EQ(scaleSpan(next.x, next.width, dpi).start, x.end())
                        << "keys " << i << " and " << j;
                }
                if (next.x == key.x && next.y == key.y + key.height) {
                    EXPECT_EQ(scaleSpan(next.y, next.height, dpi).start, y.end());
                }
            }
        }
    }
}

// At 96 DPI the buttons answer where they always did; at every DPI each button answers over
// its whole cell but its edges, the dividers answer nothing, and the cells cover the window.
TEST(DpiScale, StatusButtonsAnswerAtTheirScaledPlaces) {
    struct Row {
        int x;
        int button;
    };
    const Row at96[] = {{0, kStatusNone},   {1, kStatusLogo},          {25, kStatusLogo},
                        {26, kStatusNone},  {27, kStatusMode},         {52, kStatusMode},
                        {53, kStatusNone},  {54, kStatusSoftKeyboard}, {78, kStatusSoftKeyboard},
                        {79, kStatusNone},  {80, kStatusLayout},       {105, kStatusLayout},
                        {106, kStatusNone}, {107, kStatusMenu},        {131, kStatusMenu},
                        {132, kStatusNone}, {-5, kStatusNone}};
    for (const Row& row : at96) {
        EXPECT_EQ(statusButtonAt(row.x), row.button) << "x = " << row.x;
    }
    for (int dpi : kDpis) {
        SCOPED_TRACE(dpi);
        int covered = 0;
        for (const StatusButtonCell& cell : kStatusButtons) {
            const int left = scaleToDpi(cell.hitLeft, dpi);
            const int right = scaleToDpi(cell.hitRight, dpi);
            EXPECT_EQ(statusButtonAt(left, dpi), kStatusNone);
            EXPECT_EQ(statusButtonAt(right, dpi), kStatusNone);
            for (int x = left + 1; x < right; ++x) {
                ASSERT_EQ(statusButtonAt(x, dpi), cell.button) << "x = " << x;
            }
            // Each cell starts where the ones before it end or earlier: the bar has no hole.
            const ScaledSpan drawn = statusCellAt(cell, dpi);
            EXPECT_LE(drawn.start, covered);
            covered = drawn.end();
        }
        EXPECT_GE(covered, scaleToDpi(kStatusWidth, dpi));
    }
}

} // namespace
} // namespace revaze
