#include "tests/wine_tsf/lang_bar_host.h"

#include "tsf/tsf_sdk.h"

namespace tsfharness {

using revaze::tsf::ComPtr;

STDMETHODIMP LangBarHost::QueryInterface(REFIID riid, void** out) {
    if (riid == IID_ITfSource || riid == IID_ITfCompartmentMgr || riid == IID_ITfThreadMgrEx) {
        return real_->QueryInterface(riid, out);
    }
    // The UI element manager only where the test asks for one.
    if (riid == IID_ITfUIElementMgr && !uiElements) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    return ComClass::QueryInterface(riid, out);
}

// One element at a time, known by the number of its beginning.
STDMETHODIMP LangBarHost::BeginUIElement(ITfUIElement* begun, WINBOOL* show, DWORD* id) {
    if (begun == nullptr || show == nullptr || id == nullptr || element) {
        return E_INVALIDARG;
    }
    element = ComPtr<ITfUIElement>(begun);
    *show = showElements;
    *id = static_cast<DWORD>(++this->begun);
    updatedFlags = 0;
    return S_OK;
}

STDMETHODIMP LangBarHost::UpdateUIElement(DWORD id) {
    if (!element || id != static_cast<DWORD>(begun)) {
        return E_INVALIDARG;
    }
    ++updates;
    // As an application does: it asks what to redraw.
    auto list = element.query<ITfCandidateListUIElement>();
    DWORD flags = 0;
    if (list && SUCCEEDED(list->GetUpdatedFlags(&flags))) {
        updatedFlags |= flags;
    }
    return S_OK;
}

STDMETHODIMP LangBarHost::EndUIElement(DWORD id) {
    if (!element || id != static_cast<DWORD>(begun)) {
        return E_INVALIDARG;
    }
    ++ended;
    element.reset();
    return S_OK;
}

STDMETHODIMP LangBarHost::AdviseKeyEventSink(TfClientId, ITfKeyEventSink* sink, WINBOOL) {
    if (sink == nullptr) {
        return E_INVALIDARG;
    }
    keySink = ComPtr<ITfKeyEventSink>(sink);
    return S_OK;
}

STDMETHODIMP LangBarHost::UnadviseKeyEventSink(TfClientId) {
    keySink.reset();
    return S_OK;
}

STDMETHODIMP LangBarHost::AddItem(ITfLangBarItem* item) {
    if (item == nullptr) {
        return E_INVALIDARG;
    }
    items.push_back(ComPtr<ITfLangBarItem>(item));
    return S_OK;
}

STDMETHODIMP LangBarHost::RemoveItem(ITfLangBarItem* item) {
    for (auto it = items.begin(); it != items.end(); ++it) {
        if (it->get() == item) {
            items.erase(it);
            ++removed;
            return S_OK;
        }
    }
    return E_INVALIDARG;
}

STDMETHODIMP LangBarHost::GetItemNum(ULONG* count) {
    if (count == nullptr) {
        return E_INVALIDARG;
    }
    *count = static_cast<ULONG>(items.size());
    return S_OK;
}

STDMETHODIMP HarnessMenu::AddMenuItem(UINT id, DWORD flags, HBITMAP, HBITMAP, const WCHAR* text,
                                      ULONG length, ITfMenu** submenu) {
    if (submenu != nullptr) {
        *submenu = nullptr;
    }
    items.push_back({id, flags, text != nullptr ? std::wstring(text, length) : std::wstring()});
    return S_OK;
}

} // namespace tsfharness
