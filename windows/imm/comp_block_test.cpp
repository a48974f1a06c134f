#include "imm/comp_block.h"

#include <gtest/gtest.h>

namespace revaze {
namespace {

TEST(CompBlock, ShortCommitsUseTheFixedLayout) {
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{99}}) {
        auto layout = compositionBlockLayout(length);
        ASSERT_TRUE(layout.has_value()) << length;
        EXPECT_EQ(layout->size, 500u);
        EXPECT_EQ(layout->compOffset, 100u);
        EXPECT_EQ(layout->resultOffset, 300u);
        EXPECT_TRUE(stringFits(layout->resultOffset, length, layout->size)) << length;
    }
}

TEST(CompBlock, LongCommitsGrowTheBlockToHoldBothCopiesWhole) {
    struct Row {
        std::size_t length;
        std::uint32_t size, resultOffset;
    };
    const Row rows[] = {
        {100, 100 + 2 * 202, 100 + 202},
        {136, 100 + 2 * 274, 100 + 274},
        {2047, 100 + 2 * 4096, 100 + 4096},
        {kMaxCommitUnits, 100 + 2 * 2 * (kMaxCommitUnits + 1), 100 + 2 * (kMaxCommitUnits + 1)}};
    for (const Row& row : rows) {
        auto layout = compositionBlockLayout(row.length);
        ASSERT_TRUE(layout.has_value()) << row.length;
        EXPECT_EQ(layout->size, row.size) << row.length;
        EXPECT_EQ(layout->compOffset, 100u);
        EXPECT_EQ(layout->resultOffset, row.resultOffset) << row.length;
        EXPECT_TRUE(stringFits(layout->compOffset, row.length, layout->resultOffset));
        EXPECT_TRUE(stringFits(layout->resultOffset, row.length, layout->size));
        EXPECT_FALSE(stringFits(layout->resultOffset, row.length + 1, layout->size));
    }
}

TEST(CompBlock, TooLongCommitsAreRefusedNotCut) {
    EXPECT_FALSE(compositionBlockLayout(kMaxCommitUnits + 1).has_value());
    EXPECT_FALSE(compositionBlockLayout(std::size_t{0xFFFFFFFFu}).has_value());
    EXPECT_FALSE(compositionBlockLayout(~std::size_t{0}).has_value());
}

TEST(CompBlock, HeadersOfFreshOrHostileBlocksAreNotTrusted) {
    struct Row {
        std::uint32_t compOffset, resultOffset, blockSize;
        bool usable;
    };
    const Row rows[] = {
        {100, 300, 500, true},
        {0, 0, 500, false},                    // a fresh context: zeros everywhere
        {100, 0, 500, false},                  // one area on the header
        {100, 498, 500, true},                 // the terminator just fits
        {100, 499, 500, false},                // ... and just does not
        {100, 300, 0, false},                  // no block
        {0xFFFFFFFEu, 300, 500, false},        // an offset that wraps around in 32 bits
        {100, 0xFFFFFFFFu, 0xFFFFFFFFu, false} // one past the end even in a huge block
    };
    for (const Row& row : rows) {
        EXPECT_EQ(headerUsable(row.compOffset, row.resultOffset, row.blockSize), row.usable)
            << row.compOffset << " " << row.resultOffset << " " << row.blockSize;
    }
    EXPECT_FALSE(stringFits(300, 0xFFFFFFFFull, 500));
}

} // namespace
} // namespace revaze
