// The fifteen functions IMM32 calls. They check and lock the input context and hand the key to
// the portable key handling; nothing they call may let an exception out to IMM32.
#include "imm/commit.h"
#include "imm/dll_globals.h"
#include "imm/immdev.h"

#include <cstdint>
#include <cwchar>

// Exported by plain name through resources/Revaze.def.
#define REVAZE_EXPORT extern "C"

namespace {

constexpr wchar_t kUiClassName[] = L"UINAME";

// Sizes the composition block of a freshly selected context and empties both strings.
void prepareContext(HIMC himc) {
    revaze::ScopedIMC context(himc);
    if (!context) {
        return;
    }
    HIMCC resized = ImmReSizeIMCC(context->hCompStr, revaze::kCompBlockSize);
    if (resized == nullptr) {
        // Keep the old block: the commit path sizes it again before writing.
        return;
    }
    context->hCompStr = resized;
    revaze::ScopedIMCC block(resized);
    if (!block) {
        return;
    }
    auto* header = block.as<COMPOSITIONSTRING>();
    // The offsets are still whatever the context held; both zero characters go where they
    // point, which is the block's start while they are 0.
    if (header->dwCompStrOffset + sizeof(wchar_t) > revaze::kCompBlockSize ||
        header->dwResultStrOffset + sizeof(wchar_t) > revaze::kCompBlockSize) {
        revaze::InitCompositionBlock(header);
    }
    header->dwCompStrLen = 0;
    *reinterpret_cast<wchar_t*>(block.bytes() + header->dwCompStrOffset) = L'\0';
    header->dwResultStrLen = 0;
    *reinterpret_cast<wchar_t*>(block.bytes() + header->dwResultStrOffset) = L'\0';
    header->dwCursorPos = 0;
}

bool contextUsable(HIMC himc) {
    revaze::ScopedIMC context(himc);
    return static_cast<bool>(context);
}

} // namespace

REVAZE_EXPORT BOOL WINAPI ImeInquire(LPIMEINFO info, LPWSTR uiClass, DWORD /*systemInfoFlags*/) {
    if (info != nullptr) {
        // No IME_PROP_IGNORE_UPKEYS: with it IMM32 hands no key release to ImeProcessKey, and
        // the release of a lone Shift is what switches between Tibetan and English.
        info->fdwProperty = IME_PROP_UNICODE | IME_PROP_SPECIAL_UI | IME_PROP_KBD_CHAR_FIRST;
        info->fdwConversionCaps = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
        info->fdwSentenceCaps = 0;
        info->fdwUICaps = UI_CAP_2700;
        info->fdwSCSCaps = 0;
        info->fdwSelectCaps = SELECT_CAP_CONVERSION;
    }
    if (uiClass != nullptr) {
        // IMM32 hands over a buffer of 16 characters, enough for the name and its terminator.
        std::wmemcpy(uiClass, kUiClassName, std::size(kUiClassName));
    }
    return TRUE;
}

REVAZE_EXPORT BOOL WINAPI ImeConfigure(HKL, HWND, DWORD, LPVOID) {
    return TRUE;
}

REVAZE_EXPORT DWORD WINAPI ImeConversionList(HIMC, LPCWSTR, LPCANDIDATELIST, DWORD, UINT) {
    return 0;
}

REVAZE_EXPORT BOOL WINAPI ImeSelect(HIMC himc, BOOL select) {
    if (himc == nullptr || !select) {
        return FALSE;
    }
    prepareContext(himc);
    return TRUE;
}

REVAZE_EXPORT BOOL WINAPI ImeSetActiveContext(HIMC, BOOL) {
    return TRUE;
}

REVAZE_EXPORT BOOL WINAPI ImeProcessKey(HIMC himc, UINT virtualKey, LPARAM keyData,
                                        CONST LPBYTE keyState) {
    try {
        return revaze::Router().ProcessKey(himc != nullptr, virtualKey,
                                           static_cast<std::uint32_t>(keyData), keyState)
                   ? TRUE
                   : FALSE;
    } catch (...) {
        return FALSE;
    }
}

REVAZE_EXPORT UINT WINAPI ImeToAsciiEx(UINT virtualKey, UINT scanCode, CONST LPBYTE /*keyState*/,
                                       LPTRANSMSGLIST messages, UINT /*activeFlags*/, HIMC himc) {
    try {
        return revaze::Router().ToAsciiEx(virtualKey, scanCode, messages, himc,
                                          contextUsable(himc));
    } catch (...) {
        return 0;
    }
}

REVAZE_EXPORT BOOL WINAPI NotifyIME(HIMC, DWORD, DWORD, DWORD) {
    return TRUE;
}

REVAZE_EXPORT BOOL WINAPI ImeDestroy(UINT force) {
    return force == 0 ? TRUE : FALSE;
}

REVAZE_EXPORT BOOL WINAPI ImeRegisterWord(LPCWSTR, DWORD, LPCWSTR) {
    return FALSE;
}

REVAZE_EXPORT BOOL WINAPI ImeUnregisterWord(LPCWSTR, DWORD, LPCWSTR) {
    return FALSE;
}

REVAZE_EXPORT UINT WINAPI ImeGetRegisterWordStyle(UINT, LPSTYLEBUFW) {
    return 0;
}

REVAZE_EXPORT UINT WINAPI ImeEnumRegisterWord(REGISTERWORDENUMPROCW, LPCWSTR, DWORD, LPCWSTR,
                                              LPVOID) {
    return 0;
}

REVAZE_EXPORT BOOL WINAPI ImeSetCompositionString(HIMC, DWORD, LPVOID, DWORD, LPVOID, DWORD) {
    return FALSE;
}

REVAZE_EXPORT LRESULT WINAPI ImeEscape(HIMC, UINT, LPVOID) {
    return 0;
}
