// The decisions of ImeProcessKey and the routing of ImeToAsciiEx, free of any Windows type.
#pragma once

#include <cstdint>

#include "session/ime_parts.h"

namespace revaze {

class KeyRouter {
public:
    explicit KeyRouter(ImeParts parts) : ime_(parts) {}

    // ImeProcessKey: true when the input method takes the key. `hasContext` is false for a null
    // input context. `keyState` is the 256-byte key state array (may be null: no key is down).
    bool ProcessKey(bool hasContext, unsigned virtualKey, std::uint32_t keyData,
                    const std::uint8_t* keyState);
    // ImeToAsciiEx after the input context has been checked: `contextUsable` is false when the
    // context is null or cannot be locked. Returns the number of messages written.
    unsigned ToAsciiEx(unsigned virtualKey, unsigned scanCode, MessageList messages,
                       ContextHandle himc, bool contextUsable);

    ImeParts& parts() { return ime_; }

private:
    ImeParts ime_;
    // A Shift press with no other key pressed or released since: only such a lone tap toggles
    // the input mode, so that Shift+letter chords keep the composition.
    bool shiftAlone_ = false;
};

} // namespace revaze
