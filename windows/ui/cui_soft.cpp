#include "ui/cui_soft.h"

#include <cwchar>

#include "layouts/soft_keyboard_tables.h"
#include "ui/ui_owner.h"

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

CUISoft::CUISoft(HINSTANCE instance, UiOwner& owner) : CUIBase(instance, kSoftClass, owner) {
    width = 300; // nominal; the window itself is created 434 x 154
    height = 100;
}

bool CUISoft::RegisterWindowClass() {
    return RegisterClassIn(instance);
}

bool CUISoft::RegisterClassIn(HINSTANCE instance) {
    return registerClass(instance, kSoftClass, CS_IME, WindowProc, 12, kCursorHand,
                         static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
}

void CUISoft::CreateUIWindow(HWND parent) {
    parentWindow = parent;
    if (IsWindow(window)) {
        return;
    }
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window = createPopup(parent, x, y, kSoftWindowWidth, kSoftWindowHeight);
    ShowWindow(window, SW_HIDE);
    shown_.softVisible = false;
    setCursor(kCursorHand);
    LayoutKeys();
    // A new keyboard starts on its first page.
    owner_.OnSoftPageChosen(1);
}

void CUISoft::Show(const View& view) {
    const InputState& next = view.state;
    const bool newLabels =
        next.softPage != shown_.softPage || next.layoutIndex() != shown_.layoutIndex();
    const bool wasVisible = shown_.softVisible;
    shown_ = next;
    if (next.softVisible && !wasVisible) {
        LoadPageLabels();
        ShowNoActivate();
    } else if (!next.softVisible && wasVisible) {
        HideWindow();
    } else if (newLabels) {
        LoadPageLabels();
    }
}

void CUISoft::LoadPageLabels() {
    for (int i = 0; i < kSoftKeyCount; ++i) {
        keys[i].label[0] = SoftPageLabel(shown_.softPage, shown_.layoutIndex(), i);
        keys[i].label[1] = L'\0';
    }
    Invalidate();
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
}

void CUISoft::LoadKeyCaps() {
    if (!keyCapBitmap) {
        keyCapBitmap.reset(LoadBitmapW(instance, MAKEINTRESOURCEW(kKeyCapBitmapId)));
    }
}

void CUISoft::FreeKeyCaps() {
    keyCapBitmap.reset();
}

void CUISoft::Paint() {
    PaintScope paint(window);
    HDC dc = paint.dc();
    MemoryDC caps(dc, keyCapBitmap.get());
    if (!caps.ready()) {
        return;
    }
    SetTextColor(dc, RGB(190, 5, 30));
    SetBkMode(dc, TRANSPARENT);
    SelectedObject font(dc, keyFont.get());
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
        Invalidate();
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
        Invalidate();
    }
    if (dragging) {
        MoveWindow(window, pointer.x - dragOffsetX, pointer.y - dragOffsetY,
                   dragRect.right - dragRect.left, dragRect.bottom - dragRect.top, TRUE);
        dragging = 0;
    }
    setCursor(kCursorHand);
}

void CUISoft::OnCommand(int id) {
    int page = id - kFirstPageCommand + 1;
    if (page >= 1 && page <= kSoftPageCount) {
        owner_.OnSoftPageChosen(page);
    }
}

LRESULT CALLBACK CUISoft::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* soft = static_cast<CUISoft*>(objectOf(hwnd, message, lParam));
        if (soft == nullptr || soft->window != hwnd) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return soft->handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT CUISoft::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        LoadKeyCaps();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETCURSOR:
        if (HIWORD(lParam) == WM_LBUTTONDOWN) {
            PressKey();
        }
        return 0;
    case WM_NCHITTEST:
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        FireKey();
        return 0;
    case WM_MOUSEMOVE:
        setCursor(kCursorCross);
        return 0;
    case WM_LBUTTONDOWN:
        PostMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION,
                     MAKELPARAM(LOWORD(lParam), HIWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
        ReleaseKey();
        return 0;
    case WM_DESTROY:
        FreeKeyCaps();
        return 0;
    case WM_SETFOCUS:
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace revaze
