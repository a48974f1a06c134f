#include "common/keys.h"

#include <gtest/gtest.h>

namespace revaze {
namespace {

TEST(VirtualKeys, PrintableCharactersUseTheirUsKeyboardKeys) {
    struct Row {
        char c;
        unsigned vk;
    };
    const Row rows[] = {{'a', 0x41}, {'Z', 0x5A}, {'7', 0x37}, {' ', 0x20}, {';', 0xBA},
                        {':', 0xBA}, {'+', 0xBB}, {'<', 0xBC}, {'_', 0xBD}, {'>', 0xBE},
                        {'?', 0xBF}, {'~', 0xC0}, {'[', 0xDB}, {'|', 0xDC}, {']', 0xDD},
                        {'"', 0xDE}, {'!', 0x31}, {'@', 0x32}, {'(', 0x39}, {')', 0x30}};
    for (const Row& row : rows) {
        EXPECT_EQ(virtualKeyOf(row.c), row.vk) << row.c;
    }
}

} // namespace
} // namespace revaze
