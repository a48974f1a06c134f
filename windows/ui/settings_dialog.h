// The settings window: the five settings of engine/settings/, OK, Cancel and Apply. One per
// process: asked again while it is open, it comes to the front instead.
#pragma once

#include <windows.h>

namespace revaze {

// Runs the window modally over `owner` (may be null) from the template in `instance`'s
// resources; returns when it closes. True when it was opened by this call.
bool ShowSettingsDialog(HINSTANCE instance, HWND owner);

} // namespace revaze
