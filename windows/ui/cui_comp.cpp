#include "ui/cui_comp.h"

#include <vector>

#include "ui/comp_layout.h"
#include "ui/ui_owner.h"

namespace revaze {

namespace {

RECT desktopRect() {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return desktop;
}

} // namespace

CUIComp::CUIComp(HINSTANCE instance, UiOwner& owner, WNDPROC procedure)
    : CUIBase(instance, kCompClass, owner), procedure_(procedure) {
    width = kCompWidth;
    height = kCompHeight;
}

bool CUIComp::RegisterWindowClass() {
    return RegisterClassIn(instance, procedure_);
}

bool CUIComp::RegisterClassIn(HINSTANCE instance, WNDPROC procedure) {
    return registerClass(instance, kCompClass, CS_IME | CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                         procedure, 12, kCursorArrow,
                         static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
}

void CUIComp::CreateUIWindow(HWND parent) {
    userPlaced = 0;
    parentWindow = parent;
    if (IsWindow(window)) {
        return;
    }
    // Hidden, and almost entirely off the desktop, until the first key places it.
    RECT desktop = desktopRect();
    window = createPopup(parent, desktop.right - 20, desktop.bottom - 50, width, height);
}

void CUIComp::Show(const View& view) {
    shown_ = view;
    if (!IsWindow(window)) {
        return;
    }
    RECT desktop = desktopRect();
    const CompLayout layout =
        layoutCompWindow(view, desktop.right - desktop.left, desktop.bottom - desktop.top);
    switch (layout.placement) {
    case CompPlacement::Hidden:
        HideWindow();
        return;
    case CompPlacement::NearCaret:
        if (userPlaced == 0) {
            PlaceNearCaret();
        } else {
            // Where the user put it, at its own size again after a long line.
            RECT r{};
            GetWindowRect(window, &r);
            if (r.right - r.left != width || r.bottom - r.top != height) {
                MoveWindow(window, r.left, r.top, width, height, TRUE);
            }
        }
        break;
    case CompPlacement::LongLine:
        moveTo(layout.x, layout.y, layout.width, layout.height);
        break;
    }
    ShowNoActivate();
}

// Moves the window only when its place or size changes (it is repainted either way).
void CUIComp::moveTo(int x, int y, int w, int h) {
    RECT r{};
    GetWindowRect(window, &r);
    if (r.left != x || r.top != y || r.right - r.left != w || r.bottom - r.top != h) {
        MoveWindow(window, x, y, w, h, TRUE);
    }
}

void CUIComp::PlaceNearCaret() {
    if (!IsWindow(window)) {
        return;
    }
    POINT origin{};
    if (!owner_.CompositionWindowOrigin(origin)) {
        ShowNoActivate(); // where it is: the text's place is not known
        return;
    }
    posX = origin.x;
    posY = origin.y;
    RECT work{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        // Pulled back inside on the right and at the bottom only.
        if (posX + width > work.right) {
            posX = work.right - width;
        }
        if (posY + height > work.bottom) {
            posY = work.bottom - height;
        }
    }
    moveTo(posX, posY, width, height);
    ShowNoActivate();
}

void CUIComp::LoadSkin() {
    FreeSkin();
    skinBitmap.reset(static_cast<HBITMAP>(
        LoadImageW(instance, kSkinResource, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    framePen.reset(CreatePen(PS_INSIDEFRAME, 1, kCompFrameColour));
    if (skinBitmap) {
        skinBrush.reset(CreatePatternBrush(skinBitmap.get()));
    }
}

void CUIComp::FreeSkin() {
    skinBrush.reset();
    skinBitmap.reset();
    framePen.reset();
}

void CUIComp::Paint() {
    PaintScope paint(window);
    HDC dc = paint.dc();
    if (dc == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(window, &client);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;
    SetBrushOrgEx(dc, 0, 0, nullptr);
    FillRect(dc, &client,
             skinBrush ? skinBrush.get() : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    {
        SelectedObject pen(dc, framePen.get());
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
    SelectedObject font(dc, textFont.get());
    SetTextColor(dc, kCompTextColour);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 3, 2, shown_.displayLine.c_str(), static_cast<int>(shown_.displayLine.size()));
    if (shown_.capitals) {
        // Caps Lock is on and the layouts read capital keys: say so at the first line's end.
        RECT badge{w - 20, 2, w - 4, kSeparatorY};
        DrawTextW(dc, L"A", 1, &badge, DT_RIGHT | DT_TOP | DT_SINGLELINE);
    }
    if (!shown_.candidatePageText.empty()) {
        // DT_MODIFYSTRING may write an ellipsis and four more characters into the text.
        std::vector<wchar_t> text(shown_.candidatePageText.begin(), shown_.candidatePageText.end());
        text.resize(text.size() + 5, L'\0');
        DrawTextExW(dc, text.data(), -1, &client, DT_END_ELLIPSIS | DT_MODIFYSTRING, nullptr);
    }
}

void CUIComp::BeginDrag() {
    drag_.Begin(window);
    setCursor(kCursorCross);
    userPlaced = 1;
}

void CUIComp::TrackDrag() {
    // Frames are drawn only while the drag holds the mouse, so that moving the pointer over a
    // window the user placed earlier leaves no stray frame behind.
    if (userPlaced != 0 && GetCapture() == window) {
        drag_.Track(kCompWidth, kCompHeight);
        Invalidate();
    }
    setCursor(kCursorArrow);
}

void CUIComp::EndDrag() {
    const POINT pointer = drag_.End();
    if (userPlaced != 0) {
        const POINT corner = drag_.Corner(pointer);
        MoveWindow(window, corner.x, corner.y, drag_.rect.right - drag_.rect.left,
                   drag_.rect.bottom - drag_.rect.top, TRUE);
    }
    Invalidate();
    setCursor(kCursorHand);
}

LRESULT CALLBACK CUIComp::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* comp = static_cast<CUIComp*>(objectOf(hwnd, message, lParam));
        if (comp == nullptr || comp->window != hwnd) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return comp->handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT CUIComp::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        LoadSkin();
        return 0;
    case WM_DESTROY:
        FreeSkin();
        return 0;
    case WM_SETFOCUS:
    case WM_COMMAND:
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETCURSOR:
        // A disabled popup never sees the button press itself; WM_SETCURSOR names it.
        if (HIWORD(lParam) == WM_LBUTTONDOWN) {
            BeginDrag();
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        TrackDrag();
        return 0;
    case WM_LBUTTONUP:
        EndDrag();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace revaze
