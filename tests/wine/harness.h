// Shared pieces of the harnesses that run Revaze.ime under a real IMM32 (Wine): checks that print
// one line each, the test dictionary's words, key helpers, a message pump and screen captures.
#pragma once

#include "imm/immdev.h"

#include <psapi.h>

#include <cerrno>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace harness {

inline int passed = 0;
inline int failed = 0;

inline bool check(bool ok, const char* what, ...) {
    va_list args;
    va_start(args, what);
    std::printf("%s: ", ok ? "PASS" : "FAIL");
    std::vprintf(what, args);
    std::printf("\n");
    va_end(args);
    (ok ? passed : failed)++;
    return ok;
}

inline int finish(const char* name) {
    std::printf("%s: %d passed, %d failed\n", name, passed, failed);
    return failed == 0 ? 0 : 1;
}

// The words the test dictionary holds, in file order (scripts/wine-tests.sh writes the same
// file). The first is 136 code units long, so choosing it overflows a 99-unit string area.
inline const std::wstring kTashiDelek = L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B"
                                        L"\u0F56\u0F51\u0F7A\u0F0B\u0F63\u0F7A\u0F42\u0F66\u0F0B";
inline std::wstring longCandidate() {
    std::wstring text;
    for (int i = 0; i < 8; ++i) {
        text += kTashiDelek;
    }
    return text;
}
// "bkra shis" in Wylie.
inline const std::wstring kBkraShis = L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66";

// A text for a message: ASCII as it is, every other unit as '?'.
inline std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

inline std::string hex(const std::wstring& text) {
    std::string out;
    char unit[8];
    for (wchar_t c : text) {
        std::snprintf(unit, sizeof unit, "%s%04X", out.empty() ? "" : " ", unsigned(c));
        out += unit;
    }
    return out;
}

// Runs the thread's messages for `milliseconds`. A message `consumed` says it took is not
// dispatched (the TSF harness hands keys to the text service that way).
template <typename Consumed> void pump(DWORD milliseconds, Consumed consumed) {
    DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (consumed(msg)) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        auto left = static_cast<LONG>(end - GetTickCount());
        if (left <= 0) {
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left > 20 ? 20 : left, QS_ALLINPUT);
    }
}

inline void pump(DWORD milliseconds) {
    pump(milliseconds, [](const MSG&) { return false; });
}

// Runs a command line (a new process) and hands back what it printed.
inline std::string runCapturing(std::wstring commandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::string out;
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process) != FALSE;
    CloseHandle(writeEnd);
    if (started) {
        char buffer[512];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            out.append(buffer, got);
        }
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return out;
}

// What a child process reported on its "TYPED " line; "(nothing)" when it printed none.
inline std::string typedLine(const std::string& out) {
    const std::size_t at = out.find("TYPED ");
    if (at == std::string::npos) {
        std::printf("    the child said: %s\n", out.c_str());
        return "(nothing)";
    }
    const std::size_t end = out.find_first_of("\r\n", at);
    return out.substr(at + 6, end == std::string::npos ? std::string::npos : end - at - 6);
}

// The virtual key and the character a US keyboard gives for a printable ASCII character.
struct KeyStroke {
    UINT vk;
    char ch;
    bool shift;
};

inline KeyStroke strokeFor(char ch) {
    if (ch >= 'a' && ch <= 'z') {
        return {UINT(ch - 'a' + 'A'), ch, false};
    }
    if (ch >= 'A' && ch <= 'Z') {
        return {UINT(ch), ch, true};
    }
    if (ch >= '0' && ch <= '9') {
        return {UINT(ch), ch, false};
    }
    switch (ch) {
    case ' ':
        return {VK_SPACE, ch, false};
    case '\r':
        return {VK_RETURN, ch, false};
    case '\b':
        return {VK_BACK, ch, false};
    case '\x1b':
        return {VK_ESCAPE, ch, false};
    case ',':
        return {VK_OEM_COMMA, ch, false};
    case '/':
        return {VK_OEM_2, ch, false};
    case '-':
        return {VK_OEM_MINUS, ch, false};
    case '=':
        return {VK_OEM_PLUS, ch, false};
    case '+':
        return {VK_OEM_PLUS, ch, true};
    case '.':
        return {VK_OEM_PERIOD, ch, false};
    case '\'':
        return {VK_OEM_7, ch, false};
    default:
        return {0, ch, false};
    }
}

// Installs the IME as a keyboard layout (ImmInstallIMEW); null when IMM32 refuses it.
inline HKL installIme(const wchar_t* imePath) {
    HKL hkl = ImmInstallIMEW(imePath, L"Revaze Tibetan");
    check(hkl != nullptr && (ULONG_PTR(hkl) & 0xF0000000u) == 0xE0000000u,
          "ImmInstallIMEW gives an IME keyboard layout (%p)", static_cast<void*>(hkl));
    return hkl != nullptr && (ULONG_PTR(hkl) & 0xF0000000u) == 0xE0000000u ? hkl : nullptr;
}

inline void uninstallIme(HKL hkl) {
    // ImmInstallIMEW takes a fresh layout slot each time: drop ours so that runs stay tidy.
    wchar_t key[96];
    std::swprintf(key, 96, L"System\\CurrentControlSet\\Control\\Keyboard Layouts\\%08lx",
                  static_cast<unsigned long>(ULONG_PTR(hkl)));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
}

// 64-bit Wine 8.0 reads the entries of ImmTranslateMessage's message list at the wrong offset:
// on 64-bit the DLL is asked to deliver its messages through the input context instead, unless
// the environment already chooses. Says which route the messages take.
inline const char* chooseMessageRoute() {
    wchar_t route[8] = {};
    if (sizeof(void*) == 8 && GetEnvironmentVariableW(L"REVAZE_IME_GENMSG", route, 8) == 0) {
        SetEnvironmentVariableW(L"REVAZE_IME_GENMSG", L"1");
    }
    GetEnvironmentVariableW(L"REVAZE_IME_GENMSG", route, 8);
    return route[0] == L'1' ? "the input context (ImmGenerateMessage)" : "the message list";
}

