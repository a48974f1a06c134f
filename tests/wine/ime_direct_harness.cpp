// Level 1: loads Revaze.ime with LoadLibrary and calls its exports directly on a real input
// context from IMM32, then reads the context back. Also drives the DLL's own windows: a UI window
// of class "UINAME" made here, with the context in its window word, so that the composition
// window follows a caret this harness controls.
//
//     ime_direct_harness.exe <Revaze.ime> <artifacts folder>
#include "tests/wine/harness.h"

#include <cstring>

using namespace harness;

namespace {

using InquireFn = BOOL(WINAPI*)(LPIMEINFO, LPWSTR, DWORD);
using SelectFn = BOOL(WINAPI*)(HIMC, BOOL);
using ProcessKeyFn = BOOL(WINAPI*)(HIMC, UINT, LPARAM, const BYTE*);
using ToAsciiExFn = UINT(WINAPI*)(UINT, UINT, const BYTE*, LPTRANSMSGLIST, UINT, HIMC);
using DestroyFn = BOOL(WINAPI*)(UINT);
using SetActiveContextFn = BOOL(WINAPI*)(HIMC, BOOL);
using NotifyFn = BOOL(WINAPI*)(HIMC, DWORD, DWORD, DWORD);

HMODULE g_ime;
InquireFn g_inquire;
SelectFn g_select;
ProcessKeyFn g_processKey;
ToAsciiExFn g_toAscii;
DestroyFn g_destroy;
SetActiveContextFn g_setActive;
NotifyFn g_notify;

const char* const kExports[] = {
    "ImeInquire",          "ImeConfigure",
    "ImeConversionList",   "ImeSelect",
    "ImeSetActiveContext", "ImeProcessKey",
    "ImeToAsciiEx",        "NotifyIME",
    "ImeDestroy",          "ImeRegisterWord",
    "ImeUnregisterWord",   "ImeGetRegisterWordStyle",
    "ImeEnumRegisterWord", "ImeSetCompositionString",
    "ImeEscape",           "UIWndProc",
    "CompWndProc",
};

// Messages that reach the application window through ImmGenerateMessage.
std::vector<std::pair<UINT, LPARAM>> g_appMessages;

LRESULT CALLBACK appProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
        g_appMessages.emplace_back(message, lParam);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A TRANSMSGLIST with room for ten messages, as IMM32 hands it over.
struct MessageList {
    alignas(TRANSMSGLIST) BYTE raw[sizeof(TRANSMSGLIST) + 9 * sizeof(TRANSMSG)];
    TRANSMSGLIST* get() { return reinterpret_cast<TRANSMSGLIST*>(raw); }
    void reset(UINT room) {
        std::memset(raw, 0, sizeof raw);
        get()->uMsgCount = room;
    }
};
MessageList g_list;

LPARAM keyData(UINT vk, bool released) {
    LPARAM data = 1 | LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
    return released ? (data | LPARAM(0xC0000000u)) : data;
}

// One key press and release as IMM32 makes them: ImeProcessKey, ImeToAsciiEx when the key is
// taken, ImeProcessKey for the release. Returns ImeToAsciiEx's result, -1 when refused.
int typeKey(HIMC himc, UINT vk, char ch) {
    BYTE state[256] = {};
    int result = -1;
    if (g_processKey(himc, vk, keyData(vk, false), state)) {
        UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        result = int(g_toAscii(MAKELONG(vk, BYTE(ch)), scan, state, g_list.get(), 0, himc));
    }
    g_processKey(himc, vk, keyData(vk, true), state);
    return result;
}

// Types `text`; returns the result of its last key.
int typeText(HIMC himc, const char* text) {
    int last = -1;
    for (const char* p = text; *p != '\0'; ++p) {
        KeyStroke stroke = strokeFor(*p);
        last = typeKey(himc, stroke.vk, stroke.ch);
    }
    return last;
}

bool listHoldsCommit() {
    const TRANSMSG* m = g_list.get()->TransMsg;
    return m[0].message == WM_IME_COMPOSITION && m[0].wParam == 0 && m[0].lParam == GCS_RESULTSTR &&
           m[1].message == WM_IME_ENDCOMPOSITION && m[1].wParam == 0 && m[1].lParam == 0;
}

struct Block {
    bool ok = false;
    DWORD blockSize = 0, dwSize = 0, compOffset = 0, compLen = 0, resultOffset = 0, resultLen = 0,
          cursor = 0;
    std::wstring comp, result;
};

// The composition block, read through the raw memory with every offset checked.
Block readBlock(HIMC himc) {
    Block b;
    revaze::ScopedIMC context(himc);
    if (!context) {
        return b;
    }
    b.blockSize = ImmGetIMCCSize(context->hCompStr);
    revaze::ScopedIMCC memory(context->hCompStr);
    if (!memory) {
        return b;
    }
    auto* header = memory.as<COMPOSITIONSTRING>();
    b.dwSize = header->dwSize;
    b.compOffset = header->dwCompStrOffset;
    b.compLen = header->dwCompStrLen;
    b.resultOffset = header->dwResultStrOffset;
    b.resultLen = header->dwResultStrLen;
    b.cursor = header->dwCursorPos;
    auto area = [&](DWORD offset, DWORD length, std::wstring& out) {
        if (offset + (length + 1) * sizeof(wchar_t) > b.blockSize) {
            return false;
        }
        auto* text = reinterpret_cast<const wchar_t*>(memory.bytes() + offset);
        out.assign(text, length);
        return text[length] == L'\0';
    };
    b.ok = area(b.compOffset, b.compLen, b.comp) && area(b.resultOffset, b.resultLen, b.result);
    return b;
}

std::wstring apiString(HIMC himc, DWORD which) {
    LONG bytes = ImmGetCompositionStringW(himc, which, nullptr, 0);
    if (bytes <= 0) {
        return {};
    }
    std::wstring text(size_t(bytes) / sizeof(wchar_t), L'\0');
    ImmGetCompositionStringW(himc, which, text.data(), DWORD(bytes));
    return text;
}

void setCaret(HIMC himc, HWND owner, POINT caret) {
    revaze::ScopedIMC context(himc);
    if (context) {
        context->hWnd = owner;
        context->cfCompForm.dwStyle = CFS_POINT;
        context->cfCompForm.ptCurrentPos = caret;
    }
}

RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool rectIs(const RECT& r, int x, int y, int w, int h) {
    return r.left == x && r.top == y && r.right - r.left == w && r.bottom - r.top == h;
}

void printRect(const char* what, const RECT& r) {
    std::printf("  %s: (%ld, %ld) %ld x %ld\n", what, r.left, r.top, r.right - r.left,
                r.bottom - r.top);
}

bool loadIme(const wchar_t* path) {
    g_ime = LoadLibraryW(path);
    if (!check(g_ime != nullptr, "LoadLibrary of Revaze.ime (error %lu)", GetLastError())) {
        return false;
    }
    int missing = 0;
    for (const char* name : kExports) {
        if (GetProcAddress(g_ime, name) == nullptr) {
            std::printf("  missing export %s\n", name);
            ++missing;
        }
    }
    check(missing == 0, "the 15 IME exports and the two window procedures resolve by plain name");
    g_inquire = reinterpret_cast<InquireFn>(GetProcAddress(g_ime, "ImeInquire"));
    g_select = reinterpret_cast<SelectFn>(GetProcAddress(g_ime, "ImeSelect"));
    g_processKey = reinterpret_cast<ProcessKeyFn>(GetProcAddress(g_ime, "ImeProcessKey"));
    g_toAscii = reinterpret_cast<ToAsciiExFn>(GetProcAddress(g_ime, "ImeToAsciiEx"));
    g_destroy = reinterpret_cast<DestroyFn>(GetProcAddress(g_ime, "ImeDestroy"));
    g_setActive =
        reinterpret_cast<SetActiveContextFn>(GetProcAddress(g_ime, "ImeSetActiveContext"));
    g_notify = reinterpret_cast<NotifyFn>(GetProcAddress(g_ime, "NotifyIME"));
    return g_inquire && g_select && g_processKey && g_toAscii && g_destroy && g_setActive &&
           g_notify;
}

void checkInquire() {
    IMEINFO info{};
    info.dwPrivateDataSize = 0x5A5A;
    wchar_t uiClass[16];
    std::memset(uiClass, 0xCC, sizeof uiClass);
    check(g_inquire(&info, uiClass, 0) == TRUE, "ImeInquire returns TRUE");
    check(info.fdwProperty == 0x000A0002 && info.fdwConversionCaps == 9 &&
              info.fdwSentenceCaps == 0 && info.fdwUICaps == 1 && info.fdwSCSCaps == 0 &&
              info.fdwSelectCaps == 1,
          "IMEINFO: property %#lx conversion %lu sentence %lu UI %lu SCS %lu select %lu",
          info.fdwProperty, info.fdwConversionCaps, info.fdwSentenceCaps, info.fdwUICaps,
          info.fdwSCSCaps, info.fdwSelectCaps);
    check(info.dwPrivateDataSize == 0x5A5A, "ImeInquire leaves dwPrivateDataSize unwritten");
    check(lstrcmpW(uiClass, L"UINAME") == 0 && uiClass[7] == wchar_t(0xCCCC),
          "UI class \"UINAME\" copied with its terminator and nothing more");
}

void checkWindowClasses() {
    struct ClassRow {
        const wchar_t* name;
        UINT style;
        int minExtra;
        int exactExtra; // -1: not fixed
    };
    const ClassRow rows[] = {
        {L"UINAME", CS_IME | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, 8, -1},
        {L"UICOMP", CS_IME | CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, 12, 12},
        {L"UISTAT", CS_IME, 0, -1},
        {L"UISOFT", CS_IME, 0, -1},
    };
    for (const ClassRow& row : rows) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        bool found = GetClassInfoExW(g_ime, row.name, &wc) != 0;
        bool styleOk = row.exactExtra == -1 && row.minExtra == 0 ? (wc.style & CS_IME) != 0
                                                                 : wc.style == row.style;
        bool extraOk = wc.cbWndExtra >= row.minExtra &&
                       (row.exactExtra < 0 || wc.cbWndExtra == row.exactExtra);
        check(found && styleOk && extraOk,
              "class %ls registered at load: style %#x, %d extra bytes", row.name, wc.style,
              wc.cbWndExtra);
    }
    WNDCLASSEXW comp{};
    comp.cbSize = sizeof comp;
    GetClassInfoExW(g_ime, L"UICOMP", &comp);
    check(comp.hbrBackground == GetStockObject(LTGRAY_BRUSH) &&
              comp.lpfnWndProc == reinterpret_cast<WNDPROC>(GetProcAddress(g_ime, "CompWndProc")),
          "UICOMP: light grey background, CompWndProc as its procedure");
    WNDCLASSEXW ui{};
    ui.cbSize = sizeof ui;
    GetClassInfoExW(g_ime, L"UINAME", &ui);
    check(ui.lpfnWndProc == reinterpret_cast<WNDPROC>(GetProcAddress(g_ime, "UIWndProc")),
          "UINAME: UIWndProc as its procedure");
}

