#include "common/fixed_text.h"

#include <gtest/gtest.h>

namespace revaze {
namespace {

TEST(FixedText, AppendStopsAtCapacityAndKeepsTheTerminator) {
    FixedText<4> t;
    EXPECT_TRUE(t.append(L"ab"));
    EXPECT_FALSE(t.append(L"cde"));
    EXPECT_EQ(t.str(), L"abc");
    EXPECT_EQ(t.c_str()[3], L'\0');
    EXPECT_FALSE(t.push_back(L'x'));
    EXPECT_EQ(t.size(), 3u);
}

TEST(FixedText, PopAndSetBackOnEmptyTextDoNothing) {
    FixedText<8> t;
    t.pop_back();
    t.set_back(L'x');
    EXPECT_TRUE(t.empty());
    t.assign(L"ka");
    t.set_back(L'h');
    EXPECT_EQ(t.str(), L"kh");
    t.pop_back();
    EXPECT_EQ(t.str(), L"k");
    EXPECT_EQ(t.back(), L'k');
}

} // namespace
} // namespace revaze
