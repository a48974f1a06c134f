#include "ui/index_worker.h"

#include <windows.h>

#include <new>

namespace revaze {

namespace {

struct Job {
    std::shared_ptr<Dictionary> dictionary;
    HMODULE module;
};

void buildIndex(Dictionary& dictionary) noexcept {
    try {
        dictionary.buildIndex();
    } catch (...) {
        OutputDebugStringW(L"Revaze: the dictionary's index could not be built in memory: "
                           L"searches keep reading the whole dictionary\n");
    }
}

DWORD WINAPI workerMain(LPVOID parameter) {
    HMODULE module = nullptr;
    {
        // The job (and with it this thread's share of the dictionary) goes before the module
        // reference: FreeLibraryAndExitThread never returns, and may unload this very code.
        std::unique_ptr<Job> job(static_cast<Job*>(parameter));
        module = job->module;
        buildIndex(*job->dictionary);
    }
    FreeLibraryAndExitThread(module, 0);
}

} // namespace

bool StartIndexWorker(const std::shared_ptr<Dictionary>& dictionary) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&workerMain), &module)) {
        return false;
    }
    auto* job = new (std::nothrow) Job{dictionary, module};
    HANDLE thread = job != nullptr
                        ? CreateThread(nullptr, 0, workerMain, job, CREATE_SUSPENDED, nullptr)
                        : nullptr;
    if (thread == nullptr) {
        delete job;
        FreeLibrary(module);
        return false;
    }
    // The host's own threads come first: until the index is there, searches still answer.
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(thread);
    CloseHandle(thread);
    return true;
}

} // namespace revaze
