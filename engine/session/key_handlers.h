// The four per-mode key handlers. Each returns the number of messages written into `messages`:
// 0, or 2 after a commit.
#pragma once

#include <string_view>

#include "session/ime_parts.h"

namespace revaze {

unsigned HandleWylieKey(ImeParts& ime, char ch, unsigned vk, MessageList messages,
                        ContextHandle himc);
unsigned HandleLayoutKey(ImeParts& ime, char ch, unsigned vk, MessageList messages,
                         ContextHandle himc);
// `mapped` holds the soft keyboard's character for `ch` on its current page, or is empty.
unsigned HandleSoftKeyboardKey(ImeParts& ime, char ch, unsigned vk, std::wstring_view mapped,
                               MessageList messages, ContextHandle himc);
unsigned HandleEnglishKey(ImeParts& ime, char ch, unsigned vk, MessageList messages,
                          ContextHandle himc);

} // namespace revaze
