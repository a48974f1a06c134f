// The status window: five picture buttons (logo, input mode, soft keyboard, layout, menu), the
// layout menu and the help menu.
#pragma once

#include <windows.h>

#include "layouts/layouts.h"
#include "session/view.h"
#include "ui/accessibility.h"
#include "ui/cui_base.h"
#include "ui/drag.h"
#include "ui/placement.h"
#include "ui/scaled_bitmap.h"
#include "ui/status_layout.h"

namespace revaze {

inline constexpr wchar_t kStatClass[] = L"UISTAT";
// The web site item 110 of the help menu opens.
inline constexpr const wchar_t* kWebsiteAddress = L"https://www.revaze.org/";
// The help document, relative to the Windows directory.
inline constexpr const wchar_t* kHelpDocumentPath = L"\\IME\\devero2\\help.pdf";

// Resource identifier of the button strip bitmap (drawn at 96 DPI; scaledBitmapId names the
// others).
inline constexpr int kStatusStripBitmapId = 103;
inline constexpr int kHelpCommand = 109;
inline constexpr int kWebsiteCommand = 110;
inline constexpr int kSettingsCommand = 111;

// Where the status window opens on a monitor: three quarters across, 132 pixels above its
// bottom edge, inside its work area.
ScreenPoint StatusHome(const MonitorArea& monitor, int width, int height);

class CUIStat : public CUIBase {
public:
    CUIStat(HINSTANCE instance, UiOwner& owner);

    bool RegisterWindowClass() override;
    static bool RegisterClassIn(HINSTANCE instance);
    void CreateUIWindow(HWND parent) override;

    // Shows the mode, the soft keyboard's state and the layout's badge of the view.
    void Show(const View& view);
    // The window moves to the monitor of the focus window when it is on another one.
    void FollowFocusMonitor();

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
    // Element 0..3 (mode, soft keyboard, layout, menu) invoked by an assistive client.
    void OnInvoke(int element);
    // What a click on `button` (a StatusButton) does: the mode, the keyboard, a menu.
    void Act(int button);

    ScaledBitmap strip;
    bool dragging = true; // so the very first press anywhere drags the window
    bool logoButtonUp = true;
    bool layoutButtonUp = true;
    bool menuButtonUp = true;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The button strip at the window's DPI, in its theme; the size of five cells.
    SIZE reloadPictures() override;
    int stripRow(int button) const;

    // What the strip shows of a view: it is drawn again only when this changes, not on every
    // key.
    struct Look {
        InputMode mode = InputMode::Tibetan; // the mode the keys act in
        LayoutId layoutId = LayoutId::Wylie;
        bool softVisible = false;

        bool operator==(const Look&) const = default;
    };
    Look shown_; // what the window draws: the look of the last view it was shown

    FrameDrag drag_;
    StatusAccessibility accessibility_;
};

} // namespace revaze
