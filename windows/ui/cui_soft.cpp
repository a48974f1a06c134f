#include "ui/cui_soft.h"

#include <algorithm>
#include <cwchar>

#include "layouts/soft_keyboard_tables.h"
#include "ui/dpi_scale.h"
#include "ui/monitors.h"
#include "ui/ui_owner.h"
#include "ui/window_dpi.h"

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

// Where a key is drawn and answers at `dpi`: both edges scaled, so that neighbours still touch.
void placeKey(SoftKeyRecord& key, const SoftKeyGeometry& g, int dpi) {
    const ScaledSpan across = scaleSpan(g.x, g.width, dpi);
    const ScaledSpan down = scaleSpan(g.y, g.height, dpi);
    key.x = across.start;
    key.y = down.start;
    key.width = across.length;
    key.height = down.length;
    key.hitRect = RECT{across.start, down.start, across.end(), down.end()};
}

// Draws the cap sx, sy, sw, sh of `caps` into x, y, w, h. A cap of another size is cut in its
// middle: its corners and edges (the bevel) are copied as they are, and the flat middle of the
// face stretched over what remains, so that a key of any size is drawn sharp.
void drawCap(HDC dc, int x, int y, int w, int h, HDC caps, int sx, int sy, int sw, int sh) {
    if (w == sw && h == sh) {
        BitBlt(dc, x, y, w, h, caps, sx, sy, SRCCOPY);
        return;
    }
    struct Part {
        int at, length, from, fromLength;
    };
    auto parts = [](int at, int length, int from, int fromLength, Part(&out)[3]) {
        const int first = std::min(length - length / 2, fromLength - fromLength / 2);
        const int last = std::min(length / 2, fromLength / 2);
        out[0] = {at, first, from, first};
        out[1] = {at + first, length - first - last, from + fromLength / 2, 1};
        out[2] = {at + length - last, last, from + fromLength - last, last};
    };
    Part across[3];
    Part down[3];
    parts(x, w, sx, sw, across);
    parts(y, h, sy, sh, down);
    for (const Part& row : down) {
        for (const Part& column : across) {
            if (row.length > 0 && column.length > 0) {
                StretchBlt(dc, column.at, row.at, column.length, row.length, caps, column.from,
                           row.from, column.fromLength, row.fromLength, SRCCOPY);
            }
        }
    }
}

} // namespace

ScreenPoint SoftKeyboardHome(const MonitorArea& monitor, int width, int height) {
    const ScreenRect& m = monitor.monitor;
    return KeepInside({m.left + m.width() / 2, m.top + m.height() / 2}, width, height,
                      monitor.work);
}

CUISoft::CUISoft(HINSTANCE instance, UiOwner& owner) : CUIBase(instance, kSoftClass, owner) {
    width = kSoftWindowWidth;
    height = kSoftWindowHeight;
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
    const ScreenPoint home = SoftKeyboardHome(FocusMonitor(DesktopMonitors()), width, height);
    window = createPopup(parent, home.x, home.y, width, height);
    ShowWindow(window, SW_HIDE);
    shown_.softVisible = false;
    setCursor(kCursorHand);
    LayoutKeys();
    OnDpiChanged(DpiOfWindow(window), nullptr);
}

void CUISoft::Show(const View& view) {
    const InputState& next = view.state;
    const bool newLabels =
        next.softPage != shown_.softPage || next.layoutIndex() != shown_.layoutIndex();
    const bool wasVisible = shown_.softVisible;
    shown_ = next;
    if (next.softVisible && !wasVisible) {
        LoadPageLabels();
        // It opens where the user types.
        OpenOnFocusMonitor(window, SoftKeyboardHome);
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
        key.up = true;
        key.index = i;
        placeKey(key, g, dpi);
        key.capX = g.capX;
        key.capY = g.capY;
        const size_t capacity = sizeof key.name / sizeof key.name[0];
        std::wcsncpy(key.name, g_softKeyTable[i].name, capacity - 1);
        key.name[capacity - 1] = L'\0';
        key.label[0] = L' ';
        key.label[1] = L'\0';
    }
}

