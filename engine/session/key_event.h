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

// The lone Shift tap in progress: the last key event was a Shift press. Only the release of
// such a tap switches the input mode, so that Shift+letter chords keep the composition.
struct ShiftTap {
    bool shiftAlone = false;
    bool operator==(const ShiftTap&) const = default;
};

// What the session makes of a key event, before it acts.
struct KeyTest {
    bool take = false;         // the key is the input method's: the application does not see it
    bool switchesMode = false; // the release of a lone Shift tap: the key switches the mode
    ShiftTap next;             // the Shift tap after this key
};

} // namespace revaze
