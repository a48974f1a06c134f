#include "ui/cui_comp.h"

#include <algorithm>
#include <vector>

#include "ui/comp_layout.h"
#include "ui/monitors.h"
#include "ui/ui_owner.h"
#include "ui/window_dpi.h"

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
    userPlaced = false;
    parentWindow = parent;
    if (IsWindow(window)) {
        return;
    }
    // Hidden, and almost entirely off the desktop, until the first key places it.
    RECT desktop = desktopRect();
    window = createPopup(parent, desktop.right - 20, desktop.bottom - 50, width, height);
    OnDpiChanged(DpiOfWindow(window), nullptr);
}

SIZE CUIComp::MeasuredSize() const {
    SIZE size{Scaled(kCompWidth), Scaled(kCompHeight)};
    WindowDC dc(window);
    SelectedObject font(dc.dc(), textFont.get());
    TEXTMETRICW metrics{};
    if (dc.dc() == nullptr || !GetTextMetricsW(dc.dc(), &metrics)) {
        return size;
    }
    // The display line, then one line a candidate: the page text starts with a line break.
    const int lines = 1 + static_cast<int>(std::count(shown_.candidatePageText.begin(),
                                                      shown_.candidatePageText.end(), L'\n'));
    size.cy = std::max<LONG>(size.cy, lines * metrics.tmHeight + Scaled(kCompBottomRoom));
    return size;
}

int CUIComp::MeasuredLineWidth() const {
    WindowDC dc(window);
    SelectedObject font(dc.dc(), textFont.get());
    SIZE extent{};
    if (dc.dc() == nullptr || shown_.displayLine.empty() ||
        !GetTextExtentPoint32W(dc.dc(), shown_.displayLine.c_str(),
                               static_cast<int>(shown_.displayLine.size()), &extent)) {
        return 0;
    }
    return extent.cx + Scaled(3) * 2; // drawn 3 pixels in; as much room after it
}

void CUIComp::Show(const View& view) {
    const CompositionAccessibility::ShowScope announce(accessibility_, window, view,
                                                       textFont.get());
    shown_ = view;
    if (!IsWindow(window)) {
        return;
    }
    if (!view.hasContent()) {
        HideWindow();
        return;
    }
    // The owner is asked where the text is only for a window that shows.
    const std::vector<MonitorArea> monitors = DesktopMonitors();
    TextAnchor anchor;
    const bool known = owner_.CompositionAnchor(anchor);
    // A long line goes to the middle of the monitor of the text.
    const ScreenRect screen = known ? monitors[MonitorHolding(monitors, anchor.text)].monitor
                                    : FocusMonitor(monitors).monitor;
    const CompLayout layout = layoutCompWindow(view, screen.width(), screen.height());
    const SIZE size = MeasuredSize();
    width = size.cx;
    height = size.cy;
    switch (layout.placement) {
    case CompPlacement::Hidden:
        HideWindow();
        return;
    case CompPlacement::NearCaret:
        if (!userPlaced) {
            placeBeside(monitors, known ? &anchor : nullptr);
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
        // As wide as the rule says at 96 DPI, scaled, or as the real font needs.
        moveTo(screen.left + layout.x, screen.top + layout.y,
               std::max(Scaled(layout.width), MeasuredLineWidth()), height);
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
    TextAnchor anchor;
    const bool known = owner_.CompositionAnchor(anchor);
    placeBeside(DesktopMonitors(), known ? &anchor : nullptr);
    ShowNoActivate();
}

void CUIComp::placeBeside(std::span<const MonitorArea> monitors, const TextAnchor* anchor) {
    ScreenPoint corner;
    if (anchor != nullptr) {
        corner = PlaceBesideText(*anchor, width, height, monitors);
    } else {
        // The text's place is not known: the window stays where it is, moved the least way to
        // be whole on the monitor the user types on.
        RECT r{};
        GetWindowRect(window, &r);
        corner = KeepInside({r.left, r.top}, width, height, FocusMonitor(monitors).work);
    }
    posX = corner.x;
    posY = corner.y;
    moveTo(posX, posY, width, height);
}

SIZE CUIComp::reloadPictures() {
    FreeSkin();
    skin = LoadScaledBitmap(instance, kSkinResource, kSkinScaledId, dpi);
    if (Bitmap themed = Recoloured(skin.bitmap.get(), SkinPart::CompositionSkin, theme)) {
        skin.bitmap = std::move(themed);
    }
    frameBrush.reset(CreateSolidBrush(ColoursFor(theme).compFrame));
    if (skin.bitmap) {
        skinBrush.reset(CreatePatternBrush(skin.bitmap.get()));
    }
    return MeasuredSize();
}

void CUIComp::FreeSkin() {
    skinBrush.reset();
    skin = ScaledBitmap{};
    frameBrush.reset();
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
        // Right, bottom and left edges, each t pixels thick (one at 96 DPI), and the separator;
        // the top stays open. At one pixel these are the pixels of the lines drawn from corner
        // to corner round the window (each line leaves out its last point).
        const int t = std::max(1, Scaled(1));
        const int separatorY = Scaled(kSeparatorY);
        const RECT edges[] = {{w - t, 0, w, h - t},
                              {t, h - t, w, h},
                              {0, t, t, h},
                              {0, separatorY, w - Scaled(kSeparatorShort), separatorY + t}};
        for (const RECT& edge : edges) {
            FillRect(dc, &edge, frameBrush.get());
        }
    }
    SelectedObject font(dc, textFont.get());
    SetTextColor(dc, ColoursFor(theme).compText);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, Scaled(3), Scaled(2), shown_.displayLine.c_str(),
             static_cast<int>(shown_.displayLine.size()));
    if (shown_.capitals) {
        // Caps Lock is on and the layouts read capital keys: say so at the first line's end.
        RECT badge{w - Scaled(20), Scaled(2), w - Scaled(4), Scaled(kSeparatorY)};
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
    userPlaced = true;
}

void CUIComp::TrackDrag() {
    // Frames are drawn only while the drag holds the mouse, so that moving the pointer over a
    // window the user placed earlier leaves no stray frame behind.
    if (userPlaced && GetCapture() == window) {
        drag_.Track(width, height, dpi);
        Invalidate();
    }
    setCursor(kCursorArrow);
}

void CUIComp::EndDrag() {
    const POINT pointer = drag_.End();
    if (userPlaced) {
        const POINT corner = drag_.Corner(pointer);
        MoveWindow(window, corner.x, corner.y, drag_.rect.right - drag_.rect.left,
                   drag_.rect.bottom - drag_.rect.top, TRUE);
    }
    Invalidate();
    setCursor(kCursorHand);
}

LRESULT CUIComp::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        accessibility_.automation.Disconnect(window);
        FreeSkin();
        return 0;
    case WM_WINDOWPOSCHANGED:
        accessibility_.Moved(window, *reinterpret_cast<const WINDOWPOS*>(lParam));
        break;
    case WM_GETOBJECT:
        if (LRESULT answer = 0; accessibility_.automation.Answer(window, wParam, lParam, answer)) {
            return answer;
        }
        break;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(textFont.get()); // the font it writes in, at its DPI
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
