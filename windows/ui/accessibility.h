// What the windows tell assistive technology: their names (the window text), the IME events of
// the composition window (EVENT_OBJECT_IME_SHOW, _HIDE and _CHANGE), and the UI Automation
// elements of the candidates and of the status window's buttons (uia_provider.h).
#pragma once

#include <windows.h>

#include "session/view.h"
#include "ui/uia_provider.h"

namespace revaze {

// The text of the window of class `className`, which names it; null for other classes.
const wchar_t* AccessibleWindowName(const wchar_t* className);

// A WM_NCCREATE a host sends to a window that exists and is named already: the window answers
// it without DefWindowProcW, which would take a new name from lParam.
inline bool KeepsName(HWND window, UINT message) {
    return message == WM_NCCREATE && GetWindowTextLengthW(window) > 0;
}

// Posted to the status window when a client invokes one of its buttons (wParam: the button's
// element, 0 to 3 for mode, soft keyboard, layout and menu).
inline constexpr UINT kStatusInvokeMessage = WM_APP + 0x2A;

class CompositionAccessibility {
public:
    CompositionAccessibility();

    // Raises IME_SHOW or IME_HIDE when a WM_WINDOWPOSCHANGED shows or hides the window.
    void Moved(HWND window, const WINDOWPOS& pos) const;

    // Brackets one Show of a view: at its end, a window that was shown before and still is
    // raises IME_CHANGE if what it shows differs, and a new page announces its first candidate.
    class ShowScope {
    public:
        ShowScope(CompositionAccessibility& owner, HWND window, const View& view, HFONT font);
        ~ShowScope();
        ShowScope(const ShowScope&) = delete;
        ShowScope& operator=(const ShowScope&) = delete;

    private:
        CompositionAccessibility& owner_;
        HWND window_;
        bool wasShown_;
        bool changed_;
        bool newPage_;
    };

    WindowAutomation automation;

private:
    // The parts of a view the window shows.
    struct Shown {
        std::wstring displayLine;
        std::vector<std::wstring> candidates;
        int pageFirst = 1;
        bool capitals = false;
        bool operator==(const Shown&) const = default;
    };
    Shown shown_;
    HFONT measuredFont_ = nullptr;
    int lineHeight_ = 0;
};

class StatusAccessibility {
public:
    StatusAccessibility();
    // The buttons as the view shows them: the mode, the soft keyboard, the layout and the menu.
    void Update(HWND window, const View& view, int dpi);

    WindowAutomation automation;
};

} // namespace revaze
