// The soft keyboard window: 57 keys whose caps show the Tibetan labels of the current page and
// layout. A click synthesises the key's press and release, so it comes back as a typed key.
#pragma once

#include <windows.h>

#include <array>

#include "session/view.h"
#include "ui/cui_base.h"
#include "ui/placement.h"
#include "ui/scaled_bitmap.h"

namespace revaze {

inline constexpr wchar_t kSoftClass[] = L"UISOFT";
inline constexpr int kKeyCapBitmapId = 113;
inline constexpr UINT_PTR kFireKeyTimer = 9;
inline constexpr int kSoftWindowWidth = 434;
inline constexpr int kSoftWindowHeight = 154;
inline constexpr int kSoftKeyCapacity = 60;
// WM_COMMAND identifiers 102..106 show pages 1..5.
inline constexpr int kFirstPageCommand = 102;

// Where the soft keyboard opens on a monitor: its corner at the monitor's middle, inside the
// work area.
ScreenPoint SoftKeyboardHome(const MonitorArea& monitor, int width, int height);

struct SoftKeyRecord {
    bool up = true;     // drawn raised, else pressed
    RECT hitRect{};     // client rectangle of the key, at the window's DPI
    wchar_t name[6]{};  // the name printed on the key
    wchar_t label[2]{}; // the label of the current page and layout
    int index = 0;      // 0..56
    int x = 0;          // x, y, width and height at the window's DPI
    int y = 0;
    int width = 0;
    int height = 0;
    int capX = 0; // raised cap in bitmap 113 (96 DPI); the pressed one is 30 pixels lower
    int capY = 0;
};

class CUISoft : public CUIBase {
public:
    CUISoft(HINSTANCE instance, UiOwner& owner);

    bool RegisterWindowClass() override;
    static bool RegisterClassIn(HINSTANCE instance);
    void CreateUIWindow(HWND parent) override;

    // Shown or hidden as the view says, with the labels of its page and layout.
    void Show(const View& view);

    void LayoutKeys();
    void LoadPageLabels();
    void Paint();
    // Converts the screen point to client coordinates in place; the key index under it or -1.
    int HitTest(POINT& point) const;
    void PressKey();
    void FireKey();
    void ReleaseKey();
    void OnCommand(int id);

    ScaledBitmap keyCaps;
    std::array<SoftKeyRecord, kSoftKeyCapacity> keys{};
    int pressedKey = -1;
    int dragOffsetX = 0;
    int dragOffsetY = 0;
    bool dragging = false;
    RECT dragRect{};

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The key caps at the window's DPI, in its theme, and the keys placed at that DPI; the
    // keyboard's size.
    SIZE reloadPictures() override;

    InputState shown_; // the soft keyboard, page and layout the window shows
};

} // namespace revaze
