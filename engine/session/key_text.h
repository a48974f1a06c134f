// Key events as text: how scripts write keys, and how traces, test failures and the fuzzers'
// replays print them.
//
// A printable character other than a brace is the key that types it ("k", "K", " ", "/"). Other
// keys are named in braces: {Enter} {Back} {Esc} {PgUp} {PgDn} {Shift} {CapsLock} {Star}
// {LBrace} {RBrace}; a key without a name is "{vk 2E}", with "ch 41" after the code when it
// types a character of no key of its own (hexadecimal). A whole event adds "Ctrl+" in front
// while Control is held, " up" for a release and " caps" while Caps Lock is on: "Ctrl+c",
// "{Shift} up", "K caps".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "session/key_event.h"

namespace revaze {

// The press of the key a script names: `name` is a printable character other than a brace, or
// what stands inside the braces ("Enter"). Nothing for any other name.
std::optional<KeyEvent> namedKey(std::string_view name);

std::string keyText(const KeyEvent& key);
// What keyText wrote, read back; nothing for a text it does not write.
std::optional<KeyEvent> keyFromText(std::string_view text);

} // namespace revaze
