#include "ui/cui_frame.h"

namespace revaze {

CUIFrame::CUIFrame(HINSTANCE instance, UiOwner& owner, WNDPROC procedure)
    : CUIBase(instance, kUiFrameClass, owner), procedure_(procedure) {}

bool CUIFrame::RegisterWindowClass() {
    return RegisterClassIn(instance, procedure_);
}

bool CUIFrame::RegisterClassIn(HINSTANCE instance, WNDPROC procedure) {
    // IMM32's two window words: the input context and the private word.
    return registerClass(instance, kUiFrameClass, CS_IME | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                         procedure, 2 * sizeof(LONG_PTR), kCursorHand, nullptr);
}

void CUIFrame::CreateUIWindow(HWND uiWindow) {
    window = uiWindow;
    SetWindowPos(uiWindow, nullptr, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER);
    ShowWindow(uiWindow, SW_SHOWNOACTIVATE);
}

} // namespace revaze
