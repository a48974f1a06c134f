// Drives the status window and the soft keyboard of Revaze.ime under a real IMM32: the IME is
// installed and made the thread's layout, an EDIT control takes the typed text, and clicks are
// delivered the way the IME's disabled popups receive them (WM_SETCURSOR carrying
// WM_LBUTTONDOWN, then WM_MOUSEMOVE and WM_LBUTTONUP, with the pointer really moved).
//
//   ui_harness.exe <windows path of Revaze.ime> <windows path of an artifacts folder>
//
// One line per check; exit status 0 when every check passed. Screenshots go to the artifacts
// folder as PNG files.
#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/wine/harness.h"
#include "tests/wine_ui/png_writer.h"

namespace {

using harness::check;
using harness::measureObjectCapacity;
using harness::ObjectCapacity;
using harness::pump;

std::wstring g_artifacts;

// ---- pixels -------------------------------------------------------------------------------

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top row first

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFFu;
    }
    void set(int x, int y, std::uint32_t value) {
        pixels[static_cast<std::size_t>(y) * width + x] = value;
    }
    bool valid() const { return width > 0 && height > 0; }
};

Image readBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
    Image image;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height) {
        image.width = width;
        image.height = height;
        image.pixels = std::move(pixels);
    }
    return image;
}

// What the window shows on the screen, read back through its DC.
Image captureWindow(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HDC windowDc = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    Image image = readBitmap(memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return image;
}

Image loadBitmapResource(HMODULE module, int id) {
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        return {};
    }
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    Image image = readBitmap(screen, bitmap, info.bmWidth, info.bmHeight);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return image;
}

bool sameRegion(const Image& a, int ax, int ay, const Image& b, int bx, int by, int w, int h) {
    if (!a.valid() || !b.valid() || ax + w > a.width || ay + h > a.height || bx + w > b.width ||
        by + h > b.height) {
        return false;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (a.at(ax + x, ay + y) != b.at(bx + x, by + y)) {
                return false;
            }
        }
    }
    return true;
}

bool sameImage(const Image& a, const Image& b) {
    return a.width == b.width && a.height == b.height &&
           sameRegion(a, 0, 0, b, 0, 0, a.width, a.height);
}

void savePng(const Image& image, const wchar_t* name) {
    if (!image.valid()) {
        std::printf("  (no picture for %ls)\n", name);
        return;
    }
    std::vector<std::uint8_t> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (std::uint32_t p : image.pixels) {
        rgb.push_back(static_cast<std::uint8_t>(p >> 16));
        rgb.push_back(static_cast<std::uint8_t>(p >> 8));
        rgb.push_back(static_cast<std::uint8_t>(p));
    }
    std::wstring path = g_artifacts + L"\\" + name;
    bool ok = revaze::test::WritePng(path, image.width, image.height, rgb);
    std::printf("  screenshot %ls %s\n", path.c_str(), ok ? "written" : "NOT written");
}

// ---- the status bar as it should look ---------------------------------------------------------

constexpr int kCell = 28;
constexpr int kButtonX[5] = {0, 28, 53, 79, 106};

struct StatusLook {
    int logoRow = 0;
    int modeRow = 0; // 0 Tibetan, 1 English
    int softRow = 0; // 1 while the soft keyboard is shown
    int layoutRow = 0;
    int menuRow = 0;
    int badgeRow = 0;
};

// The 132 x 28 bar composed from the strip independently of the window's code: cells copied in
// button order, the badge last.
Image expectedStatus(const Image& strip, const StatusLook& look) {
    Image bar;
    bar.width = 132;
    bar.height = kCell;
    bar.pixels.assign(132 * kCell, 0);
    auto copy = [&](int x, int row) {
        for (int dy = 0; dy < kCell; ++dy) {
            for (int dx = 0; dx < kCell && x + dx < 132; ++dx) {
                bar.set(x + dx, dy, strip.at(x + dx, row * kCell + dy));
            }
        }
    };
    const int rows[5] = {look.logoRow, look.modeRow, look.softRow, look.layoutRow, look.menuRow};
    for (int i = 0; i < 5; ++i) {
        copy(kButtonX[i], rows[i]);
    }
    copy(79, look.badgeRow);
    return bar;
}

// ---- input ------------------------------------------------------------------------------------

POINT toScreen(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void press(HWND window, POINT screen) {
    SetCursorPos(screen.x, screen.y);
    pump(30);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    pump(60);
}

void release(HWND window, POINT screen) {
    SetCursorPos(screen.x, screen.y);
    pump(30);
    POINT client = screen;
    ScreenToClient(window, &client);
    LPARAM where = MAKELPARAM(client.x, client.y);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, where);
    SendMessageW(window, WM_LBUTTONUP, 0, where);
    pump(150);
}

void click(HWND window, int x, int y) {
    POINT screen = toScreen(window, x, y);
    press(window, screen);
    release(window, screen);
}

// A click without the pauses of `click`: for the thousands of clicks of the load test.
void quickClick(HWND window, int x, int y) {
    harness::clickClient(window, x, y);
}

// Handles what is queued now, without waiting for more.
void drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The cursor's display counter, left as it was.
int cursorDisplayCount() {
    int shown = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return shown - 1;
}

void typeKey(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    pump(150);
}

HWND g_edit = nullptr;

std::string describe(const std::wstring& text) {
    std::string out;
    char unit[16];
    for (wchar_t c : text) {
        std::snprintf(unit, sizeof unit, "%sU+%04X", out.empty() ? "" : " ", c);
        out += unit;
    }
    return out.empty() ? "(empty)" : out;
}

std::wstring editText() {
    wchar_t text[256] = {};
    GetWindowTextW(g_edit, text, 256);
    return text;
}

