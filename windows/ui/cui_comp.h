// The composition and candidate window: the display line of the active composer and its page of
// numbered candidates, beside the text being typed.
#pragma once

#include <windows.h>

#include <string>

#include "session/view.h"
#include "ui/cui_base.h"
#include "ui/drag.h"

namespace revaze {

inline constexpr wchar_t kCompClass[] = L"UICOMP";
inline constexpr wchar_t kSkinResource[] = L"SKIN1";
inline constexpr COLORREF kCompTextColour = RGB(200, 0, 45);
inline constexpr COLORREF kCompFrameColour = RGB(180, 180, 180);
inline constexpr int kSeparatorY = 25;
inline constexpr int kSeparatorShort = 150; // the separator stops this far from the right edge

class CUIComp : public CUIBase {
public:
    // `procedure` is the window procedure the class is registered with; it must forward to
    // WindowProc (the input method exports its own, CompWndProc).
    CUIComp(HINSTANCE instance, UiOwner& owner, WNDPROC procedure = WindowProc);

    bool RegisterWindowClass() override;
    // Registers the class for `instance` without an object (the input method, once a process).
    static bool RegisterClassIn(HINSTANCE instance, WNDPROC procedure = WindowProc);
    void CreateUIWindow(HWND parent) override;

    // Shows what the view holds: places, widens or hides the window and repaints it.
    void Show(const View& view);
    // Moves the window beside the text being typed and shows it without activation.
    void PlaceNearCaret();
    void moveTo(int x, int y, int w, int h);

    void LoadSkin();
    void FreeSkin();
    void Paint();
    void BeginDrag();
    void TrackDrag();
    void EndDrag();

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int userPlaced = 0; // the user dragged the window: it no longer follows the caret
    Pen framePen;
    Bitmap skinBitmap;
    Brush skinBrush;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC procedure_;
    FrameDrag drag_;
    // What the window draws: the display line, the candidate page ("\n  1: ...", empty without
    // candidates) and the "A" badge while Caps Lock gives capitals, as the last view held them.
    View shown_;
};

} // namespace revaze
