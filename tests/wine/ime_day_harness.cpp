// A working day through Revaze.ime: a hundred thousand keys on every layout, with candidates,
// the soft keyboard, mode switches and focus changes between two input contexts, then the DLL
// unloaded. The keys go straight to the exports on real input contexts (as ime_direct_harness
// calls them), since a message-route key costs tens of milliseconds under Wine; the soft
// keyboard's keys come back as real key messages, which the harness hands to the exports as
// IMM32 would. What the day may not do: grow the process's private memory or eat into the GDI,
// USER and memory handles it can still create, compared with the figures after the first
// thousand keys.
//
//     ime_day_harness.exe <Revaze.ime> <artifacts folder>
#include "tests/wine/harness.h"

#include <cctype>
#include <iterator>

using namespace harness;

namespace {

constexpr int kWarmUpKeys = 1000;
constexpr int kDayKeys = 100000; // REVAZE_DAY_KEYS shortens the day
// Private memory may move by this much between the two figures: the heaps grow and shrink
// in 64 KiB steps (Wine commits a subheap's memory in 64 KiB blocks), so a leak of even one
// byte a key (99 KB over the day) shows, while heap granularity alone does not.
constexpr std::size_t kMemorySlack = 64 * 1024;
// Handles are counted one by one. A leak on a path the day takes leaks once each time: hundreds
// at least. Wine's own caches (fonts, DCs, system brushes) may settle a few late: ten allowed.
constexpr std::size_t kHandleSlack = 10;

using ProcessKeyFn = BOOL(WINAPI*)(HIMC, UINT, LPARAM, const BYTE*);
using ToAsciiExFn = UINT(WINAPI*)(UINT, UINT, const BYTE*, LPTRANSMSGLIST, UINT, HIMC);
using SelectFn = BOOL(WINAPI*)(HIMC, BOOL);
using SetActiveContextFn = BOOL(WINAPI*)(HIMC, BOOL);
using DestroyFn = BOOL(WINAPI*)(UINT);

struct Ime {
    HMODULE module = nullptr;
    ProcessKeyFn processKey = nullptr;
    ToAsciiExFn toAscii = nullptr;
    SelectFn select = nullptr;
    SetActiveContextFn setActive = nullptr;
    DestroyFn destroy = nullptr;
};

Ime g_ime;
HIMC g_active = nullptr; // the context keys go to, as the focus decides
int g_keys = 0;

// A TRANSMSGLIST with room for ten messages, as IMM32 hands it over.
struct MessageList {
    alignas(TRANSMSGLIST) BYTE raw[sizeof(TRANSMSGLIST) + 9 * sizeof(TRANSMSG)] = {};
    TRANSMSGLIST* get() {
        auto* list = reinterpret_cast<TRANSMSGLIST*>(raw);
        list->uMsgCount = 10;
        return list;
    }
};
MessageList g_list;

bool loadIme(const wchar_t* path) {
    g_ime.module = LoadLibraryW(path);
    if (g_ime.module == nullptr) {
        return false;
    }
    auto find = [](const char* name) { return GetProcAddress(g_ime.module, name); };
    g_ime.processKey = reinterpret_cast<ProcessKeyFn>(find("ImeProcessKey"));
    g_ime.toAscii = reinterpret_cast<ToAsciiExFn>(find("ImeToAsciiEx"));
    g_ime.select = reinterpret_cast<SelectFn>(find("ImeSelect"));
    g_ime.setActive = reinterpret_cast<SetActiveContextFn>(find("ImeSetActiveContext"));
    g_ime.destroy = reinterpret_cast<DestroyFn>(find("ImeDestroy"));
    return g_ime.processKey && g_ime.toAscii && g_ime.select && g_ime.setActive && g_ime.destroy;
}

LPARAM keyData(UINT vk, bool released) {
    LPARAM data = 1 | LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
    return released ? (data | LPARAM(0xC0000000u)) : data;
}

// One key press and release as IMM32 makes them: ImeProcessKey, ImeToAsciiEx when the press is
// taken, ImeProcessKey for the release.
void typeKey(UINT vk, char ch) {
    BYTE state[256] = {};
    if (g_ime.processKey(g_active, vk, keyData(vk, false), state)) {
        g_ime.toAscii(MAKELONG(vk, BYTE(ch)), MapVirtualKeyW(vk, MAPVK_VK_TO_VSC), state,
                      g_list.get(), 0, g_active);
    }
    g_ime.processKey(g_active, vk, keyData(vk, true), state);
    ++g_keys;
}

void typeText(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        const KeyStroke stroke = strokeFor(*p);
        typeKey(stroke.vk, stroke.ch);
    }
}

