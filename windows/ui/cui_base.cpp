#include "ui/cui_base.h"

#include <cwchar>

namespace revaze {

namespace {

HFONT createHimalayaFont() {
    LOGFONTW font{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    font.lfHeight = 21;
    std::wcsncpy(font.lfFaceName, L"Microsoft Himalaya", LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return CreateFontIndirectW(&font);
}

} // namespace

CUIBase::CUIBase(HINSTANCE instance_, const wchar_t* className_, UiOwner& owner)
    : instance(instance_), className(className_), textFont(createHimalayaFont()),
      keyFont(createHimalayaFont()), owner_(owner) {}

bool CUIBase::registerClass(UINT style, WNDPROC procedure, int extraBytes, WORD cursor,
                            HBRUSH background) {
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
    return CreateWindowExW(popupExStyle, className, nullptr, WS_POPUP | WS_DISABLED, x, y, w, h,
                           parent, nullptr, instance, this);
}

CUIBase* CUIBase::objectOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* object = static_cast<CUIBase*>(create->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        if (object != nullptr && object->window == nullptr) {
            object->window = window; // messages sent before CreateWindowExW returns
        }
        return object;
    }
    return reinterpret_cast<CUIBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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

void CUIBase::Invalidate() {
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

} // namespace revaze
