// The base of the input method's windows: the module, the window class, the window and the two
// fonts, and what every one of them does to its window (Windows only).
#pragma once

#include <windows.h>

#include "ui/dpi_scale.h"
#include "ui/gdi.h"
#include "ui/theme.h"

namespace revaze {

class UiOwner;

class CUIBase {
public:
    // Creates the two fonts: the system's icon-title font at height 21 in "Microsoft Himalaya"
    // (at 96 DPI; AdoptDpi makes them again for the window's DPI).
    CUIBase(HINSTANCE instance, const wchar_t* className, UiOwner& owner);
    virtual ~CUIBase() = default;
    CUIBase(const CUIBase&) = delete;
    CUIBase& operator=(const CUIBase&) = delete;

    // Registers the derived object's window class; true when registration succeeded.
    virtual bool RegisterWindowClass() = 0;
    // Creates the derived object's window as a popup owned by the IME UI window `parent`.
    virtual void CreateUIWindow(HWND parent) = 0;

    bool UnregisterWindowClass();
    void DestroyUIWindow();
    // Lets go of the window without destroying it: its messages no longer reach this object
    // (which is about to be deleted on a thread that is ending).
    void ForgetWindow();
    void ShowNoActivate();
    void HideWindow();
    void Invalidate();
    // A length or coordinate of the 96-DPI geometry, in this window's pixels.
    int Scaled(int value) const { return scaleToDpi(value, dpi); }

    // The window procedure of the classes registered for objects: the message goes to the
    // window's object (commonMessage, then handleMessage), or to DefWindowProcW for a window
    // that has none.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance = nullptr;
    const wchar_t* className = nullptr;
    HWND window = nullptr;
    HWND parentWindow = nullptr;
    int posX = 0;
    int posY = 0;
    int width = 0;
    int height = 0;
    // Extended styles of the popup CreateUIWindow makes. The input method's windows have none:
    // they belong to the IME UI window. A text service's windows have no owner and stay on top.
    DWORD popupExStyle = 0;
    int dpi = kBaseDpi; // the DPI the window is drawn at
    UiTheme theme = UiTheme::Light;
    Font textFont;
    Font keyFont;

protected:
    // One message of this object's window; DefWindowProcW's answer unless a window has its own.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Makes the window's pictures (its bitmaps and brushes) again for its DPI and theme, with
    // whatever else it lays out at its DPI, and answers the window's size at that DPI. Called at
    // WM_CREATE, for a new DPI and for a new theme (which keeps the size). A window without
    // pictures keeps its size.
    virtual SIZE reloadPictures();
    // The window is drawn at `newDpi` now (at `suggested`, when Windows moved it to a monitor of
    // that scale): the fonts, the pictures and the size follow. Nothing when that was the DPI
    // already.
    void OnDpiChanged(int newDpi, const RECT* suggested);

    // Registers `className` for the module `instance`. The window procedure finds the object
    // through objectOf, which works once the window was created by createPopup. Static, so that
    // the input method registers its classes once for the process, before any window object
    // exists (each GUI thread has its own objects).
    static bool registerClass(HINSTANCE instance, const wchar_t* className, UINT style,
                              WNDPROC procedure, int extraBytes, WORD cursor, HBRUSH background);
    // Creates this object's window: a disabled popup owned by `parent`, never activated.
    HWND createPopup(HWND parent, int x, int y, int w, int h);
    // The object whose window this is: the one its window holds, or at the WM_NCCREATE of a
    // creation createPopup is making on this thread, the object that creation names. Null
    // before that and for foreign windows; a later WM_NCCREATE's lParam is never read.
    static CUIBase* objectOf(HWND window, UINT message, LPARAM lParam);

    UiOwner& owner_;

private:
    // What every window does alike, before its own handleMessage: a host's late WM_NCCREATE
    // leaves the name, WM_CREATE takes the theme and the pictures, and a new DPI, theme or
    // display is followed.
    LRESULT commonMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The fonts are made again at `newDpi`; false when that was the DPI already.
    bool AdoptDpi(int newDpi);
    // Takes the user's theme as it is now; false when it is the one the window shows already.
    bool AdoptTheme();
};

} // namespace revaze
