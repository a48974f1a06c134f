// The two exported window procedures: the IME UI window, which parents the three windows and
// answers IMM32's messages, and the composition window, whose object does the rest.
#include <windows.h>

#include <imm.h>

#include "imm/ime_module.h"
#include "imm/immdev.h"
#include "platform/guarded.h"

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

// The thread's windows, owned by its new UI window, showing the state its session is in.
void createWindows(revaze::ImeThread& thread, HWND uiWindow) {
    thread.frame.window = uiWindow;
    thread.comp.CreateUIWindow(uiWindow);
    thread.stat.CreateUIWindow(uiWindow);
    thread.soft.CreateUIWindow(uiWindow);
    revaze::Result current;
    current.view = thread.session().view();
    thread.Show(current);
}

LRESULT uiWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only tested for null: a context a host stores here is never read through.
    if (GetWindowLongPtrW(hwnd, IMMGWLP_IMC) == 0 && isImeMessage(message)) {
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        createWindows(g_module->thread(), hwnd);
        return 0;
    case WM_DESTROY:
        if (revaze::ImeThread* thread = g_module->existingThread()) {
            thread->comp.DestroyUIWindow();
            thread->stat.DestroyUIWindow();
            thread->soft.DestroyUIWindow();
        }
        return 0;
    case WM_NCDESTROY:
        // The thread's UI window has gone, and its session with it. Another UI window of the
        // thread (one a host made itself) takes nothing along.
        if (revaze::ImeThread* thread = g_module->existingThread();
            thread != nullptr && thread->frame.window == hwnd) {
            g_module->ReleaseThread();
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
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
    return revaze::guarded(LRESULT{0},
                           [&] { return uiWindowMessage(hwnd, message, wParam, lParam); });
}

extern "C" LRESULT CALLBACK CompWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return revaze::CUIComp::WindowProc(hwnd, message, wParam, lParam);
}
