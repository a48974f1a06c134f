// The IME UI window of class "UINAME": IMM32 creates it, and it parents the composition, status
// and soft keyboard windows.
#pragma once

#include <windows.h>

#include "ui/cui_base.h"

namespace revaze {

inline constexpr wchar_t kUiFrameClass[] = L"UINAME";

class CUIFrame : public CUIBase {
public:
    // `procedure` is the input method's exported UI window procedure.
    CUIFrame(HINSTANCE instance, UiOwner& owner, WNDPROC procedure);

    bool RegisterWindowClass() override;
    static bool RegisterClassIn(HINSTANCE instance, WNDPROC procedure);
    void CreateUIWindow(HWND uiWindow) override;

private:
    WNDPROC procedure_;
};

} // namespace revaze