// The context's last result string: what the IME committed, read without the messages that
// 64-bit Wine drops on the way to the EDIT.
std::wstring contextResult() {
    HIMC context = ImmGetContext(g_edit);
    wchar_t text[64] = {};
    LONG bytes = context != nullptr ? ImmGetCompositionStringW(context, GCS_RESULTSTR, text,
                                                               sizeof text - sizeof text[0])
                                    : 0;
    if (context != nullptr) {
        ImmReleaseContext(g_edit, context);
    }
    return bytes > 0 ? std::wstring(text, static_cast<std::size_t>(bytes) / sizeof(wchar_t))
                     : std::wstring();
}

enum class CommitRoute { Edit, Context, None };
CommitRoute g_route = CommitRoute::None;

// What the last Enter committed, by the route that works in this Wine.
std::wstring committedText() {
    return g_route == CommitRoute::Edit ? editText() : contextResult();
}

// Runs a check on the committed text, or says why it cannot be observed.
void checkCommit(const std::wstring& want, const char* what) {
    if (g_route == CommitRoute::None) {
        std::printf("SKIP: %s (no commit is observable)\n", what);
        return;
    }
    std::wstring seen = committedText();
    check(seen == want, "%s (saw %s)", what, describe(seen).c_str());
}

std::string formatted(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

void clearEdit() {
    SetWindowTextW(g_edit, L"");
    pump(30);
}

// ---- the layout menu, read while it is tracked -------------------------------------------------

struct MenuItemSeen {
    UINT id;
    std::wstring text;
    bool checked;
};

struct MenuSeen {
    bool found = false;
    std::vector<MenuItemSeen> items;
    Image picture;
};

MenuSeen g_menu;

void CALLBACK readTrackedMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (popup == nullptr || !IsWindowVisible(popup)) {
        return; // not up yet: the timer comes back
    }
    KillTimer(nullptr, timer);
    auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    g_menu.found = menu != nullptr;
    int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        g_menu.items.push_back({GetMenuItemID(menu, i), text, (state & MF_CHECKED) != 0});
    }
    RedrawWindow(popup, nullptr, nullptr, RDW_UPDATENOW);
    g_menu.picture = captureWindow(popup);
    EndMenu();
}

// Presses the status window at client x, releases `dx` pixels to the right and `dy` lower, and
// reads the menu tracked meanwhile, if any.
MenuSeen openMenu(HWND stat, int x, int dx = 0, int dy = 0) {
    g_menu = MenuSeen{};
    SetTimer(nullptr, 0, 150, readTrackedMenu);
    POINT at = toScreen(stat, x, 14);
    press(stat, at);
    release(stat, POINT{at.x + dx, at.y + dy});
    pump(100);
    return g_menu;
}

MenuSeen openLayoutMenu(HWND stat) {
    return openMenu(stat, 92);
}

struct LayoutCase {
    UINT id;
    const wchar_t* text;
};

// The nine items as the user reads them, in menu order.
const LayoutCase kLayoutItems[] = {
    {6, L"Wylie\u3010\u5A01\u5229\u3011"},
    {8, L"Wylie-F\u3010\u5A01\u5229-F\u3011"},
    {10, L"Himalaya\u3010\u559C\u9A6C\u62C9\u96C5 "
         L"\u0F67\u0F72\u0F0B\u0F58\u0F0B\u0F63\u0F0B\u0F61\u0F0D\u3011"},
    {20, L"Dzongkha\u3010\u5B97\u5361 \u0F62\u0FAB\u0F7C\u0F44\u0F0B\u0F41\u0F0D\u3011"},
    {30, L"Sambhota-1\u3010\u6851\u5E03\u672D-1 "
         L"\u0F66\u0F58\u0F0B\u0F56\u0FB7\u0F7C\u0F0B\u0F4A-1\u3011"},
    {50, L"Sambhota-2\u3010\u6851\u5E03\u672D-2 "
         L"\u0F66\u0F58\u0F0B\u0F56\u0FB7\u0F7C\u0F0B\u0F4A-2\u3011"},
    {60, L"Monlam\u3010\u83AB\u5170 \u0F66\u0FA8\u0F7C\u0F53\u0F0B\u0F63\u0F58\u0F0D\u3011"},
    {70, L"BZD\u3010 \u73ED\u667A\u8FBE \u0F54\u0F4E\u0F9A\u0F72\u0F0B\u0F4F\u0F0D\u3011"},
    {80, L"EWTS\u3010\u6269\u5C55\u5A01\u5229\u3011"},
};
const wchar_t* kBzdUnderWylie =
    L"BZD\u3010\u73ED\u667A\u8FBE \u0F54\u0F4E\u0F9A\u0F72\u0F0B\u0F4F\u0F0D\u3011";

void checkLayoutMenu(const MenuSeen& menu, UINT checkedId, const char* when) {
    check(menu.found, "%s: the layout button tracks a popup menu", when);
    check(menu.items.size() == std::size(kLayoutItems), "%s: the layout menu has %u items (has %u)",
          when, static_cast<unsigned>(std::size(kLayoutItems)),
          static_cast<unsigned>(menu.items.size()));
    for (std::size_t i = 0; i < menu.items.size() && i < std::size(kLayoutItems); ++i) {
        const LayoutCase& want = kLayoutItems[i];
        const wchar_t* text = want.id == 70 && checkedId == 6 ? kBzdUnderWylie : want.text;
        const MenuItemSeen& seen = menu.items[i];
        check(seen.id == want.id && seen.text == text && seen.checked == (want.id == checkedId),
              "%s: item %u is id %u, its text, %s (saw id %u, %s, text %s)", when,
              static_cast<unsigned>(i), want.id, want.id == checkedId ? "checked" : "unchecked",
              seen.id, seen.checked ? "checked" : "unchecked", describe(seen.text).c_str());
    }
}

// ---- the IME opened on an EDIT ------------------------------------------------------------------

struct Opened {
    bool ok = false;
    HKL layout = nullptr;
    HMODULE ime = nullptr;
    HWND main = nullptr;
    HWND stat = nullptr;
    HWND soft = nullptr;
};

