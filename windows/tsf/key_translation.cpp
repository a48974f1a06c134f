#include "tsf/key_translation.h"

namespace revaze::tsf {

namespace {

// ToUnicodeEx's flag that leaves the keyboard's dead-key state alone (where Windows knows it):
// asking what a key types must not change what the next one types.
constexpr UINT kKeepKeyboardState = 0x4;

} // namespace

char TypedCharacter(UINT vk, UINT scanCode, const BYTE* keyState, HKL layout) {
    wchar_t typed[4] = {};
    const int count = ToUnicodeEx(vk, scanCode, keyState, typed, 4, kKeepKeyboardState, layout);
    if (count != 1) {
        return 0;
    }
    return static_cast<char>(typed[0] & 0xFF);
}

KeyEvent KeyFromMessage(WPARAM wParam, LPARAM lParam, bool released) {
    KeyEvent key;
    key.vk = static_cast<unsigned>(wParam) & 0xFFu;
    key.released = released;
    BYTE state[256] = {};
    if (!GetKeyboardState(state)) {
        return key;
    }
    key.ctrl = (state[VK_CONTROL] & 0x80) != 0;
    key.capsLock = (state[VK_CAPITAL] & 0x01) != 0;
    if (!released) {
        const UINT scanCode = (static_cast<UINT>(lParam) >> 16) & 0xFFu;
        key.ch = TypedCharacter(key.vk, scanCode, state, GetKeyboardLayout(0));
    }
    return key;
}

} // namespace revaze::tsf
