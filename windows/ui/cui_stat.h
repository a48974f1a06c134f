// The status window: five picture buttons (logo, input mode, soft keyboard, layout, menu), the
// layout menu and the help menu. The object also holds the input state every key consults.
#pragma once

#include <windows.h>

#include "session/input_state.h"
#include "ui/cui_base.h"

namespace revaze {

// The web site item 110 of the help menu opens.
inline constexpr const wchar_t* kWebsiteAddress = L"https://www.revaze.org/";
// The help document, relative to the Windows directory.
inline constexpr const wchar_t* kHelpDocumentPath = L"\\IME\\devero2\\help.pdf";

// Resource identifier of the button strip bitmap.
inline constexpr int kStatusStripBitmapId = 103;
inline constexpr int kStatusCell = 28; // every picture cell is 28 x 28
inline constexpr int kHelpCommand = 109;
inline constexpr int kWebsiteCommand = 110;

// Client x of the five buttons' cells (also the cells' x in the strip), in drawing order.
inline constexpr int kStatusButtonX[5] = {0, 28, 53, 79, 106};

// The status window's buttons; None for the gaps between them and for points off the window.
enum StatusButton : int {
    kStatusNone = 0,
    kStatusLogo = 1,
    kStatusMode = 2,
    kStatusSoftKeyboard = 3,
    kStatusLayout = 4,
    kStatusMenu = 5,
};

// The button at client x: both ends of each range belong to no button.
int StatusButtonAt(int x);

// The text of a layout's menu item. BZD's item reads differently while Wylie is current.
const wchar_t* LayoutMenuText(int layoutId, int currentLayoutId);

class CUIStat : public CUIBase {
public:
    explicit CUIStat(HINSTANCE instance);
    ~CUIStat() override;

    bool RegisterWindowClass() override;
    void CreateUIWindow(HWND parent) override;

    void LoadStrip();
    void FreeStrip();
    void Paint();
    // Converts the screen point to client coordinates in place; the button 1..5 under it or 0.
    int HitTest(POINT& point) const;
    void BeginDrag();
    void TrackDrag();
    void EndDrag();
    void ShowLayoutMenu();
    void ShowHelpMenu();
    // Builds the layout menu into popupMenu without tracking it; the caller owns the menu.
    HMENU BuildLayoutMenu();
    HMENU BuildHelpMenu();
    void OnCommand(int id);

    // Repaint the buttons later; reload the strip and repaint now (a new badge).
    void Invalidate();
    void RefreshNow();

    HBITMAP stripBitmap = nullptr;
    RECT dragRect{};
    int dragOffsetX = 0;
    int dragOffsetY = 0;
    int dragging = 1; // so the very first press anywhere drags the window
    int softKeyButtonUp = 1;
    int logoButtonUp = 1;
    int layoutButtonUp = 1;
    int menuButtonUp = 1;
    HMENU popupMenu = nullptr;
    InputState state;
};

LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace revaze