void checkSkin() {
    HRSRC found = FindResourceW(g_ime, L"SKIN1", MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    auto bitmap = static_cast<HBITMAP>(LoadImageW(g_ime, L"SKIN1", IMAGE_BITMAP, 0, 0, 0));
    BITMAP info{};
    if (bitmap != nullptr) {
        GetObjectW(bitmap, sizeof info, &info);
    }
    check(found != nullptr && bitmap != nullptr && info.bmWidth == 1 && info.bmHeight == 175,
          "bitmap resource SKIN1 is 1 x 175 (%ld x %ld)", info.bmWidth, info.bmHeight);
    HRSRC raw = FindResourceW(g_ime, L"SKIN1", MAKEINTRESOURCEW(2));
    const auto* header =
        raw ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(g_ime, raw)))
            : nullptr;
    check(header != nullptr && header->biBitCount == 24, "SKIN1 is stored with 24 bits per pixel");
    if (bitmap != nullptr) {
        BITMAPINFOHEADER want{};
        want.biSize = sizeof want;
        want.biWidth = 1;
        want.biHeight = -175; // top row first
        want.biPlanes = 1;
        want.biBitCount = 32;
        DWORD pixels[175] = {};
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, bitmap, 0, 175, pixels, reinterpret_cast<BITMAPINFO*>(&want), DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        struct Row {
            int row;
            int low, high;
        };
        const Row rows[] = {{0, 178, 182},  {12, 230, 236},  {25, 178, 182}, {40, 180, 180},
                            {55, 178, 182}, {105, 232, 237}, {174, 179, 183}};
        bool grey = true;
        for (const Row& r : rows) {
            DWORD p = pixels[r.row];
            int b = p & 0xFF, g = (p >> 8) & 0xFF, red = (p >> 16) & 0xFF;
            std::printf("  SKIN1 row %d: %d %d %d\n", r.row, red, g, b);
            grey = grey && red == g && g == b && red >= r.low && red <= r.high;
        }
        check(grey, "SKIN1 is the grey gradient: band at the top, flat 180, swell near row 105");
        DeleteObject(bitmap);
    }
}

