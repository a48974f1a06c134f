#include "common/text.h"

#include <gtest/gtest.h>

namespace revaze {
namespace {

TEST(Text, Utf8RoundTripsTibetanAndAstralText) {
    const std::string cases[] = {"", "ka", "\xE0\xBD\x80\xE0\xBD\xB2", "\xF0\x9F\x98\x80 x"};
    for (const std::string& s : cases) {
        EXPECT_EQ(unitsToUtf8(utf8ToUnits(s)), s);
    }
    std::wstring astral = utf8ToUnits("\xF0\x9F\x98\x80");
    ASSERT_EQ(astral.size(), 2u);
    EXPECT_EQ(static_cast<unsigned>(astral[0]), 0xD83Du);
    EXPECT_EQ(static_cast<unsigned>(astral[1]), 0xDE00u);
}

TEST(Text, InvalidUtf8BecomesReplacementCharacter) {
    EXPECT_EQ(utf8ToUnits("\xC0"), std::wstring(1, static_cast<wchar_t>(0xFFFD)));
    EXPECT_EQ(utf8ToUnits("a\xE0\xBD"),
              (std::wstring{L'a', static_cast<wchar_t>(0xFFFD), static_cast<wchar_t>(0xFFFD)}));
    EXPECT_EQ(unitsToUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00))), "\xEF\xBF\xBD");
}

TEST(Text, CodepointListIsUpperCaseHexWithFourDigitsAtLeast) {
    EXPECT_EQ(codepointList(L""), "");
    EXPECT_EQ(codepointList(std::wstring{0x0F40, 0x0F72, 0x20}), "U+0F40 U+0F72 U+0020");
    EXPECT_EQ(codepointList(std::wstring{0xFEFF}), "U+FEFF");
}

} // namespace
} // namespace revaze
