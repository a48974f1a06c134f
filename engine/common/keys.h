// The virtual-key codes the engine knows keys by. The engine is portable, so these are spelled out
// here rather than taken from <windows.h>; their values are those of Windows.
#pragma once

#include <cstdint>

namespace revaze {

inline constexpr unsigned kVkBack = 0x08;
inline constexpr unsigned kVkTab = 0x09;
inline constexpr unsigned kVkReturn = 0x0D;
inline constexpr unsigned kVkShift = 0x10;
inline constexpr unsigned kVkControl = 0x11;
inline constexpr unsigned kVkMenu = 0x12;
inline constexpr unsigned kVkCapital = 0x14;
inline constexpr unsigned kVkEscape = 0x1B;
inline constexpr unsigned kVkSpace = 0x20;
inline constexpr unsigned kVkPrior = 0x21;
inline constexpr unsigned kVkNext = 0x22;
inline constexpr unsigned kVkEnd = 0x23;
inline constexpr unsigned kVkHome = 0x24;
inline constexpr unsigned kVkLeft = 0x25;
inline constexpr unsigned kVkUp = 0x26;
inline constexpr unsigned kVkRight = 0x27;
inline constexpr unsigned kVkDown = 0x28;
inline constexpr unsigned kVkInsert = 0x2D;
inline constexpr unsigned kVkDelete = 0x2E;
inline constexpr unsigned kVkHelp = 0x2F; // the soft keyboard's page (star) key
inline constexpr unsigned kVkAdd = 0x6B;
inline constexpr unsigned kVkF1 = 0x70;
inline constexpr unsigned kVkF12 = 0x7B;
inline constexpr unsigned kVkNumLock = 0x90;
inline constexpr unsigned kVkOem1 = 0xBA;      // ; :
inline constexpr unsigned kVkOemPlus = 0xBB;   // = +
inline constexpr unsigned kVkOemComma = 0xBC;  // , <
inline constexpr unsigned kVkOemMinus = 0xBD;  // - _
inline constexpr unsigned kVkOemPeriod = 0xBE; // . >
inline constexpr unsigned kVkOem2 = 0xBF;      // / ?
inline constexpr unsigned kVkOem3 = 0xC0;      // ` ~
inline constexpr unsigned kVkOem4 = 0xDB;      // [ {
inline constexpr unsigned kVkOem5 = 0xDC;      // \ |
inline constexpr unsigned kVkOem6 = 0xDD;      // ] }
inline constexpr unsigned kVkOem7 = 0xDE;      // ' "

// The virtual key of a printable ASCII character on a US keyboard (a shifted character comes
// from its unshifted key: '!' from '1'); 0 for any other character.
unsigned virtualKeyOf(char c);

} // namespace revaze
