// Module start-up and shutdown: the process-wide objects, created at process attach in a fixed
// order and deleted at process detach.
#include <windows.h>

#include <array>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "imm/dll_globals.h"
#include "imm/win_host.h"
#include "ui/cui_comp.h"
#include "ui/cui_frame.h"
#include "ui/cui_soft.h"
#include "ui/cui_stat.h"

HINSTANCE g_hInstance = nullptr;
revaze::CUIFrame* g_uiFrame = nullptr;
revaze::CUIComp* g_uiComp = nullptr;
revaze::CUIStat* g_uiStat = nullptr;
revaze::CUISoft* g_uiSoft = nullptr;
revaze::DictionaryLoader* g_dictionaryLoader = nullptr;
revaze::WylieComposer* g_wylieComposer = nullptr;
revaze::SoftKeyComposer* g_softKeyComposer = nullptr;
revaze::LayoutComposer* g_layoutComposer = nullptr;
revaze::Dictionary g_dictionary;

namespace revaze {

namespace {

WinHost g_host;
// Built on first use, after process attach has created the objects they refer to.
std::optional<ImeParts> g_parts;
std::optional<KeyRouter> g_router;

std::wstring dictionaryPath() {
    std::array<wchar_t, MAX_PATH> system{};
    UINT n = GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size()));
    if (n == 0 || n >= system.size()) {
        return std::wstring(L"\\") + kDictionaryFileName;
    }
    return std::wstring(system.data(), n) + L"\\" + kDictionaryFileName;
}

void processAttach(HINSTANCE instance) {
    g_hInstance = instance;
    g_uiFrame = new CUIFrame(g_hInstance);
    g_uiComp = new CUIComp(g_hInstance);
    g_uiStat = new CUIStat(g_hInstance);
    g_uiSoft = new CUISoft(g_hInstance);
    g_uiFrame->RegisterWindowClass();
    g_uiComp->RegisterWindowClass();
    g_uiStat->RegisterWindowClass();
    g_uiSoft->RegisterWindowClass();
    g_dictionaryLoader = new DictionaryLoader;
    g_wylieComposer = new WylieComposer(&g_dictionary);
    g_softKeyComposer = new SoftKeyComposer(&g_dictionary);
    g_layoutComposer = new LayoutComposer(&g_dictionary);
}

void processDetach() {
    for (CUIBase* object : std::array<CUIBase*, 4>{g_uiFrame, g_uiComp, g_uiStat, g_uiSoft}) {
        if (object != nullptr) {
            object->UnregisterWindowClass();
        }
    }
    g_router.reset();
    g_parts.reset();
    // The dictionary itself goes with the static objects after this.
    delete g_wylieComposer;
    delete g_layoutComposer;
    delete g_softKeyComposer;
    delete g_dictionaryLoader;
    delete g_uiStat;
    delete g_uiSoft;
    delete g_uiComp;
    delete g_uiFrame;
}

} // namespace

DictionaryLoader::DictionaryLoader() {
    g_dictionary.loadFile(std::filesystem::path(dictionaryPath()), std::cout);
}

ImeParts& ImeObjects() {
    if (!g_parts) {
        g_parts.emplace(ImeParts{g_uiStat->state, *g_wylieComposer, *g_layoutComposer,
                                 *g_softKeyComposer, g_host});
    }
    return *g_parts;
}

KeyRouter& Router() {
    if (!g_router) {
        g_router.emplace(ImeObjects());
    }
    return *g_router;
}

} // namespace revaze

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    try {
        if (reason == DLL_PROCESS_ATTACH) {
            revaze::processAttach(instance);
        } else if (reason == DLL_PROCESS_DETACH) {
            revaze::processDetach();
        }
        return TRUE;
    } catch (...) {
        // Nothing may run with a missing object: refuse the load. The loader then calls us
        // with process detach, which deletes whatever was created.
        return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
    }
}
