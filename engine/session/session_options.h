// What a session starts with and the two key policies the user can choose: plain data a front end
// hands over (the settings model in engine/settings/ works it out from what is stored).
#pragma once

#include "session/input_state.h"

namespace revaze {

// What Caps Lock does to the letter keys in Tibetan mode.
enum class CapsLockPolicy {
    Letters, // capital letters, which the layouts read as their capital keys
    Ignore,  // letters are read as if Caps Lock were off; Shift still gives capitals
    English, // while Caps Lock is on the input method is in English mode
};

struct KeyPolicy {
    CapsLockPolicy capsLock = CapsLockPolicy::Letters;
    bool shiftToggles = true; // a lone Shift tap switches the input mode
    bool operator==(const KeyPolicy&) const = default;
};

struct SessionStart {
    InputMode mode = InputMode::Tibetan;
    LayoutId layout = LayoutId::Wylie;
    KeyPolicy keys;
    bool operator==(const SessionStart&) const = default;
};

} // namespace revaze
