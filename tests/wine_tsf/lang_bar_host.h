// A thread manager with a language bar, which Wine's has not: everything goes to Wine's real
// thread manager except the language bar, which keeps the items a text service adds, the
// keystroke manager, which keeps the key sink (Wine's refuses a service it did not activate),
// and, when asked for, a UI element manager (Wine's BeginUIElement answers E_NOTIMPL). With it
// the harness presses the language bar's buttons as the taskbar would, and plays an
// application that draws the candidates itself.
#pragma once

#include <windows.h>

#include <msctf.h>

#include <string>
#include <vector>

#include "tests/wine_tsf/com_base.h"
#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"

namespace tsfharness {

class LangBarHost final
    : public HarnessObject<ITfThreadMgr, ITfKeystrokeMgr, ITfLangBarItemMgr, ITfUIElementMgr> {
public:
    explicit LangBarHost(ITfThreadMgr* real) : real_(real) {}

    std::vector<revaze::tsf::ComPtr<ITfLangBarItem>> items;
    int removed = 0;
    revaze::tsf::ComPtr<ITfKeyEventSink> keySink;

    // The UI element manager is offered only when `uiElements` is set; BeginUIElement answers
    // `showElements` (FALSE: the application draws them). It keeps the element begun last until
    // it ends, and what the updates said changed.
    bool uiElements = false;
    BOOL showElements = TRUE;
    int begun = 0;
    int updates = 0;
    int ended = 0;
    DWORD updatedFlags = 0;
    revaze::tsf::ComPtr<ITfUIElement> element;

    // The source and the compartments are the real thread manager's.
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;

    // ITfThreadMgr
    STDMETHODIMP Activate(TfClientId* client) override { return real_->Activate(client); }
    STDMETHODIMP Deactivate() override { return real_->Deactivate(); }
    STDMETHODIMP CreateDocumentMgr(ITfDocumentMgr** manager) override {
        return real_->CreateDocumentMgr(manager);
    }
    STDMETHODIMP EnumDocumentMgrs(IEnumTfDocumentMgrs** managers) override {
        return real_->EnumDocumentMgrs(managers);
    }
    STDMETHODIMP GetFocus(ITfDocumentMgr** focus) override { return real_->GetFocus(focus); }
    STDMETHODIMP SetFocus(ITfDocumentMgr* focus) override { return real_->SetFocus(focus); }
    STDMETHODIMP AssociateFocus(HWND window, ITfDocumentMgr* next,
                                ITfDocumentMgr** previous) override {
        return real_->AssociateFocus(window, next, previous);
    }
    STDMETHODIMP IsThreadFocus(WINBOOL* focus) override { return real_->IsThreadFocus(focus); }
    STDMETHODIMP GetFunctionProvider(REFCLSID clsid, ITfFunctionProvider** provider) override {
        return real_->GetFunctionProvider(clsid, provider);
    }
    STDMETHODIMP EnumFunctionProviders(IEnumTfFunctionProviders** providers) override {
        return real_->EnumFunctionProviders(providers);
    }
    STDMETHODIMP GetGlobalCompartment(ITfCompartmentMgr** compartments) override {
        return real_->GetGlobalCompartment(compartments);
    }

    // ITfKeystrokeMgr
    STDMETHODIMP AdviseKeyEventSink(TfClientId, ITfKeyEventSink* sink, WINBOOL) override;
    STDMETHODIMP UnadviseKeyEventSink(TfClientId) override;
    STDMETHODIMP GetForeground(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP TestKeyDown(WPARAM, LPARAM, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP TestKeyUp(WPARAM, LPARAM, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP KeyDown(WPARAM, LPARAM, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP KeyUp(WPARAM, LPARAM, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPreservedKey(ITfContext*, const TF_PRESERVEDKEY*, GUID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP IsPreservedKey(REFGUID, const TF_PRESERVEDKEY*, WINBOOL*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP PreserveKey(TfClientId, REFGUID, const TF_PRESERVEDKEY*, const WCHAR*,
                             ULONG) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP UnpreserveKey(REFGUID, const TF_PRESERVEDKEY*) override { return E_NOTIMPL; }
    STDMETHODIMP SetPreservedKeyDescription(REFGUID, const WCHAR*, ULONG) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetPreservedKeyDescription(REFGUID, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SimulatePreservedKey(ITfContext*, REFGUID, WINBOOL*) override { return E_NOTIMPL; }

    // ITfLangBarItemMgr
    STDMETHODIMP EnumItems(IEnumTfLangBarItems**) override { return E_NOTIMPL; }
    STDMETHODIMP GetItem(REFGUID, ITfLangBarItem**) override { return E_NOTIMPL; }
    STDMETHODIMP AddItem(ITfLangBarItem* item) override;
    STDMETHODIMP RemoveItem(ITfLangBarItem* item) override;
    STDMETHODIMP AdviseItemSink(ITfLangBarItemSink*, DWORD*, REFGUID) override { return E_NOTIMPL; }
    STDMETHODIMP UnadviseItemSink(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemFloatingRect(DWORD, REFGUID, RECT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemsStatus(ULONG, const GUID*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemNum(ULONG* count) override;
    STDMETHODIMP GetItems(ULONG, ITfLangBarItem**, TF_LANGBARITEMINFO*, DWORD*, ULONG*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP AdviseItemsSink(ULONG, ITfLangBarItemSink**, const GUID*, DWORD*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP UnadviseItemsSink(ULONG, DWORD*) override { return E_NOTIMPL; }

    // ITfUIElementMgr
    STDMETHODIMP BeginUIElement(ITfUIElement* begun, WINBOOL* show, DWORD* id) override;
    STDMETHODIMP UpdateUIElement(DWORD id) override;
    STDMETHODIMP EndUIElement(DWORD id) override;
    STDMETHODIMP GetUIElement(DWORD, ITfUIElement**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumUIElements(IEnumTfUIElements**) override { return E_NOTIMPL; }

private:
    revaze::tsf::ComPtr<ITfThreadMgr> real_;
};

// The menu a language bar hands a button to fill.
class HarnessMenu final : public HarnessObject<ITfMenu> {
public:
    struct Item {
        UINT id;
        DWORD flags;
        std::wstring text;
    };
    std::vector<Item> items;

    STDMETHODIMP AddMenuItem(UINT id, DWORD flags, HBITMAP, HBITMAP, const WCHAR* text,
                             ULONG length, ITfMenu** submenu) override;
};

// Counts the updates a button announces.
class HarnessItemSink final : public HarnessObject<ITfLangBarItemSink> {
public:
    int updates = 0;
    STDMETHODIMP OnUpdate(DWORD) override {
        ++updates;
        return S_OK;
    }
};

} // namespace tsfharness
