// The base of the four window objects of the input method (Windows only).
#pragma once

#include <windows.h>

namespace revaze {

class CUIBase {
public:
    // Creates the two fonts: the system's icon-title font at height 21 in "Microsoft Himalaya".
    explicit CUIBase(HINSTANCE instance);
    virtual ~CUIBase();
    CUIBase(const CUIBase&) = delete;
    CUIBase& operator=(const CUIBase&) = delete;

    // Registers the derived object's window class; true when registration succeeded.
    virtual bool RegisterWindowClass() = 0;
    // Creates the derived object's window as a popup owned by the IME UI window `parent`.
    virtual void CreateUIWindow(HWND parent) = 0;

    bool UnregisterWindowClass();
    void DestroyUIWindow();
    void ShowNoActivate();
    void HideWindow();

    HINSTANCE instance = nullptr;
    const wchar_t* className = nullptr;
    HWND window = nullptr;
    HWND parentWindow = nullptr;
    int posX = 0;
    int posY = 0;
    int width = 0;
    int height = 0;
    HFONT textFont = nullptr;
    HFONT keyFont = nullptr;
};

// Inverts a one-border-wide frame around `rect` on the screen; drawing it twice restores it.
void DrawDragFrame(const RECT& rect);

} // namespace revaze
