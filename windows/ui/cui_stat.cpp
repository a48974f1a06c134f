#include "ui/cui_stat.h"

#include <shellapi.h>

#include <cwchar>
#include <string>

#include "ui/settings_dialog.h"
#include "ui/ui_owner.h"

namespace revaze {

namespace {

void openWithShell(const wchar_t* target) {
    ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

void openHelpDocument() {
    wchar_t path[MAX_PATH] = {};
    UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    size_t tail = std::wcslen(kHelpDocumentPath);
    if (length == 0 || length + tail >= MAX_PATH) {
        return;
    }
    std::wmemcpy(path + length, kHelpDocumentPath, tail + 1);
    openWithShell(path);
}

// Tracks `menu` at the pointer and destroys it; the chosen command comes back later as
// WM_COMMAND to `owner`.
void trackAndDestroy(HMENU menu, HWND owner) {
    if (menu == nullptr) {
        return;
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, owner, nullptr);
    DestroyMenu(menu);
}

} // namespace

int StatusButtonAt(int x) {
    if (x > 0 && x < 26) {
        return kStatusLogo;
    }
    if (x > 26 && x < 53) {
        return kStatusMode;
    }
    if (x > 53 && x < 79) {
        return kStatusSoftKeyboard;
    }
    if (x > 79 && x < 106) {
        return kStatusLayout;
    }
    if (x > 106 && x < 132) {
        return kStatusMenu;
    }
    return kStatusNone;
}

CUIStat::CUIStat(HINSTANCE instance, UiOwner& owner) : CUIBase(instance, kStatClass, owner) {
    width = 132;
    height = 28;
}

bool CUIStat::RegisterWindowClass() {
    return RegisterClassIn(instance);
}

bool CUIStat::RegisterClassIn(HINSTANCE instance) {
    return registerClass(instance, kStatClass, CS_IME, WindowProc, 12, kCursorHand,
                         static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
}

void CUIStat::CreateUIWindow(HWND parent) {
    parentWindow = parent;
    if (IsWindow(window)) {
        return;
    }
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    window = createPopup(parent, (desktop.right / 4) * 3, desktop.bottom - 132, width, height);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    setCursor(kCursorHand);
}

void CUIStat::Show(const View& view) {
    const bool newBadge = view.state.layoutId != shown_.state.layoutId;
    shown_ = view;
    Invalidate();
    if (newBadge && IsWindow(window)) {
        UpdateWindow(window); // the layout button shows the new badge at once
    }
}

void CUIStat::LoadStrip() {
    if (!stripBitmap) {
        stripBitmap.reset(LoadBitmapW(instance, MAKEINTRESOURCEW(kStatusStripBitmapId)));
    }
}

void CUIStat::FreeStrip() {
    stripBitmap.reset();
}

void CUIStat::Paint() {
    PaintScope paint(window);
    MemoryDC strip(paint.dc(), stripBitmap.get());
    if (!strip.ready()) {
        return;
    }
    auto cell = [&](int button, int sourceRow) {
        int x = kStatusButtonX[button - 1];
        BitBlt(paint.dc(), x, 0, kStatusCell, kStatusCell, strip.get(), x, kStatusCell * sourceRow,
               SRCCOPY);
    };
    cell(kStatusLogo, logoButtonUp ? 0 : 1);
    cell(kStatusMode, shown_.mode == InputMode::Tibetan ? 0 : 1);
    cell(kStatusSoftKeyboard, shown_.state.softVisible ? 1 : 0);
    cell(kStatusLayout, layoutButtonUp ? 0 : 1);
    cell(kStatusMenu, menuButtonUp ? 0 : 1);
    // The layout button always shows the badge of the current layout.
    if (const Layout* layout = findLayout(shown_.state.layoutId)) {
        cell(kStatusLayout, layout->badgeRow);
    }
}

int CUIStat::HitTest(POINT& point) const {
    ScreenToClient(window, &point);
    RECT client{};
    GetClientRect(window, &client);
    if (!PtInRect(&client, point)) {
        return kStatusNone;
    }
    return StatusButtonAt(point.x);
}

void CUIStat::BeginDrag() {
    POINT pointer = drag_.Begin(window);
    int* upFlag = nullptr;
    switch (HitTest(pointer)) {
    case kStatusLogo:
        upFlag = &logoButtonUp;
        break;
    case kStatusLayout:
        upFlag = &layoutButtonUp;
        break;
    case kStatusMenu:
        upFlag = &menuButtonUp;
        break;
    default:
        return; // the mode and soft keyboard buttons and the gaps start no drag
    }
    setCursor(kCursorCross);
    *upFlag = 0;
    dragging = 1;
    Invalidate();
}

void CUIStat::TrackDrag() {
    if (dragging) {
        drag_.Track(width, height);
        Invalidate();
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    setCursor(HitTest(pointer) == kStatusLogo ? kCursorCross : kCursorHand);
}

void CUIStat::EndDrag() {
    POINT pointer = drag_.End();
    if (dragging) {
        const POINT corner = drag_.Corner(pointer);
        MoveWindow(window, corner.x, corner.y, drag_.rect.right - drag_.rect.left,
                   drag_.rect.bottom - drag_.rect.top, TRUE);
        dragging = 0;
    }
    setCursor(kCursorHand);
    // The window has moved already: the action is that of the button under the pointer now.
    switch (HitTest(pointer)) {
    case kStatusMode:
        owner_.OnModeButton();
        break;
    case kStatusSoftKeyboard:
        owner_.OnSoftKeyboardButton();
        break;
    case kStatusLayout:
        ShowLayoutMenu();
        break;
    case kStatusMenu:
        ShowHelpMenu();
        break;
    default:
        break;
    }
    logoButtonUp = 1;
    layoutButtonUp = 1;
    menuButtonUp = 1;
    Invalidate();
    setCursor(kCursorHand);
}

HMENU CUIStat::BuildLayoutMenu() const {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr || findLayout(shown_.state.layoutId) == nullptr) {
        return menu;
    }
    for (const Layout& layout : allLayouts()) {
        UINT flags = MF_STRING | (layout.id == shown_.state.layoutId ? MF_CHECKED : MF_UNCHECKED);
        const std::wstring text(layoutMenuText(layout, shown_.state.layoutId));
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(layout.id), text.c_str());
    }
    return menu;
}

HMENU CUIStat::BuildHelpMenu() const {
    HMENU menu = CreatePopupMenu();
    if (menu != nullptr) {
        AppendMenuW(menu, MF_STRING, kHelpCommand, L"Help\u3010帮助\u3011");
        AppendMenuW(menu, MF_STRING, kWebsiteCommand, L"Website\u3010网站\u3011");
        AppendMenuW(menu, MF_STRING, kSettingsCommand, L"Settings\u3010设置\u3011");
    }
    return menu;
}

void CUIStat::ShowLayoutMenu() {
    trackAndDestroy(BuildLayoutMenu(), window);
}

void CUIStat::ShowHelpMenu() {
    trackAndDestroy(BuildHelpMenu(), window);
}

void CUIStat::OnCommand(int id) {
    if (const Layout* layout = findLayoutById(id)) {
        owner_.OnLayoutChosen(layout->id);
    } else if (id == kHelpCommand) {
        openHelpDocument();
    } else if (id == kWebsiteCommand) {
        openWithShell(kWebsiteAddress);
    } else if (id == kSettingsCommand) {
        ShowSettingsDialog(instance, nullptr);
    }
}

LRESULT CALLBACK CUIStat::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* stat = static_cast<CUIStat*>(objectOf(hwnd, message, lParam));
        if (stat == nullptr || stat->window != hwnd) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return stat->handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT CUIStat::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        LoadStrip();
        return 0;
    case WM_DESTROY:
        FreeStrip();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETCURSOR:
        if (HIWORD(lParam) == WM_LBUTTONDOWN) {
            BeginDrag();
            return 0;
        }
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_MOUSEMOVE:
        TrackDrag();
        return 0;
    case WM_LBUTTONUP:
        EndDrag();
        return 0;
    case WM_SETFOCUS:
    case WM_TIMER:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONUP:
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace revaze