// Installs the IME, makes it the thread's layout and opens it on an EDIT that has the focus.
Opened openIme(const wchar_t* imePath) {
    Opened opened;
    HKL layout = ImmInstallIMEW(imePath, L"Revaze Tibetan");
    check(layout != nullptr, "ImmInstallIMEW installs the IME");
    if (layout == nullptr) {
        return opened;
    }
    ActivateKeyboardLayout(layout, 0);
    pump(200);

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"UiHarnessMain";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    HWND main =
        CreateWindowExW(0, wc.lpszClassName, L"ui harness", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                        10, 400, 120, nullptr, nullptr, wc.hInstance, nullptr);
    g_edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                             10, 10, 360, 30, main, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(main);
    SetFocus(g_edit);
    pump(300);
    if (HIMC context = ImmGetContext(g_edit)) {
        ImmSetOpenStatus(context, TRUE);
        ImmReleaseContext(g_edit, context);
    }
    pump(500);

    const wchar_t* base = wcsrchr(imePath, L'\\');
    HMODULE ime = GetModuleHandleW(base != nullptr ? base + 1 : imePath);
    HWND stat = FindWindowW(L"UISTAT", nullptr);
    HWND soft = FindWindowW(L"UISOFT", nullptr);
    check(ime != nullptr, "IMM32 loaded the IME");
    check(stat != nullptr && soft != nullptr, "the UI window created the status and soft windows");
    opened =
        Opened{ime != nullptr && stat != nullptr && soft != nullptr, layout, ime, main, stat, soft};
    return opened;
}

// ---- soft keyboard geometry (client coordinates of key centres) -----------------------------

constexpr POINT kKeyQ{37 + 15, 32 + 15};
constexpr POINT kKeyStar{382 + 25, 122 + 15};

// ---- handles under load ------------------------------------------------------------------

constexpr UINT kLayoutCommands[] = {6, 8, 10, 20, 30, 50, 60, 70};
constexpr UINT kFirstSoftPageCommand = 102;
constexpr BYTE kTypedKeys[] = {'B', 'K', 'R', 'A', 'S', 'H', 'I', 'G'};

// One round of what a user does all day: a layout switch, the soft keyboard shown or hidden, a
// page chosen and a key clicked on it, keys typed and committed or dropped, every window redrawn.
void loadCycle(HWND stat, HWND soft, int i) {
    SendMessageW(stat, WM_COMMAND, kLayoutCommands[i % 8], 0);
    if (i % 3 == 0) {
        quickClick(stat, 66, 14); // the soft keyboard button
    }
    if (i % 50 == 25) {
        quickClick(stat, 40, 14); // English and back: every composition is dropped
        quickClick(stat, 40, 14);
    }
    if (IsWindowVisible(soft)) {
        SendMessageW(soft, WM_COMMAND, kFirstSoftPageCommand + i % 5, 0);
        quickClick(soft, kKeyQ.x, kKeyQ.y);
    }
    for (int k = 0; k < 3; ++k) {
        BYTE vk = kTypedKeys[(i + k) % 8];
        keybd_event(vk, 0, 0, 0);
        keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    }
    const BYTE finish = i % 4 == 0 ? VK_RETURN : (i % 4 == 1 ? VK_ESCAPE : VK_NEXT);
    keybd_event(finish, 0, 0, 0);
    keybd_event(finish, 0, KEYEVENTF_KEYUP, 0);
    drain();
    for (HWND window : {stat, soft, FindWindowW(L"UICOMP", nullptr)}) {
        if (window != nullptr) {
            RedrawWindow(window, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        }
    }
    if (i % 100 == 99) {
        clearEdit();
    }
}

// Thousands of cycles may not eat into what GDI and USER objects the process can still make.
void checkHandlesUnderLoad(HWND stat, HWND soft) {
    constexpr int kWarmUp = 40;
    // Fewer cycles than would exhaust a leak of a few memory handles a key: the check fails
    // rather than the host crashing.
    constexpr int kCycles = 2000;
    // Less than one object per hundred cycles: Wine's own caches move a few either way.
    constexpr std::size_t kSlack = kCycles / 100;
    for (int i = 0; i < kWarmUp; ++i) {
        loadCycle(stat, soft, i);
    }
    pump(300);
    const int cursorShown = cursorDisplayCount();
    const ObjectCapacity before = measureObjectCapacity();
    const DWORD start = GetTickCount();
    for (int i = 0; i < kCycles; ++i) {
        loadCycle(stat, soft, i);
    }
    pump(500);
    const DWORD elapsed = GetTickCount() - start;
    if (IsWindowVisible(soft)) {
        quickClick(stat, 66, 14);
    }
    typeKey(VK_ESCAPE);
    const ObjectCapacity after = measureObjectCapacity();
    std::printf("  %d load cycles in %lu ms; room for GDI objects %zu -> %zu, USER %zu -> %zu, "
                "memory handles %zu -> %zu\n",
                kCycles, static_cast<unsigned long>(elapsed), before.gdi, after.gdi, before.user,
                after.user, before.memory, after.memory);
    check(before.gdi > 1000 && after.gdi + kSlack >= before.gdi,
          "%d cycles of layouts, soft keyboard, pages, typing and repaints leak no GDI object "
          "(room %zu, was %zu)",
          kCycles, after.gdi, before.gdi);
    check(before.user > 1000 && after.user + kSlack >= before.user,
          "the same cycles leak no USER object (room %zu, was %zu)", after.user, before.user);
    check(before.memory > 1000 && after.memory + kSlack >= before.memory,
          "the same cycles leak no memory handle, as input contexts are made of (room %zu, was "
          "%zu)",
          after.memory, before.memory);
    check(cursorDisplayCount() == cursorShown, "the cycles leave the cursor display counter at %d",
          cursorShown);
    check(IsWindow(stat) && IsWindowVisible(stat) && !IsWindowVisible(soft),
          "after the cycles the status window is up and the soft keyboard hidden");
}

// ---- the checks, in the order a user meets the windows ---------------------------------------

// The IME's two windows, the bitmaps they draw from, and what the status window shows now.
struct Ui {
    HWND stat = nullptr;
    HWND soft = nullptr;
    Image strip; // bitmap 103
    Image caps;  // bitmap 113
    StatusLook look;
    Image wyliePage1;    // the soft keyboard on Wylie's page 1
    int cursorShown = 0; // the cursor's display counter before the first soft key click

    bool statusShows() const {
        UpdateWindow(stat);
        return sameImage(captureWindow(stat), expectedStatus(strip, look));
    }
};

void checkStartingPlaces(const Ui& ui) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT rect{};
    GetWindowRect(ui.stat, &rect);
    check(rect.left == desktop.right / 4 * 3 && rect.top == desktop.bottom - 132 &&
              rect.right - rect.left == 132 && rect.bottom - rect.top == 28 &&
              IsWindowVisible(ui.stat),
          "status window shown 132 x 28 at (%ld, %ld) (at %ld, %ld, %ld x %ld)",
          desktop.right / 4 * 3, desktop.bottom - 132, rect.left, rect.top, rect.right - rect.left,
          rect.bottom - rect.top);
    GetWindowRect(ui.soft, &rect);
    check(rect.left == GetSystemMetrics(SM_CXSCREEN) / 2 &&
              rect.top == GetSystemMetrics(SM_CYSCREEN) / 2 && rect.right - rect.left == 434 &&
              rect.bottom - rect.top == 154 && !IsWindowVisible(ui.soft),
          "soft keyboard created hidden, 434 x 154 at the screen centre");
    DWORD style = static_cast<DWORD>(GetWindowLongW(ui.stat, GWL_STYLE));
    check((style & WS_POPUP) && (style & WS_DISABLED), "status window is a disabled popup");
}

