// The input-method side of IMM32 that mingw-w64 does not declare (its imm.h covers only the
// application side), written from the published layouts, plus RAII holders for the locks.
// imm32.dll exports every function declared here and mingw's libimm32.a links them.
#pragma once

#include <windows.h>

#include <imm.h>

#include <cstddef>

extern "C" {

// dimm.h guards its own copies of INPUTCONTEXT and IMEINFO with this macro.
#ifndef _DDKIMM_H_
#define _DDKIMM_H_

typedef struct tagINPUTCONTEXT {
    HWND hWnd;
    BOOL fOpen;
    POINT ptStatusWndPos;
    POINT ptSoftKbdPos;
    DWORD fdwConversion;
    DWORD fdwSentence;
    union {
        LOGFONTA A;
        LOGFONTW W;
    } lfFont;
    COMPOSITIONFORM cfCompForm;
    CANDIDATEFORM cfCandForm[4];
    HIMCC hCompStr;
    HIMCC hCandInfo;
    HIMCC hGuideLine;
    HIMCC hPrivate;
    DWORD dwNumMsgBuf;
    HIMCC hMsgBuf;
    DWORD fdwInit;
    DWORD dwReserve[3];
} INPUTCONTEXT, *PINPUTCONTEXT, *LPINPUTCONTEXT;

typedef struct tagIMEINFO {
    DWORD dwPrivateDataSize;
    DWORD fdwProperty;
    DWORD fdwConversionCaps;
    DWORD fdwSentenceCaps;
    DWORD fdwUICaps;
    DWORD fdwSCSCaps;
    DWORD fdwSelectCaps;
} IMEINFO, *PIMEINFO, *LPIMEINFO;

#endif // _DDKIMM_H_

typedef struct tagCOMPOSITIONSTRING {
    DWORD dwSize;
    DWORD dwCompReadAttrLen;
    DWORD dwCompReadAttrOffset;
    DWORD dwCompReadClauseLen;
    DWORD dwCompReadClauseOffset;
    DWORD dwCompReadStrLen;
    DWORD dwCompReadStrOffset;
    DWORD dwCompAttrLen;
    DWORD dwCompAttrOffset;
    DWORD dwCompClauseLen;
    DWORD dwCompClauseOffset;
    DWORD dwCompStrLen;
    DWORD dwCompStrOffset;
    DWORD dwCursorPos;
    DWORD dwDeltaStart;
    DWORD dwResultReadClauseLen;
    DWORD dwResultReadClauseOffset;
    DWORD dwResultReadStrLen;
    DWORD dwResultReadStrOffset;
    DWORD dwResultClauseLen;
    DWORD dwResultClauseOffset;
    DWORD dwResultStrLen;
    DWORD dwResultStrOffset;
    DWORD dwPrivateSize;
    DWORD dwPrivateOffset;
} COMPOSITIONSTRING, *PCOMPOSITIONSTRING, *LPCOMPOSITIONSTRING;

typedef struct tagTRANSMSG {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
} TRANSMSG, *PTRANSMSG, *LPTRANSMSG;

typedef struct tagTRANSMSGLIST {
    UINT uMsgCount;
    TRANSMSG TransMsg[1];
} TRANSMSGLIST, *PTRANSMSGLIST, *LPTRANSMSGLIST;

// IMEINFO.fdwProperty bits below the ones imm.h carries.
#ifndef IME_PROP_END_UNLOAD
#define IME_PROP_END_UNLOAD 0x00000001
#define IME_PROP_KBD_CHAR_FIRST 0x00000002
#define IME_PROP_IGNORE_UPKEYS 0x00000004
#define IME_PROP_NEED_ALTKEY 0x00000008
#define IME_PROP_NO_KEYS_ON_CLOSE 0x00000010
#define IME_PROP_ACCEPT_WIDE_VKEY 0x00000020
#endif

// The window words IMM32 reserves in an IME UI window.
#ifndef IMMGWLP_IMC
#define IMMGWL_IMC 0
#define IMMGWL_PRIVATE (sizeof(LONG))
#define IMMGWLP_IMC 0
#define IMMGWLP_PRIVATE (sizeof(LONG_PTR))
#endif

LPINPUTCONTEXT WINAPI ImmLockIMC(HIMC);
BOOL WINAPI ImmUnlockIMC(HIMC);
DWORD WINAPI ImmGetIMCLockCount(HIMC);
HIMCC WINAPI ImmCreateIMCC(DWORD);
HIMCC WINAPI ImmDestroyIMCC(HIMCC);
LPVOID WINAPI ImmLockIMCC(HIMCC);
BOOL WINAPI ImmUnlockIMCC(HIMCC);
DWORD WINAPI ImmGetIMCCLockCount(HIMCC);
HIMCC WINAPI ImmReSizeIMCC(HIMCC, DWORD);
DWORD WINAPI ImmGetIMCCSize(HIMCC);
BOOL WINAPI ImmGenerateMessage(HIMC);

} // extern "C"

namespace revaze {

// A lock on an input context, released when the holder goes out of scope. Empty (false) when
// the handle is null or IMM32 refused the lock; nothing may be read through it then.
class ScopedIMC {
public:
    explicit ScopedIMC(HIMC himc) : himc_(himc) {
        if (himc_ != nullptr) {
            context_ = ImmLockIMC(himc_);
        }
    }
    ~ScopedIMC() {
        if (context_ != nullptr) {
            ImmUnlockIMC(himc_);
        }
    }
    ScopedIMC(const ScopedIMC&) = delete;
    ScopedIMC& operator=(const ScopedIMC&) = delete;

    explicit operator bool() const { return context_ != nullptr; }
    INPUTCONTEXT* get() const { return context_; }
    INPUTCONTEXT* operator->() const { return context_; }
    HIMC handle() const { return himc_; }

private:
    HIMC himc_;
    INPUTCONTEXT* context_ = nullptr;
};

// A lock on one of an input context's memory blocks (hCompStr, hMsgBuf, ...).
class ScopedIMCC {
public:
    explicit ScopedIMCC(HIMCC block) : block_(block) {
        if (block_ != nullptr) {
            memory_ = ImmLockIMCC(block_);
        }
    }
    ~ScopedIMCC() {
        if (memory_ != nullptr) {
            ImmUnlockIMCC(block_);
        }
    }
    ScopedIMCC(const ScopedIMCC&) = delete;
    ScopedIMCC& operator=(const ScopedIMCC&) = delete;

    explicit operator bool() const { return memory_ != nullptr; }
    template <typename T> T* as() const { return static_cast<T*>(memory_); }
    std::byte* bytes() const { return static_cast<std::byte*>(memory_); }

private:
    HIMCC block_;
    void* memory_ = nullptr;
};

} // namespace revaze