struct ProcessRow {
    const char* what;
    UINT vk;
    bool released;
    bool ctrl;
    BOOL expected;
};

void checkProcessKeyTable(HIMC himc) {
    const ProcessRow rows[] = {
        {"letter press", 'K', false, false, TRUE},
        {"letter release", 'K', true, false, FALSE},
        {"space", VK_SPACE, false, false, TRUE},
        {"escape", VK_ESCAPE, false, false, TRUE},
        {"page up", VK_PRIOR, false, false, TRUE},
        {"page down", VK_NEXT, false, false, TRUE},
        {"digit", '1', false, false, TRUE},
        {"comma", VK_OEM_COMMA, false, false, TRUE},
        {"soft keyboard page key", 0x2F, false, false, TRUE},
        {"Ctrl+1", '1', false, true, TRUE},
        {"Ctrl+C", 'C', false, true, FALSE},
        {"Ctrl+Z", 'Z', false, true, FALSE},
        {"tab", VK_TAB, false, false, FALSE},
        {"control", VK_CONTROL, false, false, FALSE},
        {"alt", VK_MENU, false, false, FALSE},
        {"caps lock", VK_CAPITAL, false, false, FALSE},
        {"end", VK_END, false, false, FALSE},
        {"home", VK_HOME, false, false, FALSE},
        {"left", VK_LEFT, false, false, FALSE},
        {"up", VK_UP, false, false, FALSE},
        {"right", VK_RIGHT, false, false, FALSE},
        {"down", VK_DOWN, false, false, FALSE},
        {"insert", VK_INSERT, false, false, FALSE},
        {"delete", VK_DELETE, false, false, FALSE},
        {"numpad add", VK_ADD, false, false, FALSE},
        {"F1", VK_F1, false, false, FALSE},
        {"F12", VK_F12, false, false, FALSE},
        {"num lock", VK_NUMLOCK, false, false, FALSE},
        {"backspace, nothing composed", VK_BACK, false, false, FALSE},
        {"enter, nothing composed", VK_RETURN, false, false, FALSE},
    };
    int wrong = 0;
    for (const ProcessRow& row : rows) {
        BYTE state[256] = {};
        if (row.ctrl) {
            state[VK_CONTROL] = 0x80;
        }
        BOOL got = g_processKey(himc, row.vk, keyData(row.vk, row.released), state);
        if (got != row.expected) {
            std::printf("  ImeProcessKey(%s) = %d, expected %d\n", row.what, got, row.expected);
            ++wrong;
        }
    }
    check(wrong == 0, "ImeProcessKey decision table, Tibetan mode: %zu keys",
          sizeof rows / sizeof rows[0]);
    BYTE state[256] = {};
    check(g_processKey(nullptr, 'K', keyData('K', false), state) == FALSE,
          "ImeProcessKey with a null context refuses the key");

    // Backspace is taken while something is composed.
    typeText(himc, "k");
    check(g_processKey(himc, VK_BACK, keyData(VK_BACK, false), state) == TRUE,
          "ImeProcessKey takes Backspace while composing");
    typeKey(himc, VK_ESCAPE, 0x1B);
}

