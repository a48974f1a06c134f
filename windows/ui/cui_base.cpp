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

CUIBase::CUIBase(HINSTANCE instance_) : instance(instance_) {
    textFont = createHimalayaFont();
    keyFont = createHimalayaFont();
}

CUIBase::~CUIBase() {
    if (textFont != nullptr) {
        DeleteObject(textFont);
    }
    if (keyFont != nullptr) {
        DeleteObject(keyFont);
    }
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

void CUIBase::ShowNoActivate() {
    if (IsWindow(window)) {
        ShowWindow(window, SW_SHOWNOACTIVATE);
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CUIBase::HideWindow() {
    if (IsWindow(window)) {
        ShowWindow(window, SW_HIDE);
    }
}

void DrawDragFrame(const RECT& rect) {
    HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (dc == nullptr) {
        return;
    }
    HGDIOBJ old = SelectObject(dc, GetStockObject(GRAY_BRUSH));
    int bx = GetSystemMetrics(SM_CXBORDER);
    int by = GetSystemMetrics(SM_CYBORDER);
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    PatBlt(dc, rect.left, rect.top, w - bx, by, PATINVERT);
    PatBlt(dc, rect.right - bx, rect.top, bx, h - by, PATINVERT);
    PatBlt(dc, rect.right, rect.bottom - by, -(w - bx), by, PATINVERT);
    PatBlt(dc, rect.left, rect.bottom, bx, -(h - by), PATINVERT);
    SelectObject(dc, old);
    DeleteDC(dc);
}

} // namespace revaze