// End to end: does a commit reach the EDIT at all?
void findCommitRoute() {
    clearEdit();
    typeKey('K');
    typeKey(VK_RETURN);
    if (editText() == L"\u0F40") {
        g_route = CommitRoute::Edit;
    } else if (contextResult() == L"\u0F40") {
        g_route = CommitRoute::Context;
    }
    // 32-bit Wine delivers the IME's messages; 64-bit Wine reads the message list at the wrong
    // offset and loses them, so there the context's result string is the witness.
    bool edit32 = sizeof(void*) == 4;
    check(g_route == CommitRoute::Edit || (!edit32 && g_route == CommitRoute::Context),
          "Wylie k + Enter commits U+0F40 (EDIT holds %s, context result %s)",
          describe(editText()).c_str(), describe(contextResult()).c_str());
}

void checkGaps(const Ui& ui) {
    RECT before{};
    GetWindowRect(ui.stat, &before);
    for (int x : {26, 53, 79, 106}) {
        click(ui.stat, x, 14);
        RECT rect{};
        GetWindowRect(ui.stat, &rect);
        check(ui.statusShows() && !IsWindowVisible(ui.soft) && EqualRect(&rect, &before),
              "a click at x = %d does nothing", x);
    }
}

void checkModeButton(Ui& ui) {
    clearEdit();
    typeKey('G'); // left composing: U+0F42 if it were ever committed
    click(ui.stat, 40, 14);
    ui.look.modeRow = 1;
    check(ui.statusShows(), "mode button: English mode shows the yellow a");
    savePng(captureWindow(ui.stat), L"status_english.png");
    typeKey('K');
    check(editText() == L"k", "English mode passes keys through (saw %s)",
          describe(editText()).c_str());
    click(ui.stat, 40, 14);
    ui.look.modeRow = 0;
    check(ui.statusShows(), "mode button again: back to Tibetan");
    typeKey(VK_RETURN);
    check(editText() == L"k", "Enter after the switch reaches no composition (EDIT holds %s)",
          describe(editText()).c_str());
    if (g_route == CommitRoute::Context) {
        checkCommit(L"\u0F40", "the mode switch discarded the composition g");
    }
}

// Press on button 2, release over button 3.
void checkPressOneReleaseAnother(Ui& ui) {
    RECT before{};
    GetWindowRect(ui.stat, &before);
    press(ui.stat, toScreen(ui.stat, 40, 14));
    release(ui.stat, toScreen(ui.stat, 66, 14));
    ui.look.softRow = 1;
    RECT rect{};
    GetWindowRect(ui.stat, &rect);
    check(IsWindowVisible(ui.soft) && ui.statusShows() && EqualRect(&rect, &before),
          "press on mode, release on soft keyboard: keyboard shown, mode unchanged, no drag");
    UpdateWindow(ui.soft);
    ui.wyliePage1 = captureWindow(ui.soft);
    savePng(ui.wyliePage1, L"soft_wylie_page1.png");
}

// Each step clicks the star key, then q, and commits what q typed.
void qAfterStar(HWND soft, const char* layoutName, std::initializer_list<wchar_t> wants) {
    int step = 0;
    for (wchar_t want : wants) {
        ++step;
        click(soft, kKeyStar.x, kKeyStar.y);
        clearEdit();
        click(soft, kKeyQ.x, kKeyQ.y);
        typeKey(VK_RETURN);
        checkCommit(
            std::wstring(1, want),
            formatted("%s: star key x%d, then q commits U+%04X", layoutName, step, want).c_str());
    }
}

// A key: pressed picture while held, raised after, one character.
void checkSoftKey(Ui& ui) {
    ui.cursorShown = cursorDisplayCount();
    clearEdit();
    POINT q = toScreen(ui.soft, kKeyQ.x, kKeyQ.y);
    press(ui.soft, q);
    pump(100);
    UpdateWindow(ui.soft);
    Image held = captureWindow(ui.soft);
    check(sameRegion(held, 37, 32, ui.caps, 0, 30, 30, 2),
          "the q key is drawn with the pressed cap while held");
    release(ui.soft, q);
    UpdateWindow(ui.soft);
    check(sameRegion(captureWindow(ui.soft), 37, 32, ui.caps, 0, 0, 30, 2),
          "the q key is drawn raised after the release");
    typeKey(VK_RETURN);
    checkCommit(L"\u0F40", "clicking q on Wylie page 1 commits U+0F40");
    qAfterStar(ui.soft, "Wylie", {0x0F90, 0x0F71, 0x0F00, 0x0F34, 0x0F40});
}