void checkEnglishMode(HIMC himc) {
    BYTE state[256] = {};
    // As IMM32 does: the taken press goes on to ImeToAsciiEx, then comes the release.
    BOOL press = g_processKey(himc, VK_SHIFT, keyData(VK_SHIFT, false), state);
    UINT shiftMessages =
        press ? g_toAscii(MAKELONG(VK_SHIFT, 0), MapVirtualKeyW(VK_SHIFT, MAPVK_VK_TO_VSC), state,
                          g_list.get(), 0, himc)
              : 99;
    BOOL release = g_processKey(himc, VK_SHIFT, keyData(VK_SHIFT, true), state);
    check(press == TRUE && shiftMessages == 0 && release == FALSE,
          "a Shift tap: press taken (no message), release refused");
    const UINT keys[] = {'K', VK_SPACE, '1', VK_RETURN, VK_BACK, VK_ESCAPE};
    int taken = 0;
    for (UINT vk : keys) {
        taken += g_processKey(himc, vk, keyData(vk, false), state);
    }
    check(taken == 0, "English mode: every key goes to the application");
    press = g_processKey(himc, VK_SHIFT, keyData(VK_SHIFT, false), state);
    release = g_processKey(himc, VK_SHIFT, keyData(VK_SHIFT, true), state);
    check(press == FALSE && release == FALSE, "English mode: the Shift tap itself is refused");
    check(g_processKey(himc, 'K', keyData('K', false), state) == TRUE,
          "the second Shift tap brings Tibetan mode back");
}

void checkCommits(HIMC himc) {
    g_list.reset(10);
    int n = typeText(himc, "bkra shis\r");
    Block b = readBlock(himc);
    check(n == 2 && listHoldsCommit(),
          "Wylie bkra shis Enter: 2 messages, WM_IME_COMPOSITION(GCS_RESULTSTR) then "
          "WM_IME_ENDCOMPOSITION (got %d)",
          n);
    check(b.ok && b.result == kBkraShis, "result string is %s", hex(b.result).c_str());
    check(b.ok && b.blockSize == 500 && b.dwSize == 500 && b.compOffset == 100 &&
              b.resultOffset == 300 && b.compLen == 7 && b.resultLen == 7 && b.cursor == 0 &&
              b.comp == kBkraShis,
          "block: size %lu/%lu, offsets %lu and %lu, lengths %lu and %lu", b.blockSize, b.dwSize,
          b.compOffset, b.resultOffset, b.compLen, b.resultLen);
    check(apiString(himc, GCS_RESULTSTR) == kBkraShis && apiString(himc, GCS_COMPSTR) == kBkraShis,
          "ImmGetCompositionStringW reads the same text for GCS_RESULTSTR and GCS_COMPSTR");

    g_list.reset(10);
    n = typeText(himc, "k");
    BYTE state[256] = {};
    UINT released =
        g_toAscii(MAKELONG(VK_RETURN, '\r'), 0x1C | 0x8000, state, g_list.get(), 0, himc);
    UINT noContext = g_toAscii(MAKELONG(VK_RETURN, '\r'), 0x1C, state, g_list.get(), 0, nullptr);
    UINT badContext = g_toAscii(MAKELONG(VK_RETURN, '\r'), 0x1C, state, g_list.get(), 0,
                                reinterpret_cast<HIMC>(ULONG_PTR(0xDEAD0)));
    check(released == 0 && noContext == 0 && badContext == 0 && readBlock(himc).result == kBkraShis,
          "ImeToAsciiEx: a release, a null and an unlockable context commit nothing");
    n = typeText(himc, "\r");
    check(n == 2 && readBlock(himc).result == L"\u0F40", "k Enter commits U+0F40");

    // Wylie, nothing composed: '1' is a Tibetan digit committed at once.
    g_list.reset(10);
    n = typeText(himc, "1");
    b = readBlock(himc);
    check(n == 2 && b.result == L"\u0F21" && b.resultLen == 1 && b.compLen == 1,
          "a direct character commits one unit (U+0F21) with length 1");

    // A dictionary candidate longer than a string area arrives whole.
    g_list.reset(10);
    typeText(himc, "bkra");
    n = typeText(himc, "1");
    b = readBlock(himc);
    const std::wstring longText = longCandidate();
    check(n == 2 && b.ok && b.result == longText && b.resultLen == longText.size(),
          "bkra then 1 commits the first candidate whole: %lu units", b.resultLen);
    check(b.ok && b.blockSize >= b.dwSize && b.compOffset == 100 &&
              b.resultOffset >= b.compOffset + (b.compLen + 1) * 2 &&
              b.resultOffset + (b.resultLen + 1) * 2 <= b.blockSize,
          "the long commit fits its grown block: size %lu, offsets %lu and %lu", b.blockSize,
          b.compOffset, b.resultOffset);
    check(apiString(himc, GCS_RESULTSTR) == longText, "IMM32 reads the long result whole");
    n = typeText(himc, "ka\r");
    b = readBlock(himc);
    check(n == 2 && b.blockSize == 500 && b.dwSize == 500 && b.resultOffset == 300 &&
              b.result == L"\u0F40",
          "the next short commit is back in the 500-byte layout");
}

