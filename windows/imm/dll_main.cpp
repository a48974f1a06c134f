// Module start-up and shutdown: the window classes are registered at process attach and
// unregistered at process detach. A thread's state goes with its UI window; a thread that ends
// with its state still there (it never had a UI window, or the host did not destroy it) lets go
// of it at thread detach, which only frees memory and GDI objects. Nothing here reads a file:
// the dictionary is loaded on first use, outside the loader lock.
#include <windows.h>

#include "imm/ime_module.h"
#include "platform/guarded.h"

namespace {

void processAttach(HINSTANCE instance) {
    g_module = new revaze::ImeModule(instance);
    g_module->RegisterWindowClasses();
}

void processDetach() {
    if (g_module != nullptr) {
        g_module->ReleaseAll();
        g_module->UnregisterWindowClasses();
    }
    delete g_module;
    g_module = nullptr;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    // Nothing may run with a missing object: a failed attach refuses the load. The loader then
    // calls us with process detach, which deletes whatever was created.
    return revaze::guarded(reason == DLL_PROCESS_ATTACH ? FALSE : TRUE, [&] {
        if (reason == DLL_PROCESS_ATTACH) {
            processAttach(instance);
        } else if (reason == DLL_THREAD_DETACH) {
            if (g_module != nullptr) {
                g_module->ReleaseThread();
            }
        } else if (reason == DLL_PROCESS_DETACH) {
            processDetach();
        }
        return TRUE;
    });
}
