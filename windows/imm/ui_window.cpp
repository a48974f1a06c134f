// The two exported window procedures: the IME UI window, which parents the three windows and
// answers IMM32's messages, and the composition window, which forwards to g_uiComp.
#include <windows.h>

#include <imm.h>

#include "imm/dll_globals.h"
#include "imm/immdev.h"
#include "ui/cui_comp.h"
#include "ui/cui_frame.h"
#include "ui/cui_soft.h"
#include "ui/cui_stat.h"

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
    switch (message) {
    case WM_CREATE:
        g_uiFrame->window = hwnd;
        g_uiComp->CreateUIWindow(hwnd);
        g_uiStat->CreateUIWindow(hwnd);
        g_uiSoft->CreateUIWindow(hwnd);
        return 0;
    case WM_DESTROY:
        g_uiComp->DestroyUIWindow();
        g_uiStat->DestroyUIWindow();
        g_uiSoft->DestroyUIWindow();
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

LRESULT compWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        g_uiComp->LoadSkin();
        return 0;
    case WM_DESTROY:
        g_uiComp->FreeSkin();
        return 0;
    case WM_SETFOCUS:
    case WM_COMMAND:
        return 0;
    case WM_PAINT:
        g_uiComp->Paint();
        return 0;
    case WM_SETCURSOR:
        // A disabled popup never sees the button press itself; WM_SETCURSOR names it.
        if (HIWORD(lParam) == WM_LBUTTONDOWN) {
            g_uiComp->BeginDrag(lParam);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_MOUSEMOVE:
        g_uiComp->TrackDrag();
        return 0;
    case WM_LBUTTONUP:
        g_uiComp->EndDrag(hwnd);
        return 0;
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
    try {
        return compWindowMessage(hwnd, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
