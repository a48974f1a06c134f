#include "ui/cui_soft.h"

#include <cwchar>

#include "imm/dll_globals.h"
#include "layouts/soft_keyboard_tables.h"
#include "session/state_actions.h"
#include "ui/cui_stat.h"
#include "ui/gdi_scope.h"

namespace revaze {

namespace {

bool isKey(int index) {
    return index >= 0 && index < kSoftKeyCount;
}

void drawText(HDC dc, int x, int y, const wchar_t* text) {
    int length = static_cast<int>(std::wcslen(text));
    if (length > 0) {
        TextOutW(dc, x, y, text, length);
    }
}

} // namespace

CUISoft::CUISoft(HINSTANCE instance_) : CUIBase(instance_) {
    className = L"UISOFT";
    width = 300; // nominal; the window itself is created 434 x 154
    height = 100;
}

CUISoft::~CUISoft() {
    FreeKeyCaps();
}

bool CUISoft::RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_IME;
    wc.lpfnWndProc = SoftKbdWndProc;
    wc.cbWndExtra = 12;
    wc.hInstance = instance;
    wc.hCursor = systemCursor(kCursorHand);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

void CUISoft::CreateUIWindow(HWND parent) {
    parentWindow = parent;
    if (IsWindow(window)) {
        return;
    }
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window = CreateWindowExW(0, className, nullptr, WS_POPUP | WS_DISABLED, x, y, kSoftWindowWidth,
                             kSoftWindowHeight, parent, nullptr, instance, nullptr);
    ShowWindow(window, SW_HIDE);
    setCursor(kCursorHand);
    LayoutKeys();
}

void CUISoft::ShowKeyboardWindow() {
    LoadPageLabels();
    ShowNoActivate();
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CUISoft::HideKeyboardWindow() {
    HideWindow();
}

void CUISoft::LoadPageLabels() {
    if (g_uiStat == nullptr) {
        return;
    }
    const InputState& state = g_uiStat->state;
    for (int i = 0; i < kSoftKeyCount; ++i) {
        keys[i].label[0] = SoftPageLabel(state.softPage, state.layoutIndex, i);
        keys[i].label[1] = L'\0';
    }
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CUISoft::LayoutKeys() {
    for (int i = 0; i < kSoftKeyCount; ++i) {
        const SoftKeyGeometry& g = kSoftKeyGeometry[i];
        SoftKeyRecord& key = keys[i];
        key.up = 1;
        key.index = i;
        key.x = g.x;
        key.y = g.y;
        key.width = g.width;
        key.height = g.height;
        key.capX = g.capX;
        key.capY = g.capY;
        key.hitRect = RECT{g.x, g.y, g.x + g.width, g.y + g.height};
        const size_t capacity = sizeof key.name / sizeof key.name[0];
        std::wcsncpy(key.name, g_softKeyTable[i].name, capacity - 1);
        key.name[capacity - 1] = L'\0';
        key.label[0] = L' ';
        key.label[1] = L'\0';
    }
    if (g_uiStat != nullptr) {
        g_uiStat->state.softPage = 1;
    }
}

void CUISoft::LoadKeyCaps() {
    if (keyCapBitmap == nullptr) {
        keyCapBitmap = LoadBitmapW(instance, MAKEINTRESOURCEW(kKeyCapBitmapId));
    }
}

void CUISoft::FreeKeyCaps() {
    if (keyCapBitmap != nullptr) {
        DeleteObject(keyCapBitmap);
        keyCapBitmap = nullptr;
    }
}

void CUISoft::Paint() {
    PaintScope paint(window);
    HDC dc = paint.dc();
    MemoryDC caps(dc, keyCapBitmap);
    if (!caps.ready()) {
        return;
    }
    SetTextColor(dc, RGB(190, 5, 30));
    SetBkMode(dc, TRANSPARENT);
    SelectedObject font(dc, keyFont);
    for (int i = 0; i < kSoftKeyCount; ++i) {
        const SoftKeyRecord& key = keys[i];
        // The pressed picture sits one cap row lower and its text one pixel further in.
        int shift = key.up ? 0 : 1;
        BitBlt(dc, key.x, key.y, key.width, key.height, caps.get(), key.capX,
               key.capY + (key.up ? 0 : kSoftKeyPressedCapOffset), SRCCOPY);
        drawText(dc, key.x + 2 + shift, key.y + 1 + shift, key.name);
        drawText(dc, key.x + 12 + shift, key.y + 9 + shift, key.label);
    }
}

int CUISoft::HitTest(POINT& point) const {
    ScreenToClient(window, &point);
    RECT client{};
    GetClientRect(window, &client);
    if (!PtInRect(&client, point)) {
        return -1;
    }
    for (int i = 0; i < kSoftKeyCount; ++i) {
        if (PtInRect(&keys[i].hitRect, point)) {
            return keys[i].index;
        }
    }
    return -1;
}

void CUISoft::PressKey() {
    SetCapture(window);
    POINT pointer{};
    GetCursorPos(&pointer);
    pressedKey = HitTest(pointer); // pointer is in client coordinates from here on
    if (isKey(pressedKey)) {
        keys[pressedKey].up = 0;
        InvalidateRect(window, nullptr, FALSE);
        SetTimer(window, kFireKeyTimer, 1, nullptr);
    }
    // Offsets of the client point from the window's corner: at the release the window moves
    // by the pointer's displacement (see ReleaseKey).
    GetWindowRect(window, &dragRect);
    dragOffsetX = pointer.x - dragRect.left;
    dragOffsetY = pointer.y - dragRect.top;
    dragging = 1;
}

void CUISoft::FireKey() {
    KillTimer(window, kFireKeyTimer);
    if (!isKey(pressedKey)) {
        return;
    }
    auto vk = static_cast<BYTE>(g_softKeyTable[pressedKey].virtualKey);
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

void CUISoft::ReleaseKey() {
    ReleaseCapture();
    POINT pointer{};
    GetCursorPos(&pointer);
    int k = HitTest(pointer);
    if (isKey(k)) {
        keys[k].up = 1;
        InvalidateRect(window, nullptr, FALSE);
    }
    if (dragging) {
        MoveWindow(window, pointer.x - dragOffsetX, pointer.y - dragOffsetY,
                   dragRect.right - dragRect.left, dragRect.bottom - dragRect.top, TRUE);
        dragging = 0;
    }
    setCursor(kCursorHand);
    ShowCursor(TRUE);
}

void CUISoft::OnCommand(int id) {
    int page = id - kFirstPageCommand + 1;
    if (page >= 1 && page <= kSoftPageCount) {
        ShowSoftPage(ImeObjects(), page);
    }
}

LRESULT CALLBACK SoftKbdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        CUISoft* soft = g_uiSoft;
        if (soft == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        if (soft->window == nullptr) {
            soft->window = window; // messages sent before CreateWindowExW returns
        }
        switch (message) {
        case WM_CREATE:
            soft->LoadKeyCaps();
            return 0;
        case WM_PAINT:
            soft->Paint();
            return 0;
        case WM_SETCURSOR:
            if (HIWORD(lParam) == WM_LBUTTONDOWN) {
                soft->PressKey();
            }
            return 0;
        case WM_NCHITTEST:
            return 0;
        case WM_COMMAND:
            soft->OnCommand(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            soft->FireKey();
            return 0;
        case WM_MOUSEMOVE:
            setCursor(kCursorCross);
            return 0;
        case WM_LBUTTONDOWN:
            PostMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION,
                         MAKELPARAM(LOWORD(lParam), HIWORD(lParam)));
            return 0;
        case WM_LBUTTONUP:
            soft->ReleaseKey();
            return 0;
        case WM_DESTROY:
        case WM_SETFOCUS:
            return 0;
        default:
            break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

} // namespace revaze
