#include "ui/drag.h"

#include "ui/dpi_scale.h"
#include "ui/gdi.h"

namespace revaze {

void DrawDragFrame(const RECT& rect, int dpi) {
    DisplayDC display;
    if (display.dc() == nullptr) {
        return;
    }
    HDC dc = display.dc();
    SelectedObject brush(dc, GetStockObject(GRAY_BRUSH));
    const int thickness = scaleToDpi(1, dpi) > 1 ? scaleToDpi(1, dpi) : 1;
    const int bx = GetSystemMetrics(SM_CXBORDER) * thickness;
    const int by = GetSystemMetrics(SM_CYBORDER) * thickness;
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    PatBlt(dc, rect.left, rect.top, w - bx, by, PATINVERT);
    PatBlt(dc, rect.right - bx, rect.top, bx, h - by, PATINVERT);
    PatBlt(dc, rect.right, rect.bottom - by, -(w - bx), by, PATINVERT);
    PatBlt(dc, rect.left, rect.bottom, bx, -(h - by), PATINVERT);
}

POINT FrameDrag::Begin(HWND window) {
    SetCapture(window);
    POINT pointer{};
    GetCursorPos(&pointer);
    GetWindowRect(window, &rect);
    offsetX = pointer.x - rect.left;
    offsetY = pointer.y - rect.top;
    frameShown_ = false;
    return pointer;
}

void FrameDrag::Track(int width, int height, int dpi) {
    POINT pointer{};
    GetCursorPos(&pointer);
    if (frameShown_) {
        DrawDragFrame(rect, frameDpi_); // erases the last one
    }
    const POINT corner = Corner(pointer);
    rect = RECT{corner.x, corner.y, corner.x + width, corner.y + height};
    frameDpi_ = dpi;
    DrawDragFrame(rect, dpi);
    frameShown_ = true;
}

POINT FrameDrag::End() {
    ReleaseCapture();
    if (frameShown_) {
        DrawDragFrame(rect, frameDpi_);
        frameShown_ = false;
    }
    POINT pointer{};
    GetCursorPos(&pointer);
    return pointer;
}

} // namespace revaze
