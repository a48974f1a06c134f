// Module start-up and shutdown: the window objects are created and their classes registered at
// process attach, and deleted at process detach. Nothing here reads a file: the dictionary is
// loaded on first use, outside the loader lock.
#include <windows.h>

#include "imm/ime_module.h"

namespace {

void processAttach(HINSTANCE instance) {
    g_hInstance = instance;
    g_module = new revaze::ImeModule(instance);
    g_uiFrame = &g_module->frame;
    g_uiComp = &g_module->comp;
    g_uiStat = &g_module->stat;
    g_uiSoft = &g_module->soft;
    g_module->RegisterWindowClasses();
}

void processDetach() {
    if (g_module != nullptr) {
        g_module->UnregisterWindowClasses();
    }
    delete g_module;
    g_module = nullptr;
    g_uiFrame = nullptr;
    g_uiComp = nullptr;
    g_uiStat = nullptr;
    g_uiSoft = nullptr;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    try {
        if (reason == DLL_PROCESS_ATTACH) {
            processAttach(instance);
        } else if (reason == DLL_PROCESS_DETACH) {
            processDetach();
        }
        return TRUE;
    } catch (...) {
        // Nothing may run with a missing object: refuse the load. The loader then calls us
        // with process detach, which deletes whatever was created.
        return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
    }
}
