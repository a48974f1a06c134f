// The four functions of a COM in-process server, and DllMain. Nothing here reads a file or
// creates a window: DllMain only notes the module handle, and frees at unload what the text
// services left behind.
#include <windows.h>

#include <olectl.h>

#include <new>

#include "platform/guarded.h"
#include "tsf/class_factory.h"
#include "tsf/com_ptr.h"
#include "tsf/dll_module.h"
#include "tsf/guids.h"
#include "tsf/registration.h"
#include "ui/cui_comp.h"
#include "ui/cui_soft.h"
#include "ui/cui_stat.h"

namespace {

void processDetach() {
    // The window classes the text services registered in this process go with the DLL.
    for (const wchar_t* name : {revaze::kCompClass, revaze::kStatClass, revaze::kSoftClass}) {
        UnregisterClassW(name, revaze::tsf::ModuleInstance());
    }
    revaze::tsf::FreeSharedDictionary();
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        // Thread notifications stay on: the static C++ runtime frees its thread data in them.
        revaze::tsf::SetModuleInstance(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded by FreeLibrary, not at process exit (when nothing need be freed).
        processDetach();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (clsid != revaze::tsf::kTextServiceClsid) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    try {
        auto factory =
            revaze::tsf::ComPtr<revaze::tsf::ClassFactory>::adopt(new revaze::tsf::ClassFactory());
        return factory->QueryInterface(riid, out);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDAPI DllCanUnloadNow() {
    return revaze::tsf::ModuleCanUnload() ? S_OK : S_FALSE;
}

// The count DllCanUnloadNow weighs, for the test harnesses that prove a long day of activations
// leaves no object behind. Not part of COM's contract: nothing but a test asks for it.
extern "C" LONG WINAPI RevazeLiveObjects() {
    return revaze::tsf::LiveObjectCount();
}

STDAPI DllRegisterServer() {
    return revaze::guarded(HRESULT{SELFREG_E_CLASS}, [&] { return revaze::tsf::RegisterServer(); });
}

STDAPI DllUnregisterServer() {
    return revaze::guarded(HRESULT{SELFREG_E_CLASS},
                           [&] { return revaze::tsf::UnregisterServer(); });
}