// How many more GDI, USER and memory handles can still be created: what a leak eats into. Wine's
// GetGuiResources answers 0, so the room is measured by creating objects until creation fails
// (or a cap is reached) and freeing them all again.
struct ObjectCapacity {
    std::size_t gdi = 0;  // regions this process can still create
    std::size_t user = 0; // menus that can still be created (USER handles)
    // Moveable memory handles, as IMM32 makes the components of an input context from.
    std::size_t memory = 0;
};

template <typename Create, typename Destroy>
std::size_t roomFor(std::size_t cap, Create create, Destroy destroy) {
    std::vector<decltype(create())> made;
    made.reserve(cap);
    while (made.size() < cap) {
        auto object = create();
        if (object == nullptr) {
            break;
        }
        made.push_back(object);
    }
    for (auto object : made) {
        destroy(object);
    }
    return made.size();
}

inline ObjectCapacity measureObjectCapacity(std::size_t cap = 200000) {
    ObjectCapacity room;
    room.gdi = roomFor(
        cap, [] { return CreateRectRgn(0, 0, 1, 1); }, [](HRGN region) { DeleteObject(region); });
    room.user = roomFor(
        cap, [] { return CreateMenu(); }, [](HMENU menu) { DestroyMenu(menu); });
    room.memory = roomFor(
        cap, [] { return LocalAlloc(LMEM_MOVEABLE, 16); }, [](HLOCAL block) { LocalFree(block); });
    return room;
}

// The long-run harnesses' check: the room for each kind of handle is what it was, within
// `slack` (Wine's own caches may move one).
inline void checkRoomKept(const ObjectCapacity& before, const ObjectCapacity& after,
                          std::size_t slack) {
    const struct {
        const char* kind;
        std::size_t was, now;
    } rooms[] = {{"GDI object", before.gdi, after.gdi},
                 {"USER object", before.user, after.user},
                 {"memory handle", before.memory, after.memory}};
    for (const auto& room : rooms) {
        check(room.was > 1000 && room.now + slack >= room.was, "no %s leaks (room %zu, was %zu)",
              room.kind, room.now, room.was);
    }
}

// The process's private committed memory, in bytes: PrivateUsage, or where the system leaves it
// 0 (Wine 8.0 does), the committed private pages counted region by region, which is what
// PrivateUsage counts.
inline std::size_t privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters) &&
        counters.PrivateUsage != 0) {
        return counters.PrivateUsage;
    }
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr;
         VirtualQuery(at, &region, sizeof region) == sizeof region && region.RegionSize != 0;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
    }
    return total;
}

// A whole number from the environment, or `fallback` when it is not set (the day harnesses'
// lengths: a shorter day while working on them).
inline int environmentNumber(const wchar_t* name, int fallback) {
    wchar_t text[16] = {};
    const DWORD length = GetEnvironmentVariableW(name, text, 16);
    return length > 0 && length < 16 && _wtoi(text) > 0 ? _wtoi(text) : fallback;
}

// A click at a client point of one of the IME's disabled popups, delivered as they get it: the
// pointer moved there, WM_SETCURSOR carrying the press, then the move and the release.
inline void clickClient(HWND window, int x, int y) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Saves a rectangle of the screen as a 24-bit BMP.
inline bool saveScreenBmp(const std::wstring& path, const RECT& area) {
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    if (w <= 0 || h <= 0) {
        std::printf("    (no screenshot: the area %ld,%ld-%ld,%ld is empty)\n", area.left, area.top,
                    area.right, area.bottom);
        return false;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (DWORD(w) * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(size_t(stride) * h);
    GetDIBits(memory, bitmap, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + DWORD(pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        std::printf("    (no screenshot: %ls cannot be written, errno %d)\n", path.c_str(), errno);
        return false;
    }
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&info, sizeof info, 1, out) == 1 &&
              std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    std::fclose(out);
    return ok;
}

// Counts the pixels of a screen rectangle that are close to `colour`.
inline int countPixels(const RECT& area, COLORREF colour, int tolerance) {
    HDC screen = GetDC(nullptr);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            COLORREF p = GetPixel(screen, x, y);
            if (std::abs(int(GetRValue(p)) - int(GetRValue(colour))) <= tolerance &&
                std::abs(int(GetGValue(p)) - int(GetGValue(colour))) <= tolerance &&
                std::abs(int(GetBValue(p)) - int(GetBValue(colour))) <= tolerance) {
                ++count;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return count;
}

struct WindowSearch {
    const wchar_t* className;
    HWND found;
    int count;
};

inline BOOL CALLBACK matchWindowClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    wchar_t name[64];
    if (GetClassNameW(window, name, 64) && lstrcmpW(name, search->className) == 0) {
        if (search->found == nullptr) {
            search->found = window;
        }
        ++search->count;
    }
    return TRUE;
}

// The first window of the class that the current thread owns, and how many there are.
inline WindowSearch searchThreadWindows(const wchar_t* className) {
    WindowSearch search{className, nullptr, 0};
    EnumThreadWindows(GetCurrentThreadId(), matchWindowClass, reinterpret_cast<LPARAM>(&search));
    return search;
}

inline HWND findThreadWindow(const wchar_t* className) {
    return searchThreadWindows(className).found;
}

inline int countThreadWindows(const wchar_t* className) {
    return searchThreadWindows(className).count;
}

} // namespace harness
