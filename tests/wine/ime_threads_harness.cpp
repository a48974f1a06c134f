// Two GUI threads type at the same time, each into its own EDIT control through the real IMM32,
// in different layouts: each must get exactly its own text. The main thread first checks the
// IME's windows against a late WM_NCCREATE (late_create.h) and that they still type after it.
//
//     ime_threads_harness.exe <Revaze.ime> <artifacts folder>
//
// Keys cannot come from SendInput: it feeds only the foreground thread. Each thread plays the
// part of its message loop instead, as Wine's does for a key the keyboard sends: ImmProcessKey
// asks the IME, a key it takes goes on with ImmTranslateMessage (which calls ImeToAsciiEx and
// delivers the result to the context's window), and a key it refuses reaches the control as a
// character. Only key presses are played: Wine 8.0 hands the IME no releases either. On 64-bit
// the DLL delivers its messages through the input context (chooseMessageRoute in harness.h).
#include "tests/wine/harness.h"
#include "tests/wine/late_create.h"

#include <usp10.h>

#include <cwchar>
#include <string>
#include <utility>

using namespace harness;

// IMM32's key entry points that the system's message loop calls; mingw-w64 declares neither.
extern "C" BOOL WINAPI ImmProcessKey(HWND, HKL, UINT, LPARAM, DWORD);
extern "C" BOOL WINAPI ImmTranslateMessage(HWND, UINT, WPARAM, LPARAM);

namespace {

constexpr WPARAM kWylie = 6;
constexpr WPARAM kDzongkha = 20;
constexpr int kRounds = 250;

// What a thread types: a script repeated kRounds times in one layout, and what one round of it
// commits (from `revaze type --dict <the test dictionary>`, the same session natively).
struct Typist {
    Typist(const char* name_, WPARAM layout_, const char* round_, std::wstring roundText_)
        : name(name_), layout(layout_), round(round_), roundText(std::move(roundText_)) {}

    const char* name;
    WPARAM layout; // the status window's menu command
    const char* round;
    std::wstring roundText;
    // Filled in by the thread.
    HKL hkl = nullptr;
    HANDLE start = nullptr;
    bool ready = false;
    int keys = 0;
    int unfocused = 0; // keys played while the EDIT control did not have the thread's focus
    DWORD began = 0;
    DWORD ended = 0;
    std::wstring text;
    std::wstring afterRelease; // "qwe" Enter typed under a new UI window
};

// The font both controls draw with.
HFONT g_font;

// Wine 8.0's Uniscribe keeps one script cache per font for the whole process, made and freed
// around every text an EDIT control lays out or a window draws. Two threads doing that at once
// with the same font can read a cache the other has just freed: the process crashed in
// init_script_cache, once under an EDIT control's WM_CHAR, once under Revaze's TextOutW, each
// thread with its own DC and font objects. A reference of our own for the whole run keeps each
// font's cache alive, so that the run tests the input method rather than that race.
class KeptScriptCache {
public:
    explicit KeptScriptCache(const LOGFONTW& logFont)
        : font_(CreateFontIndirectW(&logFont)), dc_(GetDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc_, font_);
        long height = 0;
        ScriptCacheGetHeight(dc_, &cache_, &height);
        SelectObject(dc_, old);
    }
    ~KeptScriptCache() {
        ScriptFreeCache(&cache_);
        ReleaseDC(nullptr, dc_);
        DeleteObject(font_);
    }
    KeptScriptCache(const KeptScriptCache&) = delete;
    KeptScriptCache& operator=(const KeptScriptCache&) = delete;

private:
    HFONT font_;
    HDC dc_;
    SCRIPT_CACHE cache_ = nullptr;
};

