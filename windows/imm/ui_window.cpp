// The two exported window procedures: the IME UI window, which parents the three windows and
// answers IMM32's messages, and the composition window, whose object does the rest.
#include <windows.h>

#include <imm.h>

#include "imm/ime_module.h"
#include "imm/immdev.h"

namespace {

bool isImeMessage(UINT message) {
    switch (message) {
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY:
    case WM_IME_CONTROL:
    case WM_IME_COMPOSITIONFULL:
    case WM_IME_SELECT:
    case WM_IME_CHAR:
        return true;
    default:
        return false;
    }
}

LRESULT uiWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only tested for null: a context a host stores here is never read through.
    if (GetWindowLongPtrW(hwnd, IMMGWLP_IMC) == 0 && isImeMessage(message)) {
        return 0;
    }
    revaze::ImeModule& module = *g_module;
    switch (message) {
    case WM_CREATE:
        module.frame.window = hwnd;
        module.comp.CreateUIWindow(hwnd);
        module.stat.CreateUIWindow(hwnd);
        module.soft.CreateUIWindow(hwnd);
        // The new windows show the state the process is in.
        {
            revaze::Result current;
            current.view = module.session().view();
            module.Show(current);
        }
        return 0;
    case WM_DESTROY:
        module.comp.DestroyUIWindow();
        module.stat.DestroyUIWindow();
        module.soft.DestroyUIWindow();
        return 0;
    case WM_SETFOCUS:
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_SETCONTEXT:
    case WM_IME_NOTIFY:
    case WM_IME_COMPOSITIONFULL:
    case WM_IME_SELECT:
        return 0;
    case WM_IME_CONTROL:
        return wParam == IMC_GETCOMPOSITIONWINDOW ? 0 : 1;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

extern "C" LRESULT CALLBACK UIWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return uiWindowMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

extern "C" LRESULT CALLBACK CompWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return revaze::CUIComp::WindowProc(hwnd, message, wParam, lParam);
}
