// The settings window as Windows' language settings open it: the text service's function
// provider and its ITfFnConfigure.
#pragma once

#include <string>

namespace tsfharness {

// Opens the window through ITfFnConfigure::Show, works it and reads back what it wrote.
void CheckConfigure(const std::wstring& artifacts);

} // namespace tsfharness
