// The settings window as Windows asks for it: the text service's function provider hands out
// ITfFnConfigure, whose Show is the "Options" of Revaze in Windows' language settings.
#include "platform/guarded.h"
#include "tsf/dll_module.h"
#include "tsf/guids.h"
#include "tsf/text_service.h"
#include "ui/settings_dialog.h"

namespace revaze::tsf {

STDMETHODIMP TextService::GetType(GUID* type) {
    if (type == nullptr) {
        return E_INVALIDARG;
    }
    *type = kTextServiceClsid;
    return S_OK;
}

STDMETHODIMP TextService::GetDescription(BSTR* description) {
    if (description == nullptr) {
        return E_INVALIDARG;
    }
    *description = SysAllocString(kProfileDescription);
    return *description != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TextService::GetFunction(REFGUID group, REFIID riid, IUnknown** function) {
    if (function == nullptr) {
        return E_INVALIDARG;
    }
    *function = nullptr;
    if (!IsEqualGUID(group, GUID_NULL) ||
        (riid != __uuidof(ITfFnConfigure) && riid != __uuidof(ITfFunction))) {
        return E_NOINTERFACE;
    }
    return QueryInterface(riid, reinterpret_cast<void**>(function));
}

STDMETHODIMP TextService::GetDisplayName(BSTR* name) {
    if (name == nullptr) {
        return E_INVALIDARG;
    }
    *name = SysAllocString(L"Revaze settings");
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TextService::Show(HWND parent, LANGID, REFGUID) {
    return guarded(E_FAIL, [&] {
        ShowSettingsDialog(ModuleInstance(), parent);
        followSettings();
        return S_OK;
    });
}

} // namespace revaze::tsf
