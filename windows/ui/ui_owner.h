// What the windows report to the front end that owns them, and the one thing they ask of it. The
// windows draw what they are shown and hold no input state; every click goes to the owner, which
// asks the session and shows the windows the answer.
#pragma once

#include <windows.h>

#include "layouts/layouts.h"
#include "ui/placement.h"

namespace revaze {

class UiOwner {
public:
    virtual ~UiOwner() = default;

    // The status window's mode and soft-keyboard buttons, released over the button.
    virtual void OnModeButton() = 0;
    virtual void OnSoftKeyboardButton() = 0;
    // A layout chosen from the status window's layout menu.
    virtual void OnLayoutChosen(LayoutId layout) = 0;
    // A page of the soft keyboard chosen by command (1..5).
    virtual void OnSoftPageChosen(int page) = 0;

    // Where the text being typed is on the screen, and how far the composition window keeps
    // from it. False when that is not known: the window then stays where it is, whole on the
    // monitor of the focus window.
    virtual bool CompositionAnchor(TextAnchor& anchor) = 0;
};

} // namespace revaze
