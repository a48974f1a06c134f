// What the status window's buttons, its layout menu and the soft keyboard's pages do to the
// input state and the composers. Window effects go through the host.
#pragma once

#include "session/ime_parts.h"

namespace revaze {

// Reset the Wylie, soft-keyboard and layout composers.
void ResetAllComposers(ImeParts& ime);
// Tibetan <-> English: resets the composers and hides the composition window.
void ToggleInputMode(ImeParts& ime);
// The status window's buttons, acting at the release of the pointer over them.
void ModeButtonReleased(ImeParts& ime);         // button 2
void SoftKeyboardButtonReleased(ImeParts& ime); // button 3: show or hide the soft keyboard
// A layout command (6, 8, 10, 20, 30, 50, 60, 70): sets both layout indexes, keeps the
// compositions. Returns false and changes nothing for any other identifier.
bool SelectLayout(ImeParts& ime, int layoutId);
// Shows soft-keyboard page 1..5; other values change nothing.
void ShowSoftPage(ImeParts& ime, int page);

} // namespace revaze