void checkMessageBuffer(HIMC himc) {
    // A list with room for one message: the two go through the context and ImmGenerateMessage.
    g_appMessages.clear();
    typeText(himc, "ga");
    g_list.reset(1);
    int n = typeText(himc, "\r");
    bool ordered = g_appMessages.size() == 2 && g_appMessages[0].first == WM_IME_COMPOSITION &&
                   g_appMessages[0].second == GCS_RESULTSTR &&
                   g_appMessages[1].first == WM_IME_ENDCOMPOSITION;
    DWORD left = 0;
    {
        revaze::ScopedIMC context(himc);
        left = context ? context->dwNumMsgBuf : 99;
    }
    check(n == 0 && ordered && left == 0 && readBlock(himc).result == L"\u0F42",
          "a one-message list: 0 returned, both messages delivered through the context "
          "(%zu seen, %lu left)",
          g_appMessages.size(), left);

    g_appMessages.clear();
    SetEnvironmentVariableW(L"REVAZE_IME_GENMSG", L"1");
    typeText(himc, "nga");
    g_list.reset(10);
    n = typeText(himc, "\r");
    SetEnvironmentVariableW(L"REVAZE_IME_GENMSG", nullptr);
    check(n == 0 && g_appMessages.size() == 2 && readBlock(himc).result == L"\u0F44",
          "REVAZE_IME_GENMSG=1 sends every commit through the context's message buffer");
    g_list.reset(10);
}

// A block that IMM32 did not allocate: it can be locked, but IMM32 can neither size nor resize
// it, as with a component that the application replaced or freed behind the IME's back.
class ForeignBlock {
public:
    ForeignBlock() : heap_(HeapCreate(0, 0, 0)) {
        block_ = heap_ != nullptr ? HeapAlloc(heap_, HEAP_ZERO_MEMORY, 500) : nullptr;
    }
    ~ForeignBlock() {
        if (heap_ != nullptr) {
            HeapDestroy(heap_);
        }
    }
    ForeignBlock(const ForeignBlock&) = delete;
    ForeignBlock& operator=(const ForeignBlock&) = delete;
    HIMCC handle() const { return static_cast<HIMCC>(block_); }

private:
    HANDLE heap_;
    void* block_ = nullptr;
};

// Puts `replacement` in one of the context's components until destroyed.
class SwappedComponent {
public:
    SwappedComponent(HIMC himc, HIMCC INPUTCONTEXT::*member, HIMCC replacement)
        : himc_(himc), member_(member) {
        revaze::ScopedIMC context(himc_);
        if (context) {
            saved_ = context.get()->*member_;
            context.get()->*member_ = replacement;
        }
    }
    ~SwappedComponent() {
        revaze::ScopedIMC context(himc_);
        if (context) {
            context.get()->*member_ = saved_;
        }
    }
    SwappedComponent(const SwappedComponent&) = delete;
    SwappedComponent& operator=(const SwappedComponent&) = delete;

private:
    HIMC himc_;
    HIMCC INPUTCONTEXT::*member_;
    HIMCC saved_ = nullptr;
};

struct FailedCommitRow {
    const char* what;
    HIMCC INPUTCONTEXT::*member; // the component IMM32 cannot size
    UINT room;                   // room in the message list
    const char* composed;        // typed before the commit
    const char* commitKey;       // the key that commits
    std::wstring expected;
};

// A commit that cannot reach the context keeps the composition and announces nothing: the same
// key into a good context then commits the whole text.
void checkFailedCommits(HIMC himc) {
    ForeignBlock foreign;
    if (!check(foreign.handle() != nullptr, "a block from another heap for the failing contexts")) {
        return;
    }
    const FailedCommitRow rows[] = {
        {"a composition block that cannot be sized", &INPUTCONTEXT::hCompStr, 10, "bkra shis", "\r",
         kBkraShis},
        {"a 136-unit candidate into a block that cannot grow", &INPUTCONTEXT::hCompStr, 10, "bkra",
         "1", longCandidate()},
        {"a message buffer that cannot take the messages", &INPUTCONTEXT::hMsgBuf, 1, "bkra shis",
         "\r", kBkraShis},
    };
    for (const FailedCommitRow& row : rows) {
        g_list.reset(10);
        typeText(himc, row.composed);
        int failed = -1;
        bool silent = false;
        {
            SwappedComponent swap(himc, row.member, foreign.handle());
            g_list.reset(row.room);
            g_appMessages.clear();
            DWORD queuedBefore = 0;
            {
                revaze::ScopedIMC context(himc);
                queuedBefore = context ? context->dwNumMsgBuf : 99;
            }
            failed = typeText(himc, row.commitKey);
            pump(50);
            revaze::ScopedIMC context(himc);
            silent = failed == 0 && g_list.get()->TransMsg[0].message == 0 &&
                     g_appMessages.empty() && context && context->dwNumMsgBuf == queuedBefore;
        }
        check(silent, "%s: the commit fails and nothing is announced (returned %d, %zu messages)",
              row.what, failed, g_appMessages.size());
        g_list.reset(10);
        int n = typeText(himc, row.commitKey);
        Block b = readBlock(himc);
        check(n == 2 && b.ok && b.result == row.expected,
              "%s: the composition was kept, and the same key into a good context commits all "
              "%zu units (returned %d, %lu units)",
              row.what, row.expected.size(), n, b.resultLen);
    }
}

struct UiMessageRow {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM result;
};

