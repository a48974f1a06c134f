#include "ui/cui_stat.h"

#include <shellapi.h>

#include <cwchar>

#include "imm/dll_globals.h"
#include "session/state_actions.h"
#include "ui/gdi_scope.h"

namespace revaze {

namespace {

struct LayoutMenuItem {
    int layoutId;
    const wchar_t* text;
};

// The menu texts: English, Chinese and Tibetan names. The brackets are U+3010 and U+3011.
constexpr LayoutMenuItem kLayoutMenuTexts[] = {
    {6, L"Wylie\u3010威利\u3011"},
    {8, L"Wylie-F\u3010威利-F\u3011"},
    {10, L"Himalaya\u3010喜马拉雅 "
         L"\u0F67\u0F72\u0F0B\u0F58\u0F0B\u0F63\u0F0B\u0F61\u0F0D\u3011"},
    {20, L"Dzongkha\u3010宗卡 \u0F62\u0FAB\u0F7C\u0F44\u0F0B\u0F41\u0F0D\u3011"},
    {30, L"Sambhota-1\u3010桑布札-1 \u0F66\u0F58\u0F0B\u0F56\u0FB7\u0F7C\u0F0B\u0F4A-1\u3011"},
    {50, L"Sambhota-2\u3010桑布札-2 \u0F66\u0F58\u0F0B\u0F56\u0FB7\u0F7C\u0F0B\u0F4A-2\u3011"},
    {60, L"Monlam\u3010莫兰 \u0F66\u0FA8\u0F7C\u0F53\u0F0B\u0F63\u0F58\u0F0D\u3011"},
    {70, L"BZD\u3010 班智达 \u0F54\u0F4E\u0F9A\u0F72\u0F0B\u0F4F\u0F0D\u3011"},
};
// While Wylie is current the BZD item has no blank after the bracket.
constexpr const wchar_t* kBzdTextUnderWylie =
    L"BZD\u3010班智达 \u0F54\u0F4E\u0F9A\u0F72\u0F0B\u0F4F\u0F0D\u3011";

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

const wchar_t* LayoutMenuText(int layoutId, int currentLayoutId) {
    if (layoutId == 70 && currentLayoutId == kWylieLayoutId) {
        return kBzdTextUnderWylie;
    }
    for (const LayoutMenuItem& item : kLayoutMenuTexts) {
        if (item.layoutId == layoutId) {
            return item.text;
        }
    }
    return nullptr;
}

CUIStat::CUIStat(HINSTANCE instance_) : CUIBase(instance_) {
    className = L"UISTAT";
    width = 132;
    height = 28;
}

CUIStat::~CUIStat() {
    FreeStrip();
}

bool CUIStat::RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_IME;
    wc.lpfnWndProc = StatusWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 12;
    wc.hInstance = instance;
    wc.hCursor = systemCursor(kCursorHand);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

void CUIStat::CreateUIWindow(HWND parent) {
    parentWindow = parent;
    if (IsWindow(window)) {
        return;
    }
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    int x = (desktop.right / 4) * 3;
    int y = desktop.bottom - 132;
    window = CreateWindowExW(0, className, nullptr, WS_POPUP | WS_DISABLED, x, y, width, height,
                             parent, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    setCursor(kCursorHand);
}

void CUIStat::LoadStrip() {
    if (stripBitmap == nullptr) {
        stripBitmap = LoadBitmapW(instance, MAKEINTRESOURCEW(kStatusStripBitmapId));
    }
}

void CUIStat::FreeStrip() {
    if (stripBitmap != nullptr) {
        DeleteObject(stripBitmap);
        stripBitmap = nullptr;
    }
}

void CUIStat::Paint() {
    PaintScope paint(window);
    MemoryDC strip(paint.dc(), stripBitmap);
    if (!strip.ready()) {
        return;
    }
    auto cell = [&](int button, int sourceRow) {
        int x = kStatusButtonX[button - 1];
        BitBlt(paint.dc(), x, 0, kStatusCell, kStatusCell, strip.get(), x, kStatusCell * sourceRow,
               SRCCOPY);
    };
    cell(kStatusLogo, logoButtonUp ? 0 : 1);
    if (state.inputMode == kModeTibetan) {
        cell(kStatusMode, 0);
    } else if (state.inputMode == kModeEnglish) {
        cell(kStatusMode, 1);
    }
    cell(kStatusSoftKeyboard, softKeyButtonUp ? 0 : 1);
    cell(kStatusLayout, layoutButtonUp ? 0 : 1);
    cell(kStatusMenu, menuButtonUp ? 0 : 1);
    // The layout button always shows the badge of the current layout.
    if (const LayoutInfo* layout = findLayoutById(state.layoutId)) {
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
    SetCapture(window);
    POINT pointer{};
    GetCursorPos(&pointer);
    GetWindowRect(window, &dragRect);
    dragOffsetX = pointer.x - dragRect.left;
    dragOffsetY = pointer.y - dragRect.top;
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
    POINT pointer{};
    GetCursorPos(&pointer);
    if (dragging) {
        DrawDragFrame(dragRect);
        dragRect.left = pointer.x - dragOffsetX;
        dragRect.top = pointer.y - dragOffsetY;
        dragRect.right = dragRect.left + width;
        dragRect.bottom = dragRect.top + height;
        DrawDragFrame(dragRect);
        Invalidate();
    }
    setCursor(HitTest(pointer) == kStatusLogo ? kCursorCross : kCursorHand);
}

void CUIStat::EndDrag() {
    ReleaseCapture();
    POINT pointer{};
    GetCursorPos(&pointer);
    if (dragging) {
        MoveWindow(window, pointer.x - dragOffsetX, pointer.y - dragOffsetY,
                   dragRect.right - dragRect.left, dragRect.bottom - dragRect.top, TRUE);
        dragging = 0;
    }
    setCursor(kCursorHand);
    // The window has moved already: the action is that of the button under the pointer now.
    switch (HitTest(pointer)) {
    case kStatusMode:
        ModeButtonReleased(ImeObjects());
        break;
    case kStatusSoftKeyboard:
        softKeyButtonUp = 1 - softKeyButtonUp;
        SoftKeyboardButtonReleased(ImeObjects());
        break;
    case kStatusLayout:
        setCursor(kCursorHand);
        ShowLayoutMenu();
        break;
    case kStatusMenu:
        setCursor(kCursorHand);
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

HMENU CUIStat::BuildLayoutMenu() {
    popupMenu = CreatePopupMenu();
    if (popupMenu == nullptr || findLayoutById(state.layoutId) == nullptr) {
        return popupMenu;
    }
    for (const LayoutInfo& layout : kLayouts) {
        UINT flags = MF_STRING | (layout.layoutId == state.layoutId ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(popupMenu, flags, static_cast<UINT_PTR>(layout.layoutId),
                    LayoutMenuText(layout.layoutId, state.layoutId));
    }
    return popupMenu;
}

HMENU CUIStat::BuildHelpMenu() {
    popupMenu = CreatePopupMenu();
    if (popupMenu != nullptr) {
        AppendMenuW(popupMenu, MF_STRING, kHelpCommand, L"Help\u3010帮助\u3011");
        AppendMenuW(popupMenu, MF_STRING, kWebsiteCommand, L"Website\u3010网站\u3011");
    }
    return popupMenu;
}

namespace {

// Tracks `menu` at the pointer; the chosen command comes back later as WM_COMMAND to `owner`.
void trackAndDestroy(HMENU& menu, HWND owner) {
    if (menu == nullptr) {
        return;
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, owner, nullptr);
    DestroyMenu(menu);
    menu = nullptr;
}

} // namespace

void CUIStat::ShowLayoutMenu() {
    BuildLayoutMenu();
    trackAndDestroy(popupMenu, window);
}

void CUIStat::ShowHelpMenu() {
    BuildHelpMenu();
    trackAndDestroy(popupMenu, window);
}

void CUIStat::OnCommand(int id) {
    if (findLayoutById(id) != nullptr) {
        SelectLayout(ImeObjects(), id);
    } else if (id == kHelpCommand) {
        openHelpDocument();
    } else if (id == kWebsiteCommand) {
        openWithShell(kWebsiteAddress);
    }
}

void CUIStat::Invalidate() {
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CUIStat::RefreshNow() {
    FreeStrip();
    LoadStrip();
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
}

LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        CUIStat* stat = g_uiStat;
        if (stat == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        if (stat->window == nullptr) {
            stat->window = window; // messages sent before CreateWindowExW returns
        }
        switch (message) {
        case WM_CREATE:
            stat->LoadStrip();
            return 0;
        case WM_DESTROY:
            stat->FreeStrip();
            return 0;
        case WM_PAINT:
            stat->Paint();
            return 0;
        case WM_SETCURSOR:
            if (HIWORD(lParam) == WM_LBUTTONDOWN) {
                stat->BeginDrag();
                return 0;
            }
            break;
        case WM_COMMAND:
            stat->OnCommand(LOWORD(wParam));
            return 0;
        case WM_MOUSEMOVE:
            stat->TrackDrag();
            return 0;
        case WM_LBUTTONUP:
            stat->EndDrag();
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
    } catch (...) {
        return 0;
    }
}

} // namespace revaze
