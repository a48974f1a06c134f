#include "ui/cui_frame.h"

namespace revaze {

CUIFrame::CUIFrame(HINSTANCE instance, UiOwner& owner, WNDPROC procedure)
    : CUIBase(instance, kUiFrameClass, owner), procedure_(procedure) {}

bool CUIFrame::RegisterWindowClass() {
    return RegisterForwarderClass(nullptr);
}

bool CUIFrame::RegisterForwarderClass(HINSTANCE forwarder) {
    // IMM32's two window words: the input context and the private word.
    return registerClass(CS_IME | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, procedure_,
                         2 * sizeof(LONG_PTR), kCursorHand, nullptr, forwarder);
}

void CUIFrame::CreateUIWindow(HWND uiWindow) {
    window = uiWindow;
    SetWindowPos(uiWindow, nullptr, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER);
    ShowWindow(uiWindow, SW_SHOWNOACTIVATE);
}

} // namespace revaze
