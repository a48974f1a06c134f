#include "ui/cui_comp.h"

#include <vector>

#include "imm/dll_globals.h"
#include "imm/immdev.h"
#include "session/comp_paint.h"
#include "ui/gdi_scope.h"

extern "C" LRESULT CALLBACK CompWndProc(HWND, UINT, WPARAM, LPARAM);

namespace revaze {

namespace {

template <typename Handle> void deleteGdiObject(Handle& object) {
    if (object != nullptr) {
        DeleteObject(object);
        object = nullptr;
    }
}

RECT desktopRect() {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return desktop;
}

} // namespace

CUIComp::CUIComp(HINSTANCE instance) : CUIBase(instance) {
    className = kCompClass;
    width = kCompWidth;
    height = kCompHeight;
}

CUIComp::~CUIComp() {
    FreeSkin();
}

bool CUIComp::RegisterWindowClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_IME | CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = CompWndProc;
    wc.cbWndExtra = 12;
    wc.hInstance = instance;
    wc.hCursor = systemCursor(kCursorArrow);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

void CUIComp::CreateUIWindow(HWND parent) {
    userPlaced = 0;
    parentWindow = parent;
    if (IsWindow(window)) {
        return;
    }
    // Hidden, and almost entirely off the desktop, until the first key places it.
    RECT desktop = desktopRect();
    window =
        CreateWindowExW(0, className, nullptr, WS_POPUP | WS_DISABLED, desktop.right - 20,
                        desktop.bottom - 50, width, height, parent, nullptr, instance, nullptr);
}

void CUIComp::LoadSkin() {
    FreeSkin();
    skinBitmap = static_cast<HBITMAP>(
        LoadImageW(instance, kSkinResource, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    framePen = CreatePen(PS_INSIDEFRAME, 1, kCompFrameColour);
    if (skinBitmap != nullptr) {
        skinBrush = CreatePatternBrush(skinBitmap);
    }
}

void CUIComp::FreeSkin() {
    deleteGdiObject(skinBrush);
    deleteGdiObject(skinBitmap);
    deleteGdiObject(framePen);
}

void CUIComp::Paint() {
    PaintScope paint(window);
    if (paint.dc() != nullptr) {
        PaintOn(paint.dc());
    }
}

void CUIComp::PaintOn(HDC dc) {
    SetTextColor(dc, kCompTextColour);
    RECT desktop = desktopRect();
    CompPaint what =
        PrepareCompPaint(ImeObjects(), desktop.right - desktop.left, desktop.bottom - desktop.top);
    switch (what.placement) {
    case CompPlacement::Nothing:
        return;
    case CompPlacement::Hidden:
        HideWindow();
        return;
    case CompPlacement::NearCaret:
        if (userPlaced == 0) {
            PlaceNearCaret();
        }
        break;
    case CompPlacement::LongLine:
        MoveWindow(window, what.x, what.y, what.width, what.height, TRUE);
        break;
    }

    RECT client{};
    GetClientRect(window, &client);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;
    SetBrushOrgEx(dc, 0, 0, nullptr);
    FillRect(dc, &client,
             skinBrush != nullptr ? skinBrush : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    {
        SelectedObject pen(dc, framePen);
        // Right, bottom and left edges; the top stays open.
        MoveToEx(dc, w - 1, 0, nullptr);
        LineTo(dc, w - 1, h - 1);
        MoveToEx(dc, w - 1, h - 1, nullptr);
        LineTo(dc, 0, h - 1);
        MoveToEx(dc, 0, h - 1, nullptr);
        LineTo(dc, 0, 0);
        MoveToEx(dc, 0, kSeparatorY, nullptr);
        LineTo(dc, w - kSeparatorShort, kSeparatorY);
    }
    SelectedObject font(dc, textFont);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 3, 2, what.displayLine.c_str(), static_cast<int>(what.displayLine.size()));
    if (what.hasCandidates) {
        // DT_MODIFYSTRING may write an ellipsis and four more characters into the text.
        std::vector<wchar_t> text(what.candidatePageText.begin(), what.candidatePageText.end());
        text.resize(text.size() + 5, L'\0');
        DrawTextExW(dc, text.data(), -1, &client, DT_END_ELLIPSIS | DT_MODIFYSTRING, nullptr);
    }
}

void CUIComp::PlaceNearCaret() {
    if (!IsWindow(window) || !IsWindow(parentWindow)) {
        return;
    }
    // Under some hosts the UI window's word holds no context that can be locked: the window
    // then stays where it is.
    auto himc = reinterpret_cast<HIMC>(GetWindowLongPtrW(parentWindow, IMMGWLP_IMC));
    POINT caret{};
    HWND owner = nullptr;
    {
        ScopedIMC context(himc);
        if (!context) {
            return;
        }
        caret = context->cfCompForm.ptCurrentPos;
        owner = context->hWnd;
    }
    if (IsWindow(owner)) {
        ClientToScreen(owner, &caret);
    }
    posX = caret.x + kCaretOffset;
    posY = caret.y + kCaretOffset;
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        if (posX + width > work.right) {
            posX = work.right - width;
        }
        if (posY + height > work.bottom) {
            posY = work.bottom - height;
        }
    }
    MoveWindow(window, posX, posY, width, height, TRUE);
    ShowWindow(window, SW_SHOWNOACTIVATE);
}

void CUIComp::ShowAndInvalidate() {
    ShowNoActivate();
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CUIComp::HideAndInvalidate() {
    HideWindow();
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

void CUIComp::RefreshNow() {
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
}

void CUIComp::ReloadSkinAndPaint() {
    if (!IsWindow(window)) {
        return;
    }
    FreeSkin();
    LoadSkin();
    RefreshNow();
    {
        WindowDC dc(window);
        if (dc.dc() != nullptr) {
            PaintOn(dc.dc());
        }
    }
    UpdateWindow(window);
}

void CUIComp::BeginDrag(LPARAM /*lParam*/) {
    SetCapture(window);
    POINT pointer{};
    GetCursorPos(&pointer);
    GetWindowRect(window, &dragRect);
    dragOffsetX = pointer.x - dragRect.left;
    dragOffsetY = pointer.y - dragRect.top;
    SetCursor(systemCursor(kCursorCross));
    userPlaced = 1;
    frameShown_ = false;
}

void CUIComp::TrackDrag() {
    // Frames are drawn only while the drag holds the mouse, so that moving the pointer over a
    // window the user placed earlier leaves no stray frame behind.
    if (userPlaced != 0 && GetCapture() == window) {
        POINT pointer{};
        GetCursorPos(&pointer);
        if (frameShown_) {
            DrawDragFrame(dragRect);
        }
        dragRect.left = pointer.x - dragOffsetX;
        dragRect.top = pointer.y - dragOffsetY;
        dragRect.right = dragRect.left + kCompWidth;
        dragRect.bottom = dragRect.top + kCompHeight;
        DrawDragFrame(dragRect);
        frameShown_ = true;
        InvalidateRect(window, nullptr, FALSE);
        SetCursor(systemCursor(kCursorCross));
    }
    SetCursor(systemCursor(kCursorArrow));
}

void CUIComp::EndDrag(HWND dragged) {
    ReleaseCapture();
    if (frameShown_) {
        DrawDragFrame(dragRect);
        frameShown_ = false;
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    if (userPlaced != 0) {
        MoveWindow(dragged, pointer.x - dragOffsetX, pointer.y - dragOffsetY,
                   dragRect.right - dragRect.left, dragRect.bottom - dragRect.top, TRUE);
    }
    InvalidateRect(dragged, nullptr, FALSE);
    SetCursor(systemCursor(kCursorHand));
}

} // namespace revaze
