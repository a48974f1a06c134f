// The fifteen functions IMM32 calls. They turn IMM32's arguments into session calls and write the
// answers into the input context; nothing they call may let an exception out to IMM32.
#include <cstdint>
#include <cwchar>

#include "imm/commit.h"
#include "imm/ime_module.h"
#include "imm/immdev.h"
#include "platform/guarded.h"
#include "ui/settings_dialog.h"

// Exported by plain name through windows/resources/Revaze.def.
#define REVAZE_EXPORT extern "C"

namespace {

constexpr wchar_t kUiClassName[] = L"UINAME";

bool contextUsable(HIMC himc) {
    revaze::ScopedIMC context(himc);
    return static_cast<bool>(context);
}

bool controlDown(const BYTE* keyState) {
    return keyState != nullptr && (keyState[VK_CONTROL] & 0x80) != 0;
}

bool capsLockOn(const BYTE* keyState) {
    return keyState != nullptr && (keyState[VK_CAPITAL] & 0x01) != 0;
}

// Commits what is composed into `himc` (a deactivated context, or one whose application asks):
// the messages go through the context's own buffer.
void completeInto(revaze::ImeThread& thread, HIMC himc) {
    revaze::ContextSink sink(himc, nullptr);
    thread.Show(thread.session().Complete(sink));
}

// The calling thread's state when it has a session: only then can anything be composed.
revaze::ImeThread* threadWithSession() {
    revaze::ImeThread* thread = g_module->existingThread();
    return thread != nullptr && thread->hasSession() ? thread : nullptr;
}

} // namespace

REVAZE_EXPORT BOOL WINAPI ImeInquire(LPIMEINFO info, LPWSTR uiClass, DWORD /*systemInfoFlags*/) {
    g_module->RegisterForwarderClass();
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

REVAZE_EXPORT BOOL WINAPI ImeConfigure(HKL, HWND owner, DWORD mode, LPVOID) {
    revaze::guarded([&] {
        if (mode == IME_CONFIG_GENERAL) {
            revaze::ShowSettingsDialog(g_module->instance(), owner);
            g_module->FollowSettings();
        }
    });
    return TRUE;
}

REVAZE_EXPORT DWORD WINAPI ImeConversionList(HIMC, LPCWSTR, LPCANDIDATELIST, DWORD, UINT) {
    return 0;
}

REVAZE_EXPORT BOOL WINAPI ImeSelect(HIMC himc, BOOL select) {
    if (himc == nullptr || !select) {
        return FALSE;
    }
    revaze::guarded([&] { revaze::PrepareContext(himc); });
    return TRUE;
}

REVAZE_EXPORT BOOL WINAPI ImeSetActiveContext(HIMC himc, BOOL active) {
    revaze::guarded([&] {
        // The focus leaves this context: what is composed goes into it, not into the next one.
        revaze::ImeThread* thread = threadWithSession();
        if (!active && himc != nullptr && thread != nullptr && thread->session().view().composing) {
            completeInto(*thread, himc);
            thread->comp.HideWindow();
        }
        if (active) {
            g_module->FollowSettings();
        }
    });
    return TRUE;
}

REVAZE_EXPORT BOOL WINAPI ImeProcessKey(HIMC himc, UINT virtualKey, LPARAM keyData,
                                        CONST LPBYTE keyState) {
    return revaze::guarded(FALSE, [&] {
        if (himc == nullptr) {
            return FALSE;
        }
        const bool released = (static_cast<std::uint32_t>(keyData) & 0x80000000u) != 0;
        const revaze::KeyEvent key{virtualKey & 0xFFu, 0, released, controlDown(keyState),
                                   capsLockOn(keyState)};
        revaze::ImeThread& thread = g_module->thread();
        revaze::Session& session = thread.session();
        if (session.Test(key).take) {
            return TRUE;
        }
        // The key is the application's, but the session still sees it: a lone Shift tap
        // switches the mode, and Backspace or Enter with nothing composed empty the composer.
        revaze::NoCommits none;
        const revaze::Result result = session.Key(key, none);
        revaze::TraceKey("ImeProcessKey", key, result);
        thread.Show(result, himc);
        return FALSE;
    });
}

REVAZE_EXPORT UINT WINAPI ImeToAsciiEx(UINT virtualKey, UINT scanCode, CONST LPBYTE keyState,
                                       LPTRANSMSGLIST messages, UINT /*activeFlags*/, HIMC himc) {
    return revaze::guarded(UINT{0}, [&]() -> UINT {
        if ((scanCode & 0x8000u) != 0 || !contextUsable(himc)) {
            return 0;
        }
        // The character the keyboard produced arrives in the high word; only its low byte counts.
        const revaze::KeyEvent key{virtualKey & 0xFFu,
                                   static_cast<char>((virtualKey >> 16) & 0xFFu), false,
                                   controlDown(keyState), capsLockOn(keyState)};
        revaze::ImeThread& thread = g_module->thread();
        revaze::ContextSink sink(himc, messages);
        const revaze::Result result = thread.session().Key(key, sink);
        revaze::TraceKey("ImeToAsciiEx", key, result);
        thread.Show(result, himc);
        return sink.messages();
    });
}

REVAZE_EXPORT BOOL WINAPI NotifyIME(HIMC himc, DWORD action, DWORD index, DWORD /*value*/) {
    revaze::guarded([&] {
        revaze::ImeThread* thread = threadWithSession();
        if (action == NI_COMPOSITIONSTR && himc != nullptr && thread != nullptr) {
            if (index == CPS_COMPLETE) {
                completeInto(*thread, himc);
            } else if (index == CPS_CANCEL) {
                thread->Show(thread->session().Cancel());
            }
        }
    });
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