void checkMenus(const Ui& ui) {
    MenuSeen menu = openLayoutMenu(ui.stat);
    checkLayoutMenu(menu, 6, "Wylie current");
    savePng(menu.picture, L"layout_menu.png");
    check(ui.statusShows(), "the layout button is drawn up again after its menu");

    // A drag that starts on the layout button ends on it: the menu opens.
    RECT before{};
    GetWindowRect(ui.stat, &before);
    MenuSeen dragged = openMenu(ui.stat, 92, -100, -30);
    RECT rect{};
    GetWindowRect(ui.stat, &rect);
    check(rect.left == before.left - 100 && rect.top == before.top - 30 && dragged.found &&
              dragged.items.size() == std::size(kLayoutItems),
          "a drag from the layout button moves the bar and opens the layout menu at the release");

    MenuSeen help = openMenu(ui.stat, 119);
    check(help.items.size() == 3 && help.items[0].id == 109 &&
              help.items[0].text == L"Help\u3010\u5E2E\u52A9\u3011" && help.items[1].id == 110 &&
              help.items[1].text == L"Website\u3010\u7F51\u7AD9\u3011" && help.items[2].id == 111 &&
              help.items[2].text == L"Settings\u3010\u8BBE\u7F6E\u3011",
          "the menu button tracks Help (109), Website (110) and Settings (111)");
}

// Monlam, then EWTS: its own badge, Wylie's soft keyboard pages.
void checkMonlamAndEwts(Ui& ui) {
    SendMessageW(ui.stat, WM_COMMAND, 60, 0);
    pump(100);
    ui.look.badgeRow = 6;
    check(ui.statusShows(), "after choosing Monlam the layout button shows the Mo badge");
    savePng(captureWindow(ui.stat), L"status_monlam.png");
    UpdateWindow(ui.soft);
    Image monlamPage1 = captureWindow(ui.soft);
    check(!sameRegion(monlamPage1, 37, 32, ui.wyliePage1, 37, 32, 30, 30) &&
              sameRegion(monlamPage1, 37, 32, ui.caps, 0, 0, 30, 2),
          "the open soft keyboard shows Monlam's label on q at once");
    clearEdit();
    click(ui.soft, kKeyQ.x, kKeyQ.y);
    typeKey(VK_RETURN);
    checkCommit(L"\u0F4A", "Monlam (layout index 5) page 1: q commits U+0F4A");
    checkLayoutMenu(openLayoutMenu(ui.stat), 60, "Monlam current");

    SendMessageW(ui.stat, WM_COMMAND, 80, 0);
    pump(100);
    ui.look.badgeRow = 8;
    check(ui.statusShows(), "after choosing EWTS the layout button shows the Ew badge");
    savePng(captureWindow(ui.stat), L"status_ewts.png");
    UpdateWindow(ui.soft);
    check(sameRegion(captureWindow(ui.soft), 37, 32, ui.wyliePage1, 37, 32, 30, 30),
          "the open soft keyboard shows Wylie's label on q for EWTS");
    checkLayoutMenu(openLayoutMenu(ui.stat), 80, "EWTS current");
}

// Dzongkha: its own page cycle, which skips page 5; then the page commands.
void checkDzongkhaPages(Ui& ui) {
    SendMessageW(ui.stat, WM_COMMAND, 20, 0);
    pump(100);
    ui.look.badgeRow = 3;
    check(ui.statusShows(), "after choosing Dzongkha the layout button shows the Dz badge");
    UpdateWindow(ui.soft);
    savePng(captureWindow(ui.soft), L"soft_dzongkha_page1.png");
    clearEdit();
    click(ui.soft, kKeyQ.x, kKeyQ.y);
    typeKey(VK_RETURN);
    checkCommit(L"\u0F40", "Dzongkha page 1: q commits U+0F40");
    qAfterStar(ui.soft, "Dzongkha", {0x0F90, 0x0F88, 0x0F8D, 0x0F40});

    SendMessageW(ui.soft, WM_COMMAND, 104, 0);
    pump(50);
    clearEdit();
    click(ui.soft, kKeyQ.x, kKeyQ.y);
    typeKey(VK_RETURN);
    checkCommit(L"\u0F88", "command 104 shows page 3: q commits U+0F88");
    SendMessageW(ui.soft, WM_COMMAND, 102, 0);
    pump(50);
}

// Press a key, move off, release: fires once, stays pressed, window moves.
void checkKeyLeftBeforeRelease(const Ui& ui) {
    RECT start{};
    GetWindowRect(ui.soft, &start);
    clearEdit();
    press(ui.soft, toScreen(ui.soft, kKeyQ.x, kKeyQ.y));
    pump(100);
    POINT off = toScreen(ui.soft, kKeyQ.x - 120, kKeyQ.y - 100);
    release(ui.soft, off);
    RECT rect{};
    GetWindowRect(ui.soft, &rect);
    check(rect.left == start.left - 120 && rect.top == start.top - 100 &&
              rect.right - rect.left == 434 && rect.bottom - rect.top == 154,
          "the soft keyboard moved by the pointer's displacement (-120, -100) (moved %ld, %ld)",
          rect.left - start.left, rect.top - start.top);
    UpdateWindow(ui.soft);
    check(sameRegion(captureWindow(ui.soft), 37, 32, ui.caps, 0, 30, 30, 2),
          "a key left before the release stays drawn pressed");
    typeKey(VK_RETURN);
    checkCommit(L"\u0F40", "that key fired exactly once");
    // Every press and release of a soft key above came in pairs; the cursor shows as before.
    check(cursorDisplayCount() == ui.cursorShown,
          "the cursor display counter is unchanged by the soft keyboard's clicks (%d, was %d)",
          cursorDisplayCount(), ui.cursorShown);
}

