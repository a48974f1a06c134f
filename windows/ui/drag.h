// Moving a window by dragging an inverted frame, as the composition and status windows do, and
// the frame itself (Windows only).
#pragma once

#include <windows.h>

namespace revaze {

// Inverts a one-border-wide frame (at 96 DPI; thicker at `dpi`) around `rect` on the screen;
// drawing it twice restores it.
void DrawDragFrame(const RECT& rect, int dpi = 96);

class FrameDrag {
public:
    // At the press: captures the mouse to `window` and notes the pointer's offset from the
    // window's corner. Returns the pointer position (screen).
    POINT Begin(HWND window);
    // The pointer moved: the frame (width x height, drawn for `dpi`) follows it.
    void Track(int width, int height, int dpi = 96);
    // At the release: lets the mouse go and erases the frame. Returns the pointer (screen).
    POINT End();
    // Where the window's corner goes for the pointer at `pointer`.
    POINT Corner(POINT pointer) const { return {pointer.x - offsetX, pointer.y - offsetY}; }

    RECT rect{}; // the window's rectangle at the press, then the frame's
    int offsetX = 0;
    int offsetY = 0;

private:
    bool frameShown_ = false; // an inverted frame is on the screen at rect
    int frameDpi_ = 96;       // the DPI it was drawn for
};

} // namespace revaze
