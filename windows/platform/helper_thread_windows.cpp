// The index build's helper thread on Windows. It runs at the priority of the thread that starts
// it, so a build on the input method's worker (below normal) stays behind the host's threads.
#include "dictionary/helper_thread.h"

#include <windows.h>

#include <new>

namespace revaze {

namespace {

struct Start {
    void (*run)(void*);
    void* context;
};

DWORD WINAPI threadMain(LPVOID parameter) {
    const Start start = *static_cast<Start*>(parameter);
    delete static_cast<Start*>(parameter);
    start.run(start.context);
    return 0;
}

} // namespace

void* startThread(void (*run)(void*), void* context) noexcept {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    if (system.dwNumberOfProcessors < 2) {
        return nullptr;
    }
    auto* start = new (std::nothrow) Start{run, context};
    if (start == nullptr) {
        return nullptr;
    }
    HANDLE thread = CreateThread(nullptr, 0, threadMain, start, CREATE_SUSPENDED, nullptr);
    if (thread == nullptr) {
        delete start;
        return nullptr;
    }
    const int priority = GetThreadPriority(GetCurrentThread());
    if (priority != THREAD_PRIORITY_ERROR_RETURN) {
        SetThreadPriority(thread, priority);
    }
    ResumeThread(thread);
    return thread;
}

void joinThread(void* handle) noexcept {
    WaitForSingleObject(static_cast<HANDLE>(handle), INFINITE);
    CloseHandle(static_cast<HANDLE>(handle));
}

void yieldThread() noexcept {
    SwitchToThread();
}

} // namespace revaze
