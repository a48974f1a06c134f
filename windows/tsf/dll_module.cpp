#include "tsf/dll_module.h"

#include <atomic>
#include <memory>

#include "ui/system_dictionary.h"

namespace revaze::tsf {

namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

INIT_ONCE g_dictionaryOnce = INIT_ONCE_STATIC_INIT;
// Shared with the thread that builds its index when no prepared one fitted.
std::shared_ptr<const Dictionary> g_dictionary;

BOOL CALLBACK loadDictionary(PINIT_ONCE, PVOID, PVOID*) {
    g_dictionary = LoadSystemDictionary();
    return TRUE;
}

} // namespace

void SetModuleInstance(HINSTANCE instance) {
    g_instance = instance;
}

HINSTANCE ModuleInstance() {
    return g_instance;
}

void ObjectCreated() {
    ++g_objects;
}

void ObjectDestroyed() {
    --g_objects;
}

void LockModule(bool lock) {
    if (lock) {
        ++g_locks;
    } else {
        --g_locks;
    }
}

bool ModuleCanUnload() {
    return g_objects == 0 && g_locks == 0;
}

long LiveObjectCount() {
    return g_objects + g_locks;
}

const Dictionary* SharedDictionary() {
    InitOnceExecuteOnce(&g_dictionaryOnce, loadDictionary, nullptr, nullptr);
    return g_dictionary.get();
}

void FreeSharedDictionary() {
    g_dictionary.reset();
}

} // namespace revaze::tsf