// Key messages that reach the application's window (the soft keyboard's clicks make them) go
// to the IME first, as IMM32 routes them.
bool routeKey(const MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        const UINT vk = UINT(msg.wParam) & 0xFF;
        typeKey(vk, char(std::tolower(int(MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0x7F))));
        return true;
    }
    return msg.message == WM_KEYUP;
}

struct Windows {
    HWND stat = nullptr;
    HWND soft = nullptr;
    HWND comp = nullptr;
};

constexpr UINT kLayoutCommands[] = {6, 8, 10, 20, 30, 50, 60, 70};
constexpr UINT kFirstSoftPageCommand = 102;
constexpr POINT kSoftKeyQ{37 + 15, 32 + 15};
constexpr int kStatusSoftButton = 66;

// Clicks the status window's keyboard button until the soft keyboard is `shown`: a click that
// arrives before the pointer has moved there counts as a drag, as it would for a user.
void setSoftKeyboard(const Windows& w, bool shown) {
    for (int i = 0; i < 3 && (IsWindowVisible(w.soft) != FALSE) != shown; ++i) {
        clickClient(w.stat, kStatusSoftButton, 14);
        pump(0, routeKey);
    }
}

// The soft keyboard shown, a page chosen, two of its keys clicked and committed, then hidden.
void softKeyboardSpell(const Windows& w, int round) {
    setSoftKeyboard(w, true);
    SendMessageW(w.soft, WM_COMMAND, kFirstSoftPageCommand + round % 5, 0);
    for (int i = 0; i < 2; ++i) {
        clickClient(w.soft, kSoftKeyQ.x + 30 * i, kSoftKeyQ.y);
        pump(3, routeKey); // the key fires on a timer
    }
    typeText("k \r");
    setSoftKeyboard(w, false);
}

// A composition left behind when the focus moves on, typing in the next context, and back.
void focusChange(HIMC first, HIMC second) {
    typeText("bkra");
    g_ime.setActive(first, FALSE);
    g_active = second;
    g_ime.setActive(second, TRUE);
    typeText("ka ga\r");
    g_ime.setActive(second, FALSE);
    g_active = first;
    g_ime.setActive(first, TRUE);
}

void shiftTap() {
    BYTE state[256] = {};
    if (g_ime.processKey(g_active, VK_SHIFT, keyData(VK_SHIFT, false), state)) {
        g_ime.toAscii(MAKELONG(VK_SHIFT, 0), MapVirtualKeyW(VK_SHIFT, MAPVK_VK_TO_VSC), state,
                      g_list.get(), 0, g_active);
    }
    g_ime.processKey(g_active, VK_SHIFT, keyData(VK_SHIFT, true), state);
    ++g_keys;
}

// One layout's share of a round: syllables committed by space, Enter and candidates, a page of
// candidates turned, a mistake taken back, one dropped with Escape, English and back.
void layoutSegment(const Windows& w, UINT layout, int round) {
    SendMessageW(w.stat, WM_COMMAND, layout, 0);
    typeText("bkra shis ");
    typeKey(VK_NEXT, 0);
    typeKey(VK_PRIOR, 0);
    typeText(round % 2 == 0 ? "2" : " ");
    typeText("ka ga  kha\rbkrax\b\rnga\x1b");
    typeText("bsgrubs 'khor lo ");
    shiftTap();
    typeText("abc ");
    shiftTap();
    typeText("rgya mtsho\r");
}