SIZE CUISoft::reloadPictures() {
    // The labels stay: only where each key is drawn changes.
    for (int i = 0; i < kSoftKeyCount; ++i) {
        placeKey(keys[i], kSoftKeyGeometry[i], dpi);
    }
    keyCaps = LoadScaledBitmap(instance, MAKEINTRESOURCEW(kKeyCapBitmapId), kKeyCapBitmapId, dpi);
    const int pressedFrom = scaleToDpi(kSoftKeyPressedCapOffset, keyCaps.dpi);
    if (Bitmap themed = Recoloured(keyCaps.bitmap.get(), SkinPart::KeyCaps, theme, pressedFrom)) {
        keyCaps.bitmap = std::move(themed);
    }
    return {Scaled(kSoftWindowWidth), Scaled(kSoftWindowHeight)};
}

void CUISoft::Paint() {
    PaintScope paint(window);
    HDC dc = paint.dc();
    MemoryDC caps(dc, keyCaps.bitmap.get());
    if (!caps.ready()) {
        return;
    }
    const ThemeColours colours = ColoursFor(theme);
    // What no key covers (right of the space bar) in the theme's background: the class's light
    // grey in the light theme, as before.
    RECT client{};
    GetClientRect(window, &client);
    Brush background(theme == UiTheme::Light ? nullptr : CreateSolidBrush(colours.keyboardBack));
    FillRect(dc, &client,
             background ? background.get() : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SelectedObject font(dc, keyFont.get());
    for (int i = 0; i < kSoftKeyCount; ++i) {
        const SoftKeyRecord& key = keys[i];
        // The pressed picture sits one cap row lower and its text one pixel further in.
        const int shift = key.up ? 0 : Scaled(1);
        const SoftKeyGeometry& g = kSoftKeyGeometry[i];
        const ScaledSpan capAcross = scaleSpan(key.capX, g.width, keyCaps.dpi);
        const ScaledSpan capDown =
            scaleSpan(key.capY + (key.up ? 0 : kSoftKeyPressedCapOffset), g.height, keyCaps.dpi);
        drawCap(dc, key.x, key.y, key.width, key.height, caps.get(), capAcross.start, capDown.start,
                capAcross.length, capDown.length);
        SetTextColor(dc, key.up ? colours.keyText : colours.pressedKeyText);
        drawText(dc, key.x + Scaled(2) + shift, key.y + Scaled(1) + shift, key.name);
        drawText(dc, key.x + Scaled(12) + shift, key.y + Scaled(9) + shift, key.label);
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
        keys[pressedKey].up = false;
        Invalidate();
        SetTimer(window, kFireKeyTimer, 1, nullptr);
    }
    // Offsets of the client point from the window's corner: at the release the window moves
    // by the pointer's displacement (see ReleaseKey).
    GetWindowRect(window, &dragRect);
    dragOffsetX = pointer.x - dragRect.left;
    dragOffsetY = pointer.y - dragRect.top;
    dragging = true;
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
        keys[k].up = true;
        Invalidate();
    }
    if (dragging) {
        MoveWindow(window, pointer.x - dragOffsetX, pointer.y - dragOffsetY,
                   dragRect.right - dragRect.left, dragRect.bottom - dragRect.top, TRUE);
        dragging = false;
    }
    setCursor(kCursorHand);
}

void CUISoft::OnCommand(int id) {
    int page = id - kFirstPageCommand + 1;
    if (page >= 1 && page <= kSoftPageCount) {
        owner_.OnSoftPageChosen(page);
    }
}

LRESULT CUISoft::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
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
        keyCaps = ScaledBitmap{};
        return 0;
    case WM_SETFOCUS:
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace revaze
