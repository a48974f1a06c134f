// The composition and candidate window: the display line of the active composer and its page of
// numbered candidates, beside the text being typed.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "session/view.h"
#include "ui/accessibility.h"
#include "ui/cui_base.h"
#include "ui/drag.h"
#include "ui/placement.h"
#include "ui/scaled_bitmap.h"

namespace revaze {

inline constexpr wchar_t kCompClass[] = L"UICOMP";
inline constexpr wchar_t kSkinResource[] = L"SKIN1";
inline constexpr int kSkinScaledId = 1; // the skin at 120 DPI is bitmap 12001
inline constexpr int kSeparatorY = 25;
inline constexpr int kSeparatorShort = 150; // the separator stops this far from the right edge
inline constexpr int kCompBottomRoom = 6;   // below the last line (at 96 DPI)

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
    // Moves the window beside the text being typed (whole on the monitor of the text) and shows
    // it without activation.
    void PlaceNearCaret();
    void moveTo(int x, int y, int w, int h);
    // The window's size for what it shows now: 275 x 132 at 96 DPI, scaled to the window's
    // DPI, and taller when the lines of the real font need more (tall stacks, a larger font).
    SIZE MeasuredSize() const;
    // The width the display line takes in the real font, with its margins.
    int MeasuredLineWidth() const;

    void FreeSkin();
    void Paint();
    void BeginDrag();
    void TrackDrag();
    void EndDrag();

    bool userPlaced = false; // the user dragged the window: it no longer follows the caret
    Brush frameBrush;        // the frame and the separator
    ScaledBitmap skin;
    Brush skinBrush;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The skin, its brush and the frame's brush; the measured size.
    SIZE reloadPictures() override;
    // Moves the window beside the text at `anchor`; with none, whole on the focus monitor.
    void placeBeside(std::span<const MonitorArea> monitors, const TextAnchor* anchor);

    WNDPROC procedure_;
    FrameDrag drag_;
    CompositionAccessibility accessibility_;
    // What the window draws: the display line, the candidate page ("\n  1: ...", empty without
    // candidates) and the "A" badge while Caps Lock gives capitals, as the last view held them.
    View shown_;
};

} // namespace revaze