void checkUiWindow(HWND ui, HIMC himc, HWND stat) {
    check(SendMessageW(ui, WM_IME_CONTROL, IMC_GETCANDIDATEPOS, 0) == 0,
          "UIWndProc without a context answers IME messages with 0");
    SetWindowLongPtrW(ui, IMMGWLP_IMC, reinterpret_cast<LONG_PTR>(himc));
    const UiMessageRow rows[] = {
        {"WM_IME_CONTROL IMC_GETCOMPOSITIONWINDOW", WM_IME_CONTROL, IMC_GETCOMPOSITIONWINDOW, 0},
        {"WM_IME_CONTROL IMC_GETCANDIDATEPOS", WM_IME_CONTROL, IMC_GETCANDIDATEPOS, 1},
        {"WM_IME_CONTROL IMC_GETCOMPOSITIONFONT", WM_IME_CONTROL, IMC_GETCOMPOSITIONFONT, 1},
        {"WM_IME_NOTIFY IMN_OPENSTATUSWINDOW", WM_IME_NOTIFY, IMN_OPENSTATUSWINDOW, 0},
        {"WM_IME_NOTIFY IMN_CLOSESTATUSWINDOW", WM_IME_NOTIFY, IMN_CLOSESTATUSWINDOW, 0},
        {"WM_IME_SETCONTEXT", WM_IME_SETCONTEXT, TRUE, 0},
        {"WM_IME_SELECT", WM_IME_SELECT, TRUE, 0},
        {"WM_IME_STARTCOMPOSITION", WM_IME_STARTCOMPOSITION, 0, 0},
        {"WM_IME_COMPOSITION", WM_IME_COMPOSITION, 0, 0},
        {"WM_IME_ENDCOMPOSITION", WM_IME_ENDCOMPOSITION, 0, 0},
        {"WM_IME_COMPOSITIONFULL", WM_IME_COMPOSITIONFULL, 0, 0},
        {"WM_SETFOCUS", WM_SETFOCUS, 0, 0},
    };
    int wrong = 0;
    for (const UiMessageRow& row : rows) {
        LRESULT got = SendMessageW(ui, row.message, row.wParam, 0);
        if (got != row.result) {
            std::printf("  %s = %ld, expected %ld\n", row.what, long(got), long(row.result));
            ++wrong;
        }
    }
    check(wrong == 0, "UIWndProc answers %zu IME messages with their fixed results",
          sizeof rows / sizeof rows[0]);
    check(IsWindowVisible(stat) != FALSE, "the status window is still shown after the notifies");

    HWND comp = findThreadWindow(L"UICOMP");
    CREATESTRUCTW create{};
    SendMessageW(ui, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create));
    check(countThreadWindows(L"UICOMP") == 1 && countThreadWindows(L"UISTAT") == 1 &&
              countThreadWindows(L"UISOFT") == 1 && findThreadWindow(L"UICOMP") == comp,
          "a second WM_CREATE creates no new windows");
}

void checkPlacement(HIMC himc, HWND app, HWND comp, const std::wstring& artifacts) {
    POINT origin{0, 0};
    ClientToScreen(app, &origin);
    setCaret(himc, app, {30, 40});
    typeText(himc, "bkra");
    pump(300);
    RECT r = windowRect(comp);
    printRect("composition window with candidates", r);
    check(IsWindowVisible(comp) && rectIs(r, origin.x + 58, origin.y + 68, 275, 132),
          "with candidates the window sits 28 pixels right of and below the caret, 275 x 132");

    // What a user sees: the display line and a page of candidates.
    RECT client = r;
    std::wstring shot = artifacts + L"\\composition_candidates.bmp";
    check(saveScreenBmp(shot, client), "screenshot of the composition window saved");
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    saveScreenBmp(artifacts + L"\\direct_screen.bmp", screen);
    RECT textBand{r.left, r.top, r.right, r.top + 25};
    RECT candidates{r.left, r.top + 26, r.right, r.bottom};
    int red = countPixels(textBand, RGB(200, 0, 45), 60);
    int redCandidates = countPixels(candidates, RGB(200, 0, 45), 60);
    // The frame: left and bottom edges in the frame grey (the long first candidate may run over
    // the right edge, since the text is drawn after the frame).
    RECT leftEdge{r.left, r.top + 1, r.left + 1, r.bottom};
    RECT bottomEdge{r.left + 1, r.bottom - 1, r.right, r.bottom};
    int frame = countPixels(leftEdge, RGB(180, 180, 180), 2) +
                countPixels(bottomEdge, RGB(180, 180, 180), 2);
    check(red > 20 && redCandidates > 50,
          "the display line and the candidates are drawn in RGB(200, 0, 45) (%d and %d pixels)",
          red, redCandidates);
    check(frame == (131 + 274), "the left and bottom edges are the grey frame (%d pixels)", frame);
    typeKey(himc, VK_ESCAPE, 0x1B);
    pump(200);
    check(!IsWindowVisible(comp), "Escape hides the composition window");

    // The work area: pulled in at the right; above the caret when there is no room below it.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    struct CaretRow {
        const char* what;
        POINT screenCaret;
        int x, y;
    };
    const CaretRow rows[] = {
        {"caret near the right edge",
         {work.right - 100, work.top + 100},
         work.right - 275,
         work.top + 128},
        {"caret near the bottom edge: above it",
         {work.left + 100, work.bottom - 50},
         work.left + 128,
         work.bottom - 50 - 4 - 132},
        {"caret near the left and top edges",
         {work.left - 20, work.top - 10},
         work.left + 8,
         work.top + 18},
    };
    for (const CaretRow& row : rows) {
        setCaret(himc, app, {row.screenCaret.x - origin.x, row.screenCaret.y - origin.y});
        typeText(himc, "k");
        pump(200);
        r = windowRect(comp);
        check(IsWindowVisible(comp) && rectIs(r, row.x, row.y, 275, 132),
              "%s: window at (%ld, %ld), expected (%d, %d)", row.what, r.left, r.top, row.x, row.y);
        typeKey(himc, VK_ESCAPE, 0x1B);
        pump(100);
    }
    setCaret(himc, app, {30, 40});
}

