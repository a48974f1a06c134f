// A key as a front end hands it to the session: what was pressed, what it typed, and the one
// modifier the decisions read.
#pragma once

namespace revaze {

struct KeyEvent {
    unsigned vk = 0;       // virtual-key code, 0..255 (common/keys.h)
    char ch = 0;           // the character the key typed, one 8-bit code; 0 for none
    bool released = false; // a release rather than a press
    bool ctrl = false;     // a Control key is held
};

} // namespace revaze
