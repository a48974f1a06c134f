#include "ui/cui_base.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/guarded.h"
#include "platform/srw_lock.h"
#include "ui/accessibility.h"
#include "ui/monitors.h"

namespace revaze {

namespace {

HFONT createHimalayaFont(int dpi = kBaseDpi) {
    LOGFONTW font{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    font.lfHeight = scaleToDpi(21, dpi);
    std::wcsncpy(font.lfFaceName, L"Microsoft Himalaya", LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return CreateFontIndirectW(&font);
}

// The windows createPopup is creating, with the thread that creates each. Only such a creation
// may give a window its object: a WM_NCCREATE a host sends later, or to a window of our class
// that it made itself, names no object of ours, and its lParam (null, or anything at all) is
// never read through.
struct Creation {
    DWORD thread;
    const CUIBase* object;
};
SRWLOCK creationLock = SRWLOCK_INIT;
std::vector<Creation> creations;

// Registers a creation for as long as CreateWindowExW runs.
class PendingCreation {
public:
    explicit PendingCreation(const CUIBase* object) : entry_{GetCurrentThreadId(), object} {
        ExclusiveLock lock(creationLock);
        creations.push_back(entry_);
    }
    ~PendingCreation() { claim(entry_); }
    PendingCreation(const PendingCreation&) = delete;
    PendingCreation& operator=(const PendingCreation&) = delete;

    // Removes the creation; true when it was still pending.
    static bool claim(const Creation& entry) {
        AcquireSRWLockExclusive(&creationLock);
        auto found = std::find_if(creations.begin(), creations.end(), [&](const Creation& c) {
            return c.thread == entry.thread && c.object == entry.object;
        });
        const bool pending = found != creations.end();
        if (pending) {
            creations.erase(found);
        }
        ReleaseSRWLockExclusive(&creationLock);
        return pending;
    }

    static bool anyOnThisThread() {
        const DWORD thread = GetCurrentThreadId();
        AcquireSRWLockShared(&creationLock);
        const bool any = std::any_of(creations.begin(), creations.end(),
                                     [&](const Creation& c) { return c.thread == thread; });
        ReleaseSRWLockShared(&creationLock);
        return any;
    }

private:
    Creation entry_;
};

} // namespace

CUIBase::CUIBase(HINSTANCE instance_, const wchar_t* className_, UiOwner& owner)
    : instance(instance_), className(className_), textFont(createHimalayaFont()),
      keyFont(createHimalayaFont()), owner_(owner) {}

bool CUIBase::registerClass(HINSTANCE instance, const wchar_t* className, UINT style,
                            WNDPROC procedure, int extraBytes, WORD cursor, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = instance;
    wc.hCursor = systemCursor(cursor);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

HWND CUIBase::createPopup(HWND parent, int x, int y, int w, int h) {
    PendingCreation pending(this);
    return CreateWindowExW(popupExStyle, className, AccessibleWindowName(className),
                           WS_POPUP | WS_DISABLED, x, y, w, h, parent, nullptr, instance, this);
}

CUIBase* CUIBase::objectOf(HWND window, UINT message, LPARAM lParam) {
    auto* object = reinterpret_cast<CUIBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object != nullptr || message != WM_NCCREATE || lParam == 0 ||
        !PendingCreation::anyOnThisThread()) {
        return object;
    }
    // This thread is inside createPopup: the CREATESTRUCTW is the system's, and it names the
    // object only when that is the one being created.
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* named = static_cast<CUIBase*>(create->lpCreateParams);
    if (named == nullptr || !PendingCreation::claim({GetCurrentThreadId(), named})) {
        return nullptr;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(named));
    if (named->window == nullptr) {
        named->window = window; // messages sent before CreateWindowExW returns
    }
    return named;
}

LRESULT CALLBACK CUIBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guarded(LRESULT{0}, [&] {
        CUIBase* object = objectOf(hwnd, message, lParam);
        if (object == nullptr || object->window != hwnd) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return object->commonMessage(message, wParam, lParam);
    });
}

LRESULT CUIBase::commonMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (KeepsName(window, message)) {
        return TRUE;
    }
    switch (message) {
    case WM_CREATE:
        AdoptTheme();
        reloadPictures();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        if (AdoptTheme()) {
            reloadPictures();
            Invalidate();
        }
        break;
    case WM_DISPLAYCHANGE:
        BringBackOnScreen(window);
        break;
    default:
        break;
    }
    return handleMessage(message, wParam, lParam);
}

LRESULT CUIBase::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

SIZE CUIBase::reloadPictures() {
    return {width, height};
}

void CUIBase::OnDpiChanged(int newDpi, const RECT* suggested) {
    if (!AdoptDpi(newDpi)) {
        return;
    }
    const SIZE size = reloadPictures();
    width = size.cx;
    height = size.cy;
    if (IsWindow(window)) {
        RECT r{};
        GetWindowRect(window, &r);
        if (suggested != nullptr) {
            r = *suggested; // where Windows keeps it on the new monitor
        }
        MoveWindow(window, r.left, r.top, width, height, TRUE);
    }
    Invalidate();
}

void CUIBase::ForgetWindow() {
    if (IsWindow(window)) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    window = nullptr;
}

bool CUIBase::UnregisterWindowClass() {
    return UnregisterClassW(className, instance) == 1;
}

void CUIBase::DestroyUIWindow() {
    if (IsWindow(window)) {
        DestroyWindow(window);
    }
    window = nullptr;
}

// Shown or hidden only when that changes: a key typed while the window is up only repaints it,
// without a trip to the window manager.
void CUIBase::ShowNoActivate() {
    if (IsWindow(window)) {
        if (!IsWindowVisible(window)) {
            ShowWindow(window, SW_SHOWNOACTIVATE);
        }
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CUIBase::HideWindow() {
    if (IsWindow(window) && IsWindowVisible(window)) {
        ShowWindow(window, SW_HIDE);
    }
}

bool CUIBase::AdoptDpi(int newDpi) {
    newDpi = usableDpi(newDpi);
    if (newDpi == dpi) {
        return false;
    }
    dpi = newDpi;
    textFont.reset(createHimalayaFont(dpi));
    keyFont.reset(createHimalayaFont(dpi));
    return true;
}

bool CUIBase::AdoptTheme() {
    const UiTheme now = CurrentTheme();
    // Under high contrast the system colours themselves may have changed.
    const bool changed = now != theme || now == UiTheme::HighContrast;
    theme = now;
    return changed;
}

void CUIBase::Invalidate() {
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

} // namespace revaze