// The soft keyboard button works in English mode too.
void checkSoftButtonInEnglish(Ui& ui) {
    click(ui.stat, 40, 14);
    ui.look.modeRow = 1;
    click(ui.stat, 66, 14);
    ui.look.softRow = 0;
    check(!IsWindowVisible(ui.soft) && ui.statusShows(),
          "English mode: soft keyboard button hides");
    click(ui.stat, 66, 14);
    ui.look.softRow = 1;
    check(IsWindowVisible(ui.soft) && ui.statusShows(), "English mode: soft keyboard button shows");
    click(ui.stat, 40, 14);
    ui.look.modeRow = 0;
    click(ui.stat, 66, 14);
    ui.look.softRow = 0;
    check(!IsWindowVisible(ui.soft) && ui.statusShows(),
          "Tibetan mode: soft keyboard hidden again");
}

void checkLogoDrag(Ui& ui) {
    RECT start{};
    GetWindowRect(ui.stat, &start);
    press(ui.stat, toScreen(ui.stat, 10, 14));
    ui.look.logoRow = 1;
    check(ui.statusShows(), "the logo is drawn pressed while held");
    POINT to = toScreen(ui.stat, 10 - 200, 14 - 50);
    release(ui.stat, to);
    ui.look.logoRow = 0;
    RECT rect{};
    GetWindowRect(ui.stat, &rect);
    check(rect.left == start.left - 200 && rect.top == start.top - 50 && ui.statusShows(),
          "dragging the logo moves the status window and raises the logo again");
}

// ---- the text service's icons ------------------------------------------------------------------

// Each icon of RevazeTip.dll (beside the IME) holds a picture at every size Windows draws.
void checkIconSizes(const wchar_t* imePath) {
    std::wstring tip(imePath);
    tip = tip.substr(0, tip.find_last_of(L'\\') + 1) + L"RevazeTip.dll";
    HMODULE module = LoadLibraryExW(tip.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    check(module != nullptr, "RevazeTip.dll beside the IME loads as data");
    if (module == nullptr) {
        return;
    }
    for (int id : {101, 102, 103, 104}) {
        HRSRC found =
            FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
        HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
        const auto* directory =
            loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
        // The group: three WORDs (the count last), then 14-byte entries, the width first.
        const int count = directory != nullptr ? directory[4] | directory[5] << 8 : 0;
        std::string sizes;
        bool every = directory != nullptr;
        for (int want : {16, 20, 24, 32, 40, 48}) {
            bool held = false;
            for (int i = 0; i < count; ++i) {
                held = held || directory[6 + 14 * i] == want;
            }
            every = every && held;
        }
        for (int i = 0; i < count; ++i) {
            sizes += formatted("%s%d", sizes.empty() ? "" : " ", directory[6 + 14 * i]);
        }
        check(every, "icon %d holds pictures of 16, 20, 24, 32, 40 and 48 pixels (%s)", id,
              sizes.c_str());
    }
    FreeLibrary(module);
}

// ---- the windows at other DPIs ---------------------------------------------------------------
//
// Wine has one DPI for everything, read from HKCU\Control Panel\Desktop\LogPixels when a process
// starts. So each DPI is checked by a child (this program with --at DPI) started after the value
// is written; the child declares itself DPI-aware, as current applications do, so that what the
// IME draws is not enlarged behind its back.

constexpr int kCheckedDpis[] = {96, 144, 192};
constexpr COLORREF kInk = RGB(200, 0, 45);

int atDpi(int value, int dpi) {
    return (value * dpi + 48) / 96; // halves up, as the windows round
}

bool within(long got, int want, int slack) {
    return std::labs(got - want) <= slack;
}

struct Ink {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, count = 0;
};

// Where the pixels near `colour` lie in the picture.
Ink inkOf(const Image& image, COLORREF colour) {
    Ink ink;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            if (std::abs(int(p >> 16 & 0xFF) - int(GetRValue(colour))) <= 60 &&
                std::abs(int(p >> 8 & 0xFF) - int(GetGValue(colour))) <= 60 &&
                std::abs(int(p & 0xFF) - int(GetBValue(colour))) <= 60) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
        }
    }
    return ink;
}

SIZE windowSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void typeKeys(const char* keys) {
    for (const char* k = keys; *k != '\0'; ++k) {
        typeKey(static_cast<BYTE>(*k));
    }
}

// What a click on the soft keyboard or a key typed committed: the EDIT's text where 32-bit Wine
// delivers it, else the context's result string.
std::wstring lastCommit() {
    const std::wstring edit = editText();
    return edit.empty() ? contextResult() : edit;
}

// The mean grey level of a picture, 0..255.
int meanGrey(const Image& image) {
    long long sum = 0;
    for (std::uint32_t p : image.pixels) {
        sum += ((p >> 16 & 0xFF) * 30 + (p >> 8 & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
    }
    return image.pixels.empty() ? -1 : static_cast<int>(sum / long(image.pixels.size()));
}

// Tells every window that a setting changed, as the shell does when the user picks a theme.
void announceSettingChange(const wchar_t* area) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(area),
                        SMTO_ABORTIFHUNG, 2000, &result);
    pump(200);
}

const wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

struct ThemeShots {
    Image comp, stat, soft;
};