// The font Revaze's windows draw with (CUIBase): the icon-title font, 21 high, in "Microsoft
// Himalaya".
LOGFONTW revazeFont() {
    LOGFONTW font{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    font.lfHeight = 21;
    std::wcsncpy(font.lfFaceName, L"Microsoft Himalaya", LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return font;
}

struct Host {
    HWND main = nullptr;
    HWND edit = nullptr;
};

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// Dispatches what is queued, without waiting.
void drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A window with an EDIT control on this thread, the IME its layout (switched before any window
// exists), opened: ImmSetOpenStatus creates the thread's UI window and with it Revaze's windows.
//
// The window is shown without taking the foreground, and the focus is set within the thread.
// Under Wine 8.0 a window that takes the foreground from another thread's deactivates that
// thread (WM_WINE_SETACTIVEWINDOW with no window): its focus goes, IMM32 deactivates the context
// and the composition in flight is lost, and when a later DestroyWindow hands the foreground back
// the focus lands on the frame, not the EDIT control, so every result after it goes to the frame.
// When that happens depended on how the two threads were scheduled. Windows gives keys to the
// foreground thread only, so no keyboard types into both; the harness plays the keys itself, and
// each thread's focus must stay where it was set.
Host openHost(HKL hkl, int y) {
    ActivateKeyboardLayout(hkl, 0);
    Host host;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    host.main = CreateWindowExW(0, L"RevazeThreadsHarness", L"Revaze threads", WS_OVERLAPPEDWINDOW,
                                40, y, 520, 100, nullptr, nullptr, instance, nullptr);
    host.edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                10, 10, 480, 40, host.main, nullptr, instance, nullptr);
    SendMessageW(host.edit, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(host.edit, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
    ShowWindow(host.main, SW_SHOWNOACTIVATE);
    SetFocus(host.edit);
    HIMC himc = ImmGetContext(host.edit);
    if (himc != nullptr) {
        ImmSetOpenStatus(himc, TRUE);
        ImmReleaseContext(host.edit, himc);
    }
    pump(200);
    return host;
}

// One key press, the way the message loop hands it on.
void playKey(const Host& host, HKL hkl, char ch) {
    const KeyStroke stroke = strokeFor(ch);
    const UINT scan = MapVirtualKeyW(stroke.vk, MAPVK_VK_TO_VSC);
    const LPARAM keyData = LPARAM(1 | (scan << 16));
    if (ImmProcessKey(host.edit, hkl, stroke.vk, keyData, 0)) {
        ImmTranslateMessage(host.edit, WM_KEYDOWN, VK_PROCESSKEY, keyData);
    } else {
        SendMessageW(host.edit, WM_CHAR, WPARAM(static_cast<unsigned char>(ch)), keyData);
    }
    drain();
}

std::wstring editText(HWND edit) {
    std::wstring text(size_t(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(edit, text.data(), int(text.size()))));
    return text;
}

// Wine 8.0 makes one UI window per IME and process, on the thread that opens the IME first;
// Windows makes one per thread. So each typing thread makes its own, as IMM32 would, with the
// host's context in its word: Revaze then gives the thread its own windows.
HWND makeUiWindow(const Host& host) {
    HWND ui = CreateWindowExW(0, L"UINAME", nullptr, WS_POPUP | WS_DISABLED, 0, 0, 1, 1, nullptr,
                              nullptr, GetModuleHandleW(L"Revaze.ime"), nullptr);
    HIMC himc = ImmGetContext(host.edit);
    SetWindowLongPtrW(ui, IMMGWLP_IMC, reinterpret_cast<LONG_PTR>(himc));
    ImmReleaseContext(host.edit, himc);
    return ui;
}

DWORD WINAPI typistThread(void* parameter) {
    Typist& typist = *static_cast<Typist*>(parameter);
    Host host = openHost(typist.hkl, typist.layout == kWylie ? 200 : 330);
    // Under Wine the thread has no UI window of IMM32's.
    HWND ui = findThreadWindow(L"UINAME") == nullptr ? makeUiWindow(host) : nullptr;
    HWND stat = findThreadWindow(L"UISTAT");
    typist.ready = stat != nullptr && findThreadWindow(L"UINAME") != nullptr;
    if (stat != nullptr) {
        SendMessageW(stat, WM_COMMAND, typist.layout, 0);
    }
    // Both threads start together, and neither waits for the other again.
    WaitForSingleObject(typist.start, 10000);
    typist.began = GetTickCount();
    for (int round = 0; round < kRounds; ++round) {
        for (const char* p = typist.round; *p != '\0'; ++p) {
            typist.unfocused += GetFocus() != host.edit;
            playKey(host, typist.hkl, *p);
            ++typist.keys;
        }
    }
    typist.ended = GetTickCount();
    typist.text = editText(host.edit);
    // Its UI window goes, and the thread's session with it: under the next one the thread
    // starts afresh, in Wylie.
    if (ui != nullptr) {
        DestroyWindow(ui);
        ui = makeUiWindow(host);
        SetWindowTextW(host.edit, L"");
        for (char ch : std::string("qwe\r")) {
            typist.unfocused += GetFocus() != host.edit;
            playKey(host, typist.hkl, ch);
        }
        typist.afterRelease = editText(host.edit);
        DestroyWindow(ui);
    }
    DestroyWindow(host.main);
    drain();
    return 0;
}

// Waits for both threads while dispatching this thread's messages.
bool waitPumping(HANDLE (&threads)[2], DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        drain();
        if (WaitForMultipleObjects(2, threads, TRUE, 0) == WAIT_OBJECT_0) {
            return true;
        }
        const auto left = static_cast<LONG>(end - GetTickCount());
        if (left <= 0) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left > 20 ? 20 : DWORD(left), QS_ALLINPUT);
    }
}

std::wstring repeated(const std::wstring& text, int times) {
    std::wstring out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// The main thread's own host: every window of the IME gets a late WM_NCCREATE, then types.
void checkLateCreates(HKL hkl) {
    Host host = openHost(hkl, 460);
    const struct {
        const wchar_t* className;
        const char* name;
    } windows[] = {{L"UINAME", "IME UI"},
                   {L"UICOMP", "composition"},
                   {L"UISTAT", "status"},
                   {L"UISOFT", "soft keyboard"}};
    playKey(host, hkl, 'k'); // the composition window is up and placed
    for (const auto& w : windows) {
        checkLateCreate(findThreadWindow(w.className), w.name);
    }
    for (char ch : std::string("ag\r")) {
        playKey(host, hkl, ch);
    }
    const std::wstring text = editText(host.edit);
    check(text == L"\u0F40\u0F42", "after them kag Enter still types U+0F40 U+0F42 (%s)",
          hex(text).c_str());
    DestroyWindow(host.main);
    drain();
}

void checkTwoTypists(HKL hkl) {
    Typist typists[2] = {
        {"Wylie", kWylie, "kag\rbkra\r", L"\u0F40\u0F42\u0F56\u0F40\u0FB2"},
        {"Dzongkha", kDzongkha, "kag\rqwe\r", L"\u0F58\u0F4F\u0F54\u0F40\u0F41\u0F42"},
    };
    HANDLE start = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE threads[2] = {};
    for (int i = 0; i < 2; ++i) {
        typists[i].hkl = hkl;
        typists[i].start = start;
        threads[i] = CreateThread(nullptr, 0, typistThread, &typists[i], 0, nullptr);
    }
    // The main thread keeps its messages flowing: the hosts' windows talk to its windows.
    pump(1500); // both hosts open their IME
    SetEvent(start);
    check(waitPumping(threads, 240000), "both typing threads ended");
    for (Typist& typist : typists) {
        const std::wstring want = repeated(typist.roundText, kRounds);
        check(typist.ready, "%s thread: its own UI window and status window", typist.name);
        check(typist.unfocused == 0,
              "%s thread: its EDIT control had the focus for every key (%d without)", typist.name,
              typist.unfocused);
        check(typist.text == want, "%s thread: %d keys typed exactly its own %zu units (saw %zu)",
              typist.name, typist.keys, want.size(), typist.text.size());
        if (typist.text != want) {
            std::printf("    it begins %s\n", hex(typist.text.substr(0, 16)).c_str());
        }
        check(typist.afterRelease == L"\u0F5D\u0F7A",
              "%s thread: after its UI window went, a new one starts in Wylie (qwe Enter: %s)",
              typist.name, hex(typist.afterRelease).c_str());
    }
    const DWORD zero = typists[0].began;
    std::printf("    Wylie typed from 0 to %lu ms, Dzongkha from %ld to %ld ms\n",
                static_cast<unsigned long>(typists[0].ended - zero),
                static_cast<long>(typists[1].began - zero),
                static_cast<long>(typists[1].ended - zero));
    check(typists[0].began < typists[1].ended && typists[1].began < typists[0].ended,
          "the two threads typed at the same time");
    for (HANDLE thread : threads) {
        CloseHandle(thread);
    }
    CloseHandle(start);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::printf("usage: ime_threads_harness <Revaze.ime> <artifacts folder>\n");
        return 2;
    }
    const char* route = chooseMessageRoute();
    std::printf("ime_threads_harness (%d-bit), messages through %s\n", int(sizeof(void*) * 8),
                route);
    HKL hkl = installIme(argv[1]);
    if (hkl == nullptr) {
        return finish("ime_threads_harness");
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = mainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RevazeThreadsHarness";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);

    g_font = CreateFontW(-28, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                         L"Microsoft Himalaya");
    LOGFONTW editFont{};
    GetObjectW(g_font, sizeof editFont, &editFont);
    KeptScriptCache keptForEdits(editFont);
    KeptScriptCache keptForRevaze(revazeFont());
    checkLateCreates(hkl);
    checkTwoTypists(hkl);
    DeleteObject(g_font);
    uninstallIme(hkl);
    return finish("ime_threads_harness");
}
