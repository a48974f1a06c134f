// A keyboard message as the session knows keys: the virtual key, the character it types on the
// thread's keyboard layout, press or release, and Control.
#pragma once

#include <windows.h>

#include "session/key_event.h"

namespace revaze::tsf {

// `wParam` and `lParam` are those of WM_KEYDOWN / WM_KEYUP; the keyboard state is the thread's
// at the message. The character is the low byte of what the key types, as IMM32 hands it to
// the classic input method; 0 for a release, a dead key or a key that types nothing.
KeyEvent KeyFromMessage(WPARAM wParam, LPARAM lParam, bool released);

// The character part alone, for a given keyboard state and layout.
char TypedCharacter(UINT vk, UINT scanCode, const BYTE* keyState, HKL layout);

} // namespace revaze::tsf