void checkLongLine(HIMC himc, HWND app, HWND comp, HWND stat) {
    POINT origin{0, 0};
    ClientToScreen(app, &origin);
    RECT desktop = windowRect(GetDesktopWindow());
    const int w = desktop.right - desktop.left;
    const int h = desktop.bottom - desktop.top;
    SendMessageW(stat, WM_COMMAND, 8, 0); // Wylie-F
    g_list.reset(10);
    int n = typeText(himc, "kha\r");
    check(n == 2 && readBlock(himc).result == L"\u0F41",
          "after choosing Wylie-F on the status window, kha Enter commits U+0F41");

    // " " and 34 letters: 35 characters, too long for 275 pixels at 8 a character.
    typeText(himc, std::string(34, 'm').c_str());
    pump(300);
    RECT r = windowRect(comp);
    printRect("35-character line", r);
    check(IsWindowVisible(comp) && rectIs(r, w / 2, h - 230, 280, 132),
          "a 35-character line: 280 wide at x = W/2, y = H - 230");
    typeKey(himc, VK_BACK, '\b');
    pump(300);
    r = windowRect(comp);
    check(IsWindowVisible(comp) && rectIs(r, origin.x + 58, origin.y + 68, 275, 132),
          "34 characters: back beside the caret at 275 x 132");
    typeText(himc, std::string(16, 'm').c_str());
    pump(300);
    r = windowRect(comp);
    check(rectIs(r, w / 2 - 90, h - 230, 400, 132),
          "a 50-character line: 400 wide, left edge at W/2 - 90 (%ld)", r.left);
    typeKey(himc, VK_ESCAPE, 0x1B);
    pump(300);
    check(!IsWindowVisible(comp), "after Escape in a layout the empty window hides itself");
    SendMessageW(stat, WM_COMMAND, 6, 0); // back to Wylie
}

