// The composition and candidate window: the display line of the active composer and its page of
// numbered candidates, beside the caret of the application.
#pragma once

#include <windows.h>

#include "ui/cui_base.h"

namespace revaze {

inline constexpr wchar_t kCompClass[] = L"UICOMP";
inline constexpr wchar_t kSkinResource[] = L"SKIN1";
inline constexpr COLORREF kCompTextColour = RGB(200, 0, 45);
inline constexpr COLORREF kCompFrameColour = RGB(180, 180, 180);
inline constexpr int kCaretOffset = 28; // the window's top-left sits this far from the caret
inline constexpr int kSeparatorY = 25;
inline constexpr int kSeparatorShort = 150; // the separator stops this far from the right edge

class CUIComp : public CUIBase {
public:
    explicit CUIComp(HINSTANCE instance);
    ~CUIComp() override;

    bool RegisterWindowClass() override;
    void CreateUIWindow(HWND parent) override;

    void LoadSkin();
    void FreeSkin();
    // WM_PAINT.
    void Paint();
    // Draws onto `dc` and places, widens or hides the window as the composer's text asks.
    void PaintOn(HDC dc);
    void PlaceNearCaret();
    void ShowAndInvalidate();
    void HideAndInvalidate();
    void RefreshNow();
    // A new layout: fresh skin, then the paint logic at once.
    void ReloadSkinAndPaint();
    void BeginDrag(LPARAM lParam);
    void TrackDrag();
    void EndDrag(HWND dragged);

    RECT dragRect{};
    int dragOffsetX = 0;
    int dragOffsetY = 0;
    int userPlaced = 0;
    HPEN framePen = nullptr;
    HBITMAP skinBitmap = nullptr;
    HBRUSH skinBrush = nullptr;

private:
    bool frameShown_ = false; // an inverted drag frame is on the screen at dragRect
};

} // namespace revaze
