// The keyboard layouts of a classic input method: installed with ImmInstallIMEW as a layout of the
// input method's language, found by the file they load, and removed with every trace in the
// user's layout lists.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace revaze::setup {

// The layout identifiers ("E0200451") whose "Ime File" names `imeFileName`.
std::vector<std::wstring> findImeLayouts(const std::wstring& imeFileName);

// Installs the input method at `imePath` (in the system directory) as a keyboard layout of
// `language` named `text`, or keeps the layout it already has. Returns its identifier, or an empty
// string with the reason in `error`.
std::wstring installImeLayout(const std::wstring& imePath, const std::wstring& text,
                              LANGID language, std::wstring& error);

// Removes every layout of `imeFileName`: from the user's lists, then the layout itself. Returns
// how many there were.
int removeImeLayouts(const std::wstring& imeFileName);

} // namespace revaze::setup