void checkDrag(HIMC himc, HWND app, HWND comp) {
    POINT origin{0, 0};
    ClientToScreen(app, &origin);
    typeText(himc, "k");
    pump(200);
    RECT before = windowRect(comp);
    POINT grab{before.left + 100, before.top + 50};
    SetCursorPos(grab.x, grab.y);
    pump(50);
    SendMessageW(comp, WM_SETCURSOR, reinterpret_cast<WPARAM>(comp),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    SetCursorPos(grab.x + 60, grab.y + 40);
    SendMessageW(comp, WM_MOUSEMOVE, 0, 0);
    SendMessageW(comp, WM_LBUTTONUP, 0, 0);
    pump(200);
    RECT after = windowRect(comp);
    printRect("after the drag", after);
    check(rectIs(after, before.left + 60, before.top + 40, 275, 132),
          "dragging moves the window by the pointer's travel");
    typeText(himc, "a");
    pump(200);
    check(rectIs(windowRect(comp), after.left, after.top, 275, 132),
          "after a drag, typing leaves the window where it was dropped");
    typeKey(himc, VK_ESCAPE, 0x1B);
    pump(100);
}

bool composing(HIMC himc) {
    BYTE state[256] = {};
    // Enter is taken exactly while something is composed.
    return g_processKey(himc, VK_RETURN, keyData(VK_RETURN, false), state) == TRUE;
}

bool sawCommitMessages() {
    return g_appMessages.size() == 2 && g_appMessages[0].first == WM_IME_COMPOSITION &&
           g_appMessages[0].second == GCS_RESULTSTR &&
           g_appMessages[1].first == WM_IME_ENDCOMPOSITION;
}

// A composition belongs to the context it was typed in: when that context loses the focus, or
// its application asks, what is composed is committed there (or dropped on request).
void checkFinishing(HIMC himc, HWND app, HWND comp) {
    HIMC other = ImmCreateContext();
    g_select(other, TRUE);
    setCaret(other, app, {30, 80});

    g_list.reset(10);
    typeText(himc, "bkra");
    pump(100);
    g_appMessages.clear();
    check(g_setActive(himc, FALSE) == TRUE, "ImeSetActiveContext(FALSE) returns TRUE");
    pump(100);
    check(readBlock(himc).result == L"\u0F56\u0F40\u0FB2" && sawCommitMessages(),
          "deactivating a context commits its composition into it (%s, %zu messages)",
          hex(readBlock(himc).result).c_str(), g_appMessages.size());
    check(!composing(himc) && !IsWindowVisible(comp),
          "after the switch nothing is composed and the composition window is hidden");
    g_setActive(other, TRUE);
    g_list.reset(10);
    int n = typeText(other, "ka\r");
    check(n == 2 && readBlock(other).result == L"\u0F40",
          "the next context's commit holds only its own text (%s)",
          hex(readBlock(other).result).c_str());
    g_appMessages.clear();
    g_setActive(other, FALSE);
    check(g_appMessages.empty(), "deactivating with nothing composed commits nothing");

    g_setActive(himc, TRUE);
    typeText(himc, "ga");
    g_appMessages.clear();
    check(g_notify(himc, NI_COMPOSITIONSTR, CPS_COMPLETE, 0) == TRUE && sawCommitMessages() &&
              readBlock(himc).result == L"\u0F42" && !composing(himc),
          "NotifyIME(CPS_COMPLETE) commits the composition");
    typeText(himc, "nga");
    g_appMessages.clear();
    check(g_notify(himc, NI_COMPOSITIONSTR, CPS_CANCEL, 0) == TRUE && g_appMessages.empty() &&
              readBlock(himc).result == L"\u0F42" && !composing(himc),
          "NotifyIME(CPS_CANCEL) drops the composition and commits nothing");
    typeText(himc, "ka");
    check(g_notify(himc, NI_COMPOSITIONSTR, CPS_CONVERT, 0) == TRUE &&
              g_notify(himc, NI_OPENCANDIDATE, 0, 0) == TRUE && composing(himc),
          "other NotifyIME requests answer TRUE and keep the composition");
    typeKey(himc, VK_ESCAPE, 0x1B);
    ImmDestroyContext(other);
    g_list.reset(10);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::printf("usage: ime_direct_harness <Revaze.ime> <artifacts folder>\n");
        return 2;
    }
    std::printf("ime_direct_harness (%d-bit)\n", int(sizeof(void*) * 8));
    CreateDirectoryW(argv[2], nullptr);
    if (!loadIme(argv[1])) {
        return finish("ime_direct_harness");
    }
    checkInquire();
    checkWindowClasses();
    checkSkin();

    WNDCLASSW wc{};
    wc.lpfnWndProc = appProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RevazeDirectHarness";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    HWND app = CreateWindowExW(0, wc.lpszClassName, L"Revaze direct calls",
                               WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 300, nullptr,
                               nullptr, wc.hInstance, nullptr);
    pump(200);

    HIMC himc = ImmCreateContext();
    if (!check(himc != nullptr, "ImmCreateContext gives a real input context")) {
        return finish("ime_direct_harness");
    }
    setCaret(himc, app, {30, 40});
    HIMCC before = nullptr;
    DWORD beforeSize = 0;
    {
        revaze::ScopedIMC context(himc);
        before = context ? context->hCompStr : nullptr;
        beforeSize = before ? ImmGetIMCCSize(before) : 0;
    }
    BOOL deselect = g_select(himc, FALSE);
    HIMCC afterDeselect = nullptr;
    {
        revaze::ScopedIMC context(himc);
        afterDeselect = context ? context->hCompStr : nullptr;
    }
    check(deselect == FALSE && afterDeselect == before &&
              (before == nullptr || ImmGetIMCCSize(before) == beforeSize),
          "ImeSelect(FALSE) returns FALSE and leaves hCompStr alone (%lu bytes)", beforeSize);
    check(g_select(nullptr, TRUE) == FALSE, "ImeSelect with a null context returns FALSE");
    check(g_select(himc, TRUE) == TRUE, "ImeSelect(TRUE) returns TRUE");
    Block b = readBlock(himc);
    check(b.ok && b.blockSize == 500 && b.compLen == 0 && b.resultLen == 0 && b.cursor == 0,
          "ImeSelect sizes the block to 500 bytes with both lengths 0 (%lu)", b.blockSize);
    // A fresh context's block has a header with no string areas: the terminators must not land
    // on it.
    check(b.dwSize == 500 && b.compOffset == 100 && b.resultOffset == 300,
          "ImeSelect gives a fresh block its header: dwSize %lu, offsets %lu and %lu", b.dwSize,
          b.compOffset, b.resultOffset);

    HWND ui = CreateWindowExW(0, L"UINAME", L"", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, nullptr,
                              nullptr, g_ime, nullptr);
    HWND comp = findThreadWindow(L"UICOMP");
    HWND stat = findThreadWindow(L"UISTAT");
    HWND soft = findThreadWindow(L"UISOFT");
    check(ui != nullptr && comp != nullptr && stat != nullptr && soft != nullptr,
          "the UI window's creation makes the composition, status and soft keyboard windows");
    check(comp && GetWindow(comp, GW_OWNER) == ui && !IsWindowVisible(comp) &&
              (GetWindowLongW(comp, GWL_STYLE) & (WS_POPUP | WS_DISABLED)) ==
                  (WS_POPUP | WS_DISABLED),
          "the composition window: a hidden, disabled popup owned by the UI window");
    check(stat && IsWindowVisible(stat) && soft && !IsWindowVisible(soft),
          "the status window is shown, the soft keyboard hidden");
    if (ui == nullptr || comp == nullptr || stat == nullptr) {
        return finish("ime_direct_harness");
    }
    checkUiWindow(ui, himc, stat);

    checkProcessKeyTable(himc);
    checkEnglishMode(himc);
    checkCommits(himc);
    checkMessageBuffer(himc);
    checkFailedCommits(himc);
    checkPlacement(himc, app, comp, argv[2]);
    checkLongLine(himc, app, comp, stat);
    checkDrag(himc, app, comp);
    checkFinishing(himc, app, comp);

    check(g_destroy(0) == TRUE && g_destroy(1) == FALSE, "ImeDestroy(0) TRUE, ImeDestroy(1) FALSE");
    DestroyWindow(ui);
    check(!IsWindow(comp) && !IsWindow(stat) && !IsWindow(soft),
          "destroying the UI window destroys the three windows");
    ImmDestroyContext(himc);
    DestroyWindow(app);
    pump(100);
    HMODULE module = g_ime;
    FreeLibrary(g_ime);
    WNDCLASSEXW gone{};
    gone.cbSize = sizeof gone;
    check(GetModuleHandleW(L"Revaze.ime") == nullptr && !GetClassInfoExW(module, L"UINAME", &gone),
          "unloading the DLL unregisters its window classes");
    return finish("ime_direct_harness");
}
