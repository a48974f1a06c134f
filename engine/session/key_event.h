// A key as a front end hands it to the session: what was pressed, what it typed, and the
// modifier and the lock the decisions read.
#pragma once

namespace revaze {

struct KeyEvent {
    unsigned vk = 0;       // virtual-key code, 0..255 (common/keys.h)
    char ch = 0;           // the character the key typed, one 8-bit code; 0 for none
    bool released = false; // a release rather than a press
    bool ctrl = false;     // a Control key is held
    bool capsLock = false; // Caps Lock is on (then `ch` of a letter key is upper case)
};

} // namespace revaze