// The three windows as they look now: the composition window with a page of candidates, then
// the keyboard shown (while it is shown, keys type what its page says).
ThemeShots shootWindows(HWND comp, HWND stat, HWND soft, int dpi, const wchar_t* name) {
    ThemeShots shots;
    typeKeys("BKRA");
    UpdateWindow(comp);
    shots.comp = captureWindow(comp);
    typeKey(VK_ESCAPE);
    click(stat, atDpi(66, dpi), atDpi(14, dpi));
    SetWindowPos(soft, nullptr, 0, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump(50);
    UpdateWindow(stat);
    UpdateWindow(soft);
    shots.stat = captureWindow(stat);
    shots.soft = captureWindow(soft);
    click(stat, atDpi(66, dpi), atDpi(14, dpi));
    savePng(shots.comp, (std::wstring(L"composition_") + name + L".png").c_str());
    savePng(shots.stat, (std::wstring(L"status_") + name + L".png").c_str());
    savePng(shots.soft, (std::wstring(L"soft_") + name + L".png").c_str());
    return shots;
}

// The open windows follow the theme when the setting changes: dark, then high contrast, then
// light again.
void checkThemes(HWND comp, HWND stat, HWND soft, int dpi) {
    const std::wstring at = std::to_wstring(dpi);
    const ThemeShots light = shootWindows(comp, stat, soft, dpi, (at + L"_light").c_str());

    DWORD dark = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", REG_DWORD, &dark,
                    sizeof dark);
    announceSettingChange(L"ImmersiveColorSet");
    const ThemeShots darkShots = shootWindows(comp, stat, soft, dpi, (at + L"_dark").c_str());
    check(meanGrey(light.comp) > 150 && meanGrey(darkShots.comp) < 80 &&
              meanGrey(light.soft) > 150 && meanGrey(darkShots.soft) < 100 &&
              inkOf(darkShots.comp, kInk).count == 0 && inkOf(darkShots.soft, kInk).count == 0,
          "dark theme: the open composition window and keyboard turn dark (mean grey %d -> %d, "
          "%d -> %d), their text leaves the light skin's red",
          meanGrey(light.comp), meanGrey(darkShots.comp), meanGrey(light.soft),
          meanGrey(darkShots.soft));
    check(sameImage(light.stat, darkShots.stat), "dark theme: the dark status bar stays as it is");

    HIGHCONTRASTW contrast{sizeof contrast, HCF_HIGHCONTRASTON, nullptr};
    const bool set = SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast,
                                           SPIF_SENDCHANGE) != FALSE;
    HIGHCONTRASTW now{sizeof now, 0, nullptr};
    SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof now, &now, 0);
    if (!set || (now.dwFlags & HCF_HIGHCONTRASTON) == 0) {
        std::printf("SKIP: high contrast: this Wine does not switch it on (set %d, flags 0x%lx)\n",
                    set, now.dwFlags);
    } else {
        announceSettingChange(L"WindowMetrics");
        const ThemeShots high = shootWindows(comp, stat, soft, dpi, (at + L"_contrast").c_str());
        const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        const Ink ink = inkOf(high.comp, text);
        check(high.comp.valid() &&
                  high.comp.at(high.comp.width / 2, high.comp.height - 4) ==
                      (std::uint32_t{GetRValue(window)} << 16 |
                       std::uint32_t{GetGValue(window)} << 8 | GetBValue(window)) &&
                  ink.count > 100,
              "high contrast: the composition window is drawn in the window and text colours "
              "(%d text pixels)",
              ink.count);
        check(inkOf(high.stat, RGB(34, 23, 101)).count == 0 &&
                  inkOf(high.stat, GetSysColor(COLOR_HIGHLIGHT)).count > 0,
              "high contrast: the status bar leaves its navy for the system colours");
        contrast.dwFlags = 0;
        SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, SPIF_SENDCHANGE);
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme");
    announceSettingChange(L"ImmersiveColorSet");
    const ThemeShots back = shootWindows(comp, stat, soft, dpi, (at + L"_light_again").c_str());
    check(sameImage(back.comp, light.comp) && sameImage(back.soft, light.soft) &&
              sameImage(back.stat, light.stat),
          "light theme again: the three windows look as they did");
}

