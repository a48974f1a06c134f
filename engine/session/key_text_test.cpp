#include "session/key_text.h"

#include <gtest/gtest.h>

#include "common/keys.h"

namespace revaze {
namespace {

// Each event prints as its text and the text reads back as the same event; the texts that are
// not the printed form of any event read as nothing.
TEST(KeyText, RoundTrip) {
    const struct {
        KeyEvent key;
        std::string_view text;
    } rows[] = {
        {{'K', 'k'}, "k"},
        {{'K', 'K', false, false, true}, "K caps"},
        {{'1', '!'}, "!"},
        {{kVkSpace, ' '}, " "},
        {{kVkOem2, '/', true}, "/ up"},
        {{kVkReturn, '\r'}, "{Enter}"},
        {{kVkBack, '\b', true}, "{Back} up"},
        {{kVkShift, 0, true}, "{Shift} up"},
        {{kVkCapital, 0, false, false, true}, "{CapsLock} caps"},
        {{kVkHelp, 0}, "{Star}"},
        {{kVkOem4, '{'}, "{LBrace}"},
        {{kVkOem6, '}'}, "{RBrace}"},
        {{'C', 'c', false, true}, "Ctrl+c"},
        {{'K', 0, true}, "{vk 4B} up"},
        {{kVkDelete, 0}, "{vk 2E}"},
        {{kVkSpace, 'x'}, "{vk 20 ch 78}"},
        {{kVkReturn, 0}, "{vk 0D}"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(keyText(row.key), row.text);
        const std::optional<KeyEvent> back = keyFromText(row.text);
        ASSERT_TRUE(back) << row.text;
        EXPECT_EQ(keyText(*back), row.text);
        EXPECT_EQ(back->vk, row.key.vk) << row.text;
        EXPECT_EQ(back->ch, row.key.ch) << row.text;
        EXPECT_EQ(back->released, row.key.released) << row.text;
        EXPECT_EQ(back->ctrl, row.key.ctrl) << row.text;
        EXPECT_EQ(back->capsLock, row.key.capsLock) << row.text;
    }
    for (std::string_view text : {"", "{", "{}", "{Enter", "{enter}", "Shift+k", "k  up",
                                  "{vk 0D ch 0D}", "{vk 4B ch 6B}", "{vk 123}", "up"}) {
        EXPECT_FALSE(keyFromText(text)) << '[' << text << ']';
    }
}

} // namespace
} // namespace revaze
