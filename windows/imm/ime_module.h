// The input method DLL's process-wide objects: the window classes, registered at process
// attach; the dictionary, loaded once on first use (never under the loader lock) and then only
// read, by every thread; and the registry of what each GUI thread has (ime_thread.h).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string_view>

#include "dictionary/dictionary.h"
#include "imm/ime_thread.h"
#include "imm/immdev.h"
#include "session/session.h"

extern "C" LRESULT CALLBACK UIWndProc(HWND, UINT, WPARAM, LPARAM);
extern "C" LRESULT CALLBACK CompWndProc(HWND, UINT, WPARAM, LPARAM);

namespace revaze {

class ImeModule {
public:
    explicit ImeModule(HINSTANCE instance) : instance_(instance) {}
    ImeModule(const ImeModule&) = delete;
    ImeModule& operator=(const ImeModule&) = delete;

    // The DLL's module: its resources and window classes.
    HINSTANCE instance() const { return instance_; }

    void RegisterWindowClasses();
    void UnregisterWindowClasses();
    // Behind System32's ARM64X forwarder (Windows on ARM), the UI class is registered for the
    // forwarder as well. Called from ImeInquire, outside the loader lock.
    void RegisterForwarderClass();

    // The calling thread's state, made on its first call.
    ImeThread& thread();
    // The calling thread's state, or null when it has none (nothing was ever composed there).
    ImeThread* existingThread();
    // Deletes the calling thread's state, if it has one: its UI window has gone, or the thread
    // is ending.
    void ReleaseThread();
    // Deletes every thread's state (process detach).
    void ReleaseAll();
    // A window of the process was activated: settings changed since take effect now in this
    // thread's session.
    void FollowSettings();

    // The process's dictionary, loaded by the first call; null when there is none.
    const Dictionary* dictionary();

private:
    static BOOL CALLBACK loadDictionary(PINIT_ONCE, PVOID module, PVOID*);

    HINSTANCE instance_;
    INIT_ONCE dictionaryOnce_ = INIT_ONCE_STATIC_INIT;
    HMODULE forwarder_ = nullptr;
    // Shared with the thread that builds its index when no prepared one fitted.
    std::shared_ptr<const Dictionary> dictionary_;
    // A thread's entry is made, used and deleted by that thread alone (and by process detach);
    // the lock guards the map, never the states, so no thread waits for another's keys. A map
    // keyed by thread id rather than thread_local storage: mingw's thread_local runs no
    // destructor for a DLL's data, and the states must go with the UI window anyway.
    SRWLOCK threadsLock_ = SRWLOCK_INIT;
    std::map<DWORD, std::unique_ptr<ImeThread>> threads_;
};

// Commits into an input context: ImeToAsciiEx's message list, or the context's message buffer
// when there is none.
class ContextSink final : public CommitSink {
public:
    ContextSink(HIMC himc, TRANSMSGLIST* list) : himc_(himc), list_(list) {}
    bool Commit(std::wstring_view text) override;
    UINT messages() const { return messages_; }

private:
    HIMC himc_;
    TRANSMSGLIST* list_;
    UINT messages_ = 0;
};

} // namespace revaze

// The process-wide objects, valid between process attach and detach.
extern revaze::ImeModule* g_module;
