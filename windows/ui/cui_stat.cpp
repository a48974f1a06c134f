#include "ui/cui_stat.h"

#include <shellapi.h>

#include <cwchar>
#include <string>

#include "ui/monitors.h"
#include "ui/settings_dialog.h"
#include "ui/ui_owner.h"
#include "ui/window_dpi.h"

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

ScreenPoint StatusHome(const MonitorArea& monitor, int width, int height) {
    const ScreenRect& m = monitor.monitor;
    return KeepInside({m.left + (m.width() / 4) * 3, m.bottom - 132}, width, height, monitor.work);
}

CUIStat::CUIStat(HINSTANCE instance, UiOwner& owner) : CUIBase(instance, kStatClass, owner) {
    width = kStatusWidth;
    height = kStatusCell;
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
    const ScreenPoint home = StatusHome(FocusMonitor(DesktopMonitors()), width, height);
    window = createPopup(parent, home.x, home.y, width, height);
    OnDpiChanged(DpiOfWindow(window), nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    setCursor(kCursorHand);
}

void CUIStat::FollowFocusMonitor() {
    OpenOnFocusMonitor(window, StatusHome);
}

void CUIStat::Show(const View& view) {
    const Look look{view.mode, view.state.layoutId, view.state.softVisible};
    const bool newBadge = look.layoutId != shown_.layoutId;
    const bool newLook = look != shown_;
    shown_ = look;
    accessibility_.Update(window, view, dpi);
    if (newLook) {
        Invalidate();
    }
    if (newBadge && IsWindow(window)) {
        UpdateWindow(window); // the layout button shows the new badge at once
    }
}

SIZE CUIStat::reloadPictures() {
    strip = LoadScaledBitmap(instance, MAKEINTRESOURCEW(kStatusStripBitmapId), kStatusStripBitmapId,
                             dpi);
    if (Bitmap themed = Recoloured(strip.bitmap.get(), SkinPart::StatusStrip, theme)) {
        strip.bitmap = std::move(themed);
    }
    return {Scaled(kStatusWidth), Scaled(kStatusCell)};
}

void CUIStat::Paint() {
    PaintScope paint(window);
    MemoryDC source(paint.dc(), strip.bitmap.get());
    if (!source.ready()) {
        return;
    }
    for (const StatusButtonCell& cell : kStatusButtons) {
        DrawScaled(paint.dc(), dpi, cell.cellX, 0, source.get(), strip.dpi, cell.cellX,
                   kStatusCell * stripRow(cell.button), kStatusCell, kStatusCell);
    }
}

// The strip row a button shows: 0 up (or Tibetan, or the keyboard hidden), 1 pressed.
int CUIStat::stripRow(int button) const {
    switch (button) {
    case kStatusLogo:
        return logoButtonUp ? 0 : 1;
    case kStatusMode:
        return shown_.mode == InputMode::Tibetan ? 0 : 1;
    case kStatusSoftKeyboard:
        return shown_.softVisible ? 1 : 0;
    case kStatusLayout:
        // The layout button always shows the badge of the current layout.
        if (const Layout* layout = findLayout(shown_.layoutId)) {
            return layout->badgeRow;
        }
        return layoutButtonUp ? 0 : 1;
    default:
        return menuButtonUp ? 0 : 1;
    }
}

int CUIStat::HitTest(POINT& point) const {
    ScreenToClient(window, &point);
    RECT client{};
    GetClientRect(window, &client);
    if (!PtInRect(&client, point)) {
        return kStatusNone;
    }
    return statusButtonAt(point.x, dpi);
}

void CUIStat::BeginDrag() {
    POINT pointer = drag_.Begin(window);
    bool* upFlag = nullptr;
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
    *upFlag = false;
    dragging = true;
    Invalidate();
}

void CUIStat::TrackDrag() {
    if (dragging) {
        drag_.Track(width, height, dpi);
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
        dragging = false;
    }
    setCursor(kCursorHand);
    // The window has moved already: the action is that of the button under the pointer now.
    Act(HitTest(pointer));
    logoButtonUp = true;
    layoutButtonUp = true;
    menuButtonUp = true;
    Invalidate();
    setCursor(kCursorHand);
}

// A button invoked through UI Automation acts as when clicked.
void CUIStat::OnInvoke(int element) {
    Act(element + kStatusMode);
}

void CUIStat::Act(int button) {
    switch (button) {
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
}

HMENU CUIStat::BuildLayoutMenu() const {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr || findLayout(shown_.layoutId) == nullptr) {
        return menu;
    }
    for (const Layout& layout : allLayouts()) {
        UINT flags = MF_STRING | (layout.id == shown_.layoutId ? MF_CHECKED : MF_UNCHECKED);
        const std::wstring text(layoutMenuText(layout, shown_.layoutId));
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

LRESULT CUIStat::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        accessibility_.automation.Disconnect(window);
        strip = ScaledBitmap{};
        return 0;
    case WM_GETOBJECT:
        if (LRESULT answer = 0; accessibility_.automation.Answer(window, wParam, lParam, answer)) {
            return answer;
        }
        break;
    case kStatusInvokeMessage:
        OnInvoke(int(wParam));
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
