#include "ui/cui_frame.h"

extern "C" LRESULT CALLBACK UIWndProc(HWND, UINT, WPARAM, LPARAM);

namespace revaze {

namespace {

constexpr int kCursorHand = 32649; // IDC_HAND

// The system cursors by number: IDC_* expand to narrow resource names in a build without UNICODE.
HCURSOR systemCursor(int id) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

} // namespace

CUIFrame::CUIFrame(HINSTANCE instance) : CUIBase(instance) {
    className = kUiFrameClass;
}

bool CUIFrame::RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_IME | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = UIWndProc;
    wc.cbClsExtra = 0;
    // IMM32's two words: the input context and the private word.
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = systemCursor(kCursorHand);
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

void CUIFrame::CreateUIWindow(HWND uiWindow) {
    window = uiWindow;
    SetWindowPos(uiWindow, nullptr, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER);
    ShowWindow(uiWindow, SW_SHOWNOACTIVATE);
}

} // namespace revaze