// A round ends as it began: Wylie, Tibetan mode, nothing composed, the soft keyboard hidden.
void round(const Windows& w, HIMC first, HIMC second, int index) {
    for (std::size_t i = 0; i < std::size(kLayoutCommands); ++i) {
        layoutSegment(w, kLayoutCommands[i], index);
        if ((index + int(i)) % 3 == 0) {
            softKeyboardSpell(w, index);
        }
        if ((index + int(i)) % 2 == 0) {
            focusChange(first, second);
        }
        typeKey(VK_ESCAPE, 0x1B);
        for (HWND window : {w.stat, w.soft, w.comp}) {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        pump(0, routeKey);
    }
    SendMessageW(w.stat, WM_COMMAND, kLayoutCommands[0], 0);
}

struct Figures {
    std::size_t privateBytes = 0;
    ObjectCapacity room;
};

Figures measure() {
    pump(50, routeKey);
    Figures f;
    f.privateBytes = privateBytes();
    f.room = measureObjectCapacity();
    return f;
}

void report(const Figures& before, const Figures& after, int keysBefore, DWORD ms) {
    std::printf("  %d-bit: keys %d -> %d in %lu ms: private memory %zu -> %zu KiB, room for GDI "
                "objects %zu -> %zu, USER %zu -> %zu, memory handles %zu -> %zu\n",
                int(sizeof(void*) * 8), keysBefore, g_keys, static_cast<unsigned long>(ms),
                before.privateBytes / 1024, after.privateBytes / 1024, before.room.gdi,
                after.room.gdi, before.room.user, after.room.user, before.room.memory,
                after.room.memory);
    check(
        after.privateBytes <= before.privateBytes + kMemorySlack,
        "a day of typing leaves private memory where it was after %d keys (%+lld KiB, %zu KiB "
        "allowed)",
        keysBefore,
        (static_cast<long long>(after.privateBytes) - static_cast<long long>(before.privateBytes)) /
            1024,
        kMemorySlack / 1024);
    checkRoomKept(before.room, after.room, kHandleSlack);
}

LRESULT CALLBACK appProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::printf("usage: ime_day_harness <Revaze.ime> <artifacts folder>\n");
        return 2;
    }
    std::printf("ime_day_harness (%d-bit), keys through the exports\n", int(sizeof(void*) * 8));
    if (!check(loadIme(argv[1]), "Revaze.ime loads and its exports resolve")) {
        return finish("ime_day_harness");
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = appProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RevazeDayHarness";
    RegisterClassW(&wc);
    HWND app = CreateWindowExW(0, wc.lpszClassName, L"Revaze day", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               100, 100, 500, 300, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(app);
    SetFocus(app);
    HIMC first = ImmCreateContext();
    HIMC second = ImmCreateContext();
    g_ime.select(first, TRUE);
    g_ime.select(second, TRUE);
    HWND ui = CreateWindowExW(0, L"UINAME", L"", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, nullptr,
                              nullptr, g_ime.module, nullptr);
    SetWindowLongPtrW(ui, IMMGWLP_IMC, reinterpret_cast<LONG_PTR>(first));
    const Windows w{findThreadWindow(L"UISTAT"), findThreadWindow(L"UISOFT"),
                    findThreadWindow(L"UICOMP")};
    if (!check(w.stat && w.soft && w.comp, "the UI window made its three windows")) {
        return finish("ime_day_harness");
    }
    g_active = first;
    g_ime.setActive(first, TRUE);
    pump(200, routeKey);

    int index = 0;
    while (g_keys < kWarmUpKeys) {
        round(w, first, second, index++);
    }
    const int keysBefore = g_keys;
    const Figures before = measure();
    const DWORD start = GetTickCount();
    const int dayKeys = environmentNumber(L"REVAZE_DAY_KEYS", kDayKeys);
    while (g_keys < dayKeys) {
        round(w, first, second, index++);
    }
    const DWORD elapsed = GetTickCount() - start;
    const Figures after = measure();
    report(before, after, keysBefore, elapsed);
    check(IsWindowVisible(w.stat) && !IsWindowVisible(w.soft) && !IsWindowVisible(w.comp),
          "after %d rounds the status window is up, the soft keyboard and composition hidden",
          index);

    g_ime.destroy(0);
    DestroyWindow(ui);
    ImmDestroyContext(second);
    ImmDestroyContext(first);
    DestroyWindow(app);
    pump(100);
    FreeLibrary(g_ime.module);
    check(GetModuleHandleW(L"Revaze.ime") == nullptr, "the DLL unloads at the end of the day");
    return finish("ime_day_harness");
}
