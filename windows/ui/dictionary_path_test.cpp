#include "ui/dictionary_path.h"

#include <gtest/gtest.h>

namespace revaze {
namespace {

TEST(DictionaryPath, OnlyAKnownSystemDirectoryGivesAPath) {
    const wchar_t system[] = L"C:\\windows\\system32";
    constexpr std::size_t kCapacity = 260;
    struct Row {
        std::size_t answered;
        std::wstring expected;
    };
    const Row rows[] = {
        {19, L"C:\\windows\\system32\\ZovovUvoz2.dat"},
        {0, L""},         // the call failed: never "\ZovovUvoz2.dat" at the drive's root
        {kCapacity, L""}, // the directory did not fit: its text is cut
        {kCapacity + 40, L""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(dictionaryPathIn(system, kCapacity, row.answered), row.expected) << row.answered;
    }
    EXPECT_EQ(dictionaryPathIn(nullptr, kCapacity, 19), L"");
}

} // namespace
} // namespace revaze