// The child: every window at the DPI the process was started with.
int runAtDpi(const wchar_t* imePath, int dpi) {
    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    const int seen = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    check(seen == dpi, "%d DPI: the DPI-aware process sees LOGPIXELSY %d", dpi, seen);
    Opened opened = openIme(imePath);
    if (seen != dpi || !opened.ok) {
        return harness::finish("ui_harness --at");
    }
    HWND stat = opened.stat;
    HWND soft = opened.soft;
    auto suffix = [&](const wchar_t* name) {
        return std::wstring(name) + L"_" + std::to_wstring(dpi) + L".png";
    };

    const SIZE statSize = windowSize(stat);
    const SIZE softSize = windowSize(soft);
    check(within(statSize.cx, atDpi(132, dpi), 1) && within(statSize.cy, atDpi(28, dpi), 1),
          "%d DPI: the status window is %ld x %ld (132 x 28 at 96)", dpi, statSize.cx, statSize.cy);
    check(within(softSize.cx, atDpi(434, dpi), 1) && within(softSize.cy, atDpi(154, dpi), 1),
          "%d DPI: the soft keyboard is %ld x %ld (434 x 154 at 96)", dpi, softSize.cx,
          softSize.cy);

    // The status buttons at their scaled places: the mode button, a divider, the keyboard.
    const int middle = atDpi(14, dpi);
    clearEdit();
    click(stat, atDpi(40, dpi), middle);
    typeKey('K');
    check(editText() == L"k", "%d DPI: the mode button at x = %d switches to English (saw %s)", dpi,
          atDpi(40, dpi), describe(editText()).c_str());
    click(stat, atDpi(40, dpi), middle);
    click(stat, atDpi(53, dpi), middle);
    check(!IsWindowVisible(soft), "%d DPI: the divider at x = %d does nothing", dpi,
          atDpi(53, dpi));
    click(stat, atDpi(66, dpi), middle);
    check(IsWindowVisible(soft), "%d DPI: the soft keyboard button at x = %d shows the keyboard",
          dpi, atDpi(66, dpi));
    UpdateWindow(stat);
    savePng(captureWindow(stat), suffix(L"status").c_str());

    // A click at the scaled middle of q types q; one at the middle of w types w. The keyboard
    // opens at the screen's centre, half off this small screen: it is moved where it shows.
    SetWindowPos(soft, nullptr, 0, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pump(50);
    UpdateWindow(soft);
    savePng(captureWindow(soft), suffix(L"soft").c_str());
    const struct {
        int x;
        const wchar_t* want;
        const char* name;
    } keys[] = {{37, L"\u0F40", "q"}, {67, L"\u0F41", "w"}};
    for (const auto& key : keys) {
        clearEdit();
        click(soft, (atDpi(key.x, dpi) + atDpi(key.x + 30, dpi)) / 2,
              (atDpi(32, dpi) + atDpi(62, dpi)) / 2);
        typeKey(VK_RETURN);
        check(lastCommit() == key.want, "%d DPI: a click on the scaled %s key commits %s (saw %s)",
              dpi, key.name, describe(key.want).c_str(), describe(lastCommit()).c_str());
    }
    click(stat, atDpi(66, dpi), middle);

    // The composition window: its size, its font, and the ink of a tall stack and of a page of
    // candidates inside it.
    HWND comp = FindWindowW(L"UICOMP", nullptr);
    auto font = reinterpret_cast<HFONT>(SendMessageW(comp, WM_GETFONT, 0, 0));
    LOGFONTW logFont{};
    GetObjectW(font, sizeof logFont, &logFont);
    check(logFont.lfHeight == atDpi(21, dpi), "%d DPI: the composition font is %ld pixels high",
          dpi, logFont.lfHeight);
    SIZE compSize{};
    const struct {
        const char* keys;
        const char* what;
        const wchar_t* shot;
    } lines[] = {{"SGRUBS", "the stack sgrubs", L"composition_stack"},
                 {"BKRA", "a page of candidates", L"composition_candidates"}};
    for (const auto& line : lines) {
        clearEdit();
        typeKeys(line.keys);
        UpdateWindow(comp);
        const Image picture = captureWindow(comp);
        const SIZE size = windowSize(comp);
        compSize = size;
        const Ink ink = inkOf(picture, kInk);
        const int frame = std::max(1, atDpi(1, dpi));
        check(IsWindowVisible(comp) && within(size.cx, atDpi(275, dpi), 2) &&
                  size.cy >= atDpi(132, dpi) - 2,
              "%d DPI: %s: the composition window is %ld x %ld (275 x 132 at 96)", dpi, line.what,
              size.cx, size.cy);
        check(ink.count > 0 && ink.top > 0 && ink.left >= frame && ink.bottom < size.cy - frame,
              "%d DPI: the ink of %s lies inside the window (rows %d..%d of %ld, from x = %d)", dpi,
              line.what, ink.top, ink.bottom, size.cy, ink.left);
        savePng(picture, suffix(line.shot).c_str());
        typeKey(VK_ESCAPE);
    }
    if (dpi == 192) {
        checkThemes(comp, stat, soft, dpi);
    }
    std::printf("SIZES %d DPI: composition %ld x %ld, status %ld x %ld, soft keyboard %ld x %ld, "
                "candidate font %ld px\n",
                dpi, compSize.cx, compSize.cy, statSize.cx, statSize.cy, softSize.cx, softSize.cy,
                logFont.lfHeight);
    DestroyWindow(opened.main);
    pump(100);
    UnloadKeyboardLayout(opened.layout);
    return harness::finish("ui_harness --at");
}

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// Runs the child at each DPI, then puts LogPixels back as it was.
void checkOtherDpis(const wchar_t* imePath) {
    DWORD saved = 0;
    DWORD size = sizeof saved;
    const bool hadValue = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels",
                                       RRF_RT_REG_DWORD, nullptr, &saved, &size) == ERROR_SUCCESS;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (DWORD dpi : kCheckedDpis) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        const std::string out =
            harness::runCapturing(L"\"" + std::wstring(self) + L"\" \"" + imePath + L"\" \"" +
                                  g_artifacts + L"\" --at " + std::to_wstring(dpi));
        std::printf("%s", out.c_str());
        check(out.find("ui_harness --at: ") != std::string::npos &&
                  out.find(" 0 failed") != std::string::npos,
              "the windows at %lu DPI pass their checks", dpi);
    }
    if (hadValue) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &saved,
                        sizeof saved);
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::printf("usage: ui_harness <Revaze.ime> <artifacts folder>\n");
        return 2;
    }
    const wchar_t* imePath = argv[1];
    g_artifacts = argv[2];
    CreateDirectoryW(g_artifacts.c_str(), nullptr);
    if (argc >= 5 && std::wcscmp(argv[3], L"--at") == 0) {
        return runAtDpi(imePath, _wtoi(argv[4]));
    }
    std::printf("ui_harness (%d-bit) ime=%ls\n", static_cast<int>(sizeof(void*) * 8), imePath);

    Opened opened = openIme(imePath);
    if (!opened.ok) {
        return 1;
    }
    HKL layout = opened.layout;
    HMODULE ime = opened.ime;
    HWND main = opened.main;
    Ui ui;
    ui.stat = opened.stat;
    ui.soft = opened.soft;
    checkStartingPlaces(ui);

    ui.strip = loadBitmapResource(ime, 103);
    ui.caps = loadBitmapResource(ime, 113);
    check(ui.strip.width == 132 && ui.strip.height == 252, "bitmap 103 is 132 x 252 (nine rows)");
    check(ui.caps.width == 420 && ui.caps.height == 60, "bitmap 113 is 420 x 60");
    if (!ui.strip.valid() || !ui.caps.valid()) {
        return 1;
    }
    check(ui.statusShows(), "status window paints logo, Tibetan mode, keyboard, menu, Wy badge");
    savePng(captureWindow(ui.stat), L"status_tibetan.png");

    findCommitRoute();
    checkGaps(ui);
    checkModeButton(ui);
    checkPressOneReleaseAnother(ui);
    checkSoftKey(ui);
    checkMenus(ui);
    checkMonlamAndEwts(ui);
    checkDzongkhaPages(ui);
    checkKeyLeftBeforeRelease(ui);
    checkSoftButtonInEnglish(ui);
    checkLogoDrag(ui);
    checkHandlesUnderLoad(ui.stat, ui.soft);
    checkIconSizes(imePath);
    checkOtherDpis(imePath);

    DestroyWindow(main);
    pump(100);
    UnloadKeyboardLayout(layout);
    return harness::finish("ui_harness");
}
