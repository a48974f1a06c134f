// The status window: five picture buttons (logo, input mode, soft keyboard, layout, menu), the
// layout menu and the help menu.
#pragma once

#include <windows.h>

#include "layouts/layouts.h"
#include "session/view.h"
#include "ui/cui_base.h"
#include "ui/drag.h"

namespace revaze {

inline constexpr wchar_t kStatClass[] = L"UISTAT";
// The web site item 110 of the help menu opens.
inline constexpr const wchar_t* kWebsiteAddress = L"https://www.revaze.org/";
// The help document, relative to the Windows directory.
inline constexpr const wchar_t* kHelpDocumentPath = L"\\IME\\devero2\\help.pdf";

// Resource identifier of the button strip bitmap.
inline constexpr int kStatusStripBitmapId = 103;
inline constexpr int kStatusCell = 28; // every picture cell is 28 x 28
inline constexpr int kHelpCommand = 109;
inline constexpr int kWebsiteCommand = 110;
inline constexpr int kSettingsCommand = 111;

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

class CUIStat : public CUIBase {
public:
    CUIStat(HINSTANCE instance, UiOwner& owner);

    bool RegisterWindowClass() override;
    static bool RegisterClassIn(HINSTANCE instance);
    void CreateUIWindow(HWND parent) override;

    // Shows the mode, the soft keyboard's state and the layout's badge of the view.
    void Show(const View& view);

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
    // Builds the menus without tracking them; the caller owns the menu.
    HMENU BuildLayoutMenu() const;
    HMENU BuildHelpMenu() const;
    void OnCommand(int id);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Bitmap stripBitmap;
    int dragging = 1; // so the very first press anywhere drags the window
    int logoButtonUp = 1;
    int layoutButtonUp = 1;
    int menuButtonUp = 1;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    View shown_; // what the window draws: the last view it was shown

    FrameDrag drag_;
};

} // namespace revaze
