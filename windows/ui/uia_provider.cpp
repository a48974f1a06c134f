#include "ui/uia_provider.h"

#include <ole2.h>
#include <uiautomationclient.h>
#include <uiautomationcore.h>

#include <atomic>
#include <type_traits>
#include <utility>

#include "platform/com_class.h"
#include "platform/system_function.h"
#include "ui/uia_patterns.h"

namespace revaze {

namespace {

// The few functions of UIAutomationCore.dll and OleAut32.dll the elements need, loaded the first
// time a client asks for a root. Without them the windows answer WM_GETOBJECT as any window does.
struct UiaCalls {
    LRESULT(WINAPI* returnProvider)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*) = nullptr;
    HRESULT(WINAPI* hostProvider)(HWND, IRawElementProviderSimple**) = nullptr;
    HRESULT(WINAPI* raiseEvent)(IRawElementProviderSimple*, EVENTID) = nullptr;
    BOOL(WINAPI* clientsAreListening)() = nullptr;
    HRESULT(WINAPI* disconnectProvider)(IRawElementProviderSimple*) = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
    decltype(&SafeArrayCreateVector) createVector = nullptr;
    decltype(&SafeArrayPutElement) putElement = nullptr;
};

INIT_ONCE uiaOnce = INIT_ONCE_STATIC_INIT;
UiaCalls uiaCalls;
std::atomic<bool> uiaReady{false};

BOOL CALLBACK loadUia(PINIT_ONCE, PVOID, PVOID*) {
    UiaCalls c;
    auto find = [](const wchar_t* module, const char* name, auto& function) {
        function = SystemFunction<std::remove_reference_t<decltype(function)>>(module, name);
    };
    find(L"UIAutomationCore.dll", "UiaReturnRawElementProvider", c.returnProvider);
    find(L"UIAutomationCore.dll", "UiaHostProviderFromHwnd", c.hostProvider);
    find(L"UIAutomationCore.dll", "UiaRaiseAutomationEvent", c.raiseEvent);
    find(L"UIAutomationCore.dll", "UiaClientsAreListening", c.clientsAreListening);
    find(L"UIAutomationCore.dll", "UiaDisconnectProvider", c.disconnectProvider);
    find(L"OleAut32.dll", "SysAllocString", c.allocString);
    find(L"OleAut32.dll", "SafeArrayCreateVector", c.createVector);
    find(L"OleAut32.dll", "SafeArrayPutElement", c.putElement);
    if (c.returnProvider != nullptr && c.allocString != nullptr && c.createVector != nullptr &&
        c.putElement != nullptr) {
        uiaCalls = c;
        uiaReady = true;
    }
    return TRUE;
}

// The calls once a client asked for a root and they loaded; null otherwise (nothing is loaded).
const UiaCalls* uia(bool load) {
    if (load) {
        InitOnceExecuteOnce(&uiaOnce, loadUia, nullptr, nullptr);
    }
    return uiaReady ? &uiaCalls : nullptr;
}

bool listening() {
    const UiaCalls* calls = uia(false);
    return calls != nullptr && calls->raiseEvent != nullptr &&
           (calls->clientsAreListening == nullptr || calls->clientsAreListening());
}

HRESULT stringVariant(const std::wstring& text, VARIANT* out) {
    const UiaCalls* calls = uia(false);
    if (calls == nullptr) {
        return E_FAIL;
    }
    out->bstrVal = calls->allocString(text.c_str());
    if (out->bstrVal == nullptr) {
        return E_OUTOFMEMORY;
    }
    out->vt = VT_BSTR;
    return S_OK;
}

void intVariant(int value, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = value;
}

void boolVariant(bool value, VARIANT* out) {
    out->vt = VT_BOOL;
    out->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

// A screen rectangle for UI Automation from a window's client rectangle.
UiaRect screenRect(HWND window, RECT client) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return UiaRect{double(client.left), double(client.top), double(client.right - client.left),
                   double(client.bottom - client.top)};
}

} // namespace

class AutomationItemElement;

class AutomationRoot final
    : public ComClass<Uncounted, IRawElementProviderSimple, IRawElementProviderFragment,
                      IRawElementProviderFragmentRoot, ISelectionProvider> {
public:
    explicit AutomationRoot(const AutomationShape& shape) : shape(shape) {}

    // The model, read and written under `lock`.
    const AutomationShape shape;
    SRWLOCK lock = SRWLOCK_INIT;
    HWND window = nullptr; // null once disconnected
    std::vector<AutomationItem> items;
    int selected = -1;
    int generation = 0; // a new list of items, new elements

    // The element of item `index` in the current list; null when there is none.
    AutomationItemElement* element(int index);

    // IRawElementProviderSimple
    STDMETHODIMP get_ProviderOptions(ProviderOptions* out) override {
        *out = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    STDMETHODIMP GetPatternProvider(PATTERNID pattern, IUnknown** out) override {
        *out = nullptr;
        if (pattern == UIA_SelectionPatternId && shape.selection) {
            *out = static_cast<IRawElementProviderSimple*>(this);
            AddRef();
        }
        return S_OK;
    }
    STDMETHODIMP GetPropertyValue(PROPERTYID property, VARIANT* out) override;
    STDMETHODIMP get_HostRawElementProvider(IRawElementProviderSimple** out) override {
        *out = nullptr;
        const UiaCalls* calls = uia(false);
        HWND w = currentWindow();
        if (calls == nullptr || calls->hostProvider == nullptr || w == nullptr) {
            return S_OK;
        }
        return calls->hostProvider(w, out);
    }

    // IRawElementProviderFragment
    STDMETHODIMP Navigate(NavigateDirection direction, IRawElementProviderFragment** out) override;
    STDMETHODIMP GetRuntimeId(SAFEARRAY** out) override {
        *out = nullptr; // the host's
        return S_OK;
    }
    STDMETHODIMP get_BoundingRectangle(UiaRect* out) override {
        *out = UiaRect{};
        HWND w = currentWindow();
        RECT r{};
        if (w != nullptr && GetWindowRect(w, &r)) {
            *out = UiaRect{double(r.left), double(r.top), double(r.right - r.left),
                           double(r.bottom - r.top)};
        }
        return S_OK;
    }
    STDMETHODIMP GetEmbeddedFragmentRoots(SAFEARRAY** out) override {
        *out = nullptr;
        return S_OK;
    }
    STDMETHODIMP SetFocus() override { return S_OK; }
    STDMETHODIMP get_FragmentRoot(IRawElementProviderFragmentRoot** out) override {
        *out = this;
        AddRef();
        return S_OK;
    }

    // IRawElementProviderFragmentRoot
    STDMETHODIMP ElementProviderFromPoint(double x, double y,
                                          IRawElementProviderFragment** out) override;
    STDMETHODIMP GetFocus(IRawElementProviderFragment** out) override {
        *out = nullptr;
        return S_OK;
    }

    // ISelectionProvider
    STDMETHODIMP GetSelection(SAFEARRAY** out) override;
    STDMETHODIMP get_CanSelectMultiple(BOOL* out) override {
        *out = FALSE;
        return S_OK;
    }
    STDMETHODIMP get_IsSelectionRequired(BOOL* out) override {
        *out = FALSE;
        return S_OK;
    }

    HWND currentWindow() {
        AcquireSRWLockShared(&lock);
        HWND w = window;
        ReleaseSRWLockShared(&lock);
        return w;
    }

protected:
    bool offers(REFIID riid) const override {
        return riid != __uuidof(ISelectionProvider) || shape.selection;
    }
};

class AutomationItemElement final
    : public ComClass<Uncounted, IRawElementProviderSimple, IRawElementProviderFragment,
                      ISelectionItemProvider, IInvokeProvider> {
public:
    AutomationItemElement(AutomationRoot* root, int index, int generation)
        : root_(root), index_(index), generation_(generation) {
        root_->AddRef();
    }

    // IRawElementProviderSimple
    STDMETHODIMP get_ProviderOptions(ProviderOptions* out) override {
        *out = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    STDMETHODIMP GetPatternProvider(PATTERNID pattern, IUnknown** out) override {
        *out = nullptr;
        if ((pattern == UIA_SelectionItemPatternId && root_->shape.selection) ||
            (pattern == UIA_InvokePatternId && root_->shape.invokeMessage != 0)) {
            *out = static_cast<IRawElementProviderSimple*>(this);
            AddRef();
        }
        return S_OK;
    }
    STDMETHODIMP GetPropertyValue(PROPERTYID property, VARIANT* out) override {
        out->vt = VT_EMPTY;
        Snapshot s;
        if (!read(s)) {
            return kUiaElementNotAvailable;
        }
        switch (property) {
        case UIA_NamePropertyId:
            return stringVariant(s.name, out);
        case UIA_ControlTypePropertyId:
            intVariant(root_->shape.itemControlType, out);
            break;
        case UIA_IsKeyboardFocusablePropertyId:
            boolVariant(false, out);
            break;
        case UIA_SelectionItemIsSelectedPropertyId:
            if (root_->shape.selection) {
                boolVariant(s.selected, out);
            }
            break;
        default:
            break;
        }
        return S_OK;
    }
    STDMETHODIMP get_HostRawElementProvider(IRawElementProviderSimple** out) override {
        *out = nullptr;
        return S_OK;
    }

    // IRawElementProviderFragment
    STDMETHODIMP Navigate(NavigateDirection direction, IRawElementProviderFragment** out) override {
        *out = nullptr;
        Snapshot s;
        if (!read(s)) {
            return kUiaElementNotAvailable;
        }
        switch (direction) {
        case NavigateDirection_Parent:
            *out = root_;
            root_->AddRef();
            break;
        case NavigateDirection_NextSibling:
            *out = root_->element(index_ + 1);
            break;
        case NavigateDirection_PreviousSibling:
            *out = root_->element(index_ - 1);
            break;
        default:
            break;
        }
        return S_OK;
    }
    STDMETHODIMP GetRuntimeId(SAFEARRAY** out) override {
        *out = nullptr;
        const UiaCalls* calls = uia(false);
        if (calls == nullptr) {
            return E_FAIL;
        }
        SAFEARRAY* ids = calls->createVector(VT_I4, 0, 3);
        if (ids == nullptr) {
            return E_OUTOFMEMORY;
        }
        int parts[3] = {kUiaAppendRuntimeId, generation_, index_};
        for (LONG i = 0; i < 3; ++i) {
            calls->putElement(ids, &i, &parts[i]);
        }
        *out = ids;
        return S_OK;
    }
    STDMETHODIMP get_BoundingRectangle(UiaRect* out) override {
        *out = UiaRect{};
        Snapshot s;
        if (!read(s)) {
            return kUiaElementNotAvailable;
        }
        *out = screenRect(s.window, s.client);
        return S_OK;
    }
    STDMETHODIMP GetEmbeddedFragmentRoots(SAFEARRAY** out) override {
        *out = nullptr;
        return S_OK;
    }
    STDMETHODIMP SetFocus() override { return S_OK; }
    STDMETHODIMP get_FragmentRoot(IRawElementProviderFragmentRoot** out) override {
        *out = root_;
        root_->AddRef();
        return S_OK;
    }

    // ISelectionItemProvider: the selection follows the window; a client cannot move it.
    STDMETHODIMP Select() override {
        Snapshot s;
        if (!read(s)) {
            return kUiaElementNotAvailable;
        }
        return s.selected ? S_OK : kUiaInvalidOperation;
    }
    STDMETHODIMP AddToSelection() override { return Select(); }
    STDMETHODIMP RemoveFromSelection() override { return kUiaInvalidOperation; }
    STDMETHODIMP get_IsSelected(BOOL* out) override {
        Snapshot s;
        *out = FALSE;
        if (!read(s)) {
            return kUiaElementNotAvailable;
        }
        *out = s.selected ? TRUE : FALSE;
        return S_OK;
    }
    STDMETHODIMP get_SelectionContainer(IRawElementProviderSimple** out) override {
        *out = root_;
        root_->AddRef();
        return S_OK;
    }

    // IInvokeProvider: the window acts on its own thread, as for a click.
    STDMETHODIMP Invoke() override {
        Snapshot s;
        if (!read(s)) {
            return kUiaElementNotAvailable;
        }
        PostMessageW(s.window, root_->shape.invokeMessage, WPARAM(index_), 0);
        return S_OK;
    }

protected:
    ~AutomationItemElement() override { root_->Release(); }
    bool offers(REFIID riid) const override {
        if (riid == __uuidof(ISelectionItemProvider)) {
            return root_->shape.selection;
        }
        if (riid == __uuidof(IInvokeProvider)) {
            return root_->shape.invokeMessage != 0;
        }
        return true;
    }

private:
    struct Snapshot {
        HWND window = nullptr;
        std::wstring name;
        RECT client{};
        bool selected = false;
    };
    // This element's item as the window shows it; false once it is gone.
    bool read(Snapshot& s) {
        AcquireSRWLockShared(&root_->lock);
        const bool alive = root_->window != nullptr && root_->generation == generation_ &&
                           index_ >= 0 && std::size_t(index_) < root_->items.size();
        if (alive) {
            s.window = root_->window;
            s.name = root_->items[std::size_t(index_)].name;
            s.client = root_->items[std::size_t(index_)].client;
            s.selected = root_->selected == index_;
        }
        ReleaseSRWLockShared(&root_->lock);
        return alive;
    }

    AutomationRoot* root_;
    const int index_;
    const int generation_;
};

AutomationItemElement* AutomationRoot::element(int index) {
    AcquireSRWLockShared(&lock);
    const bool exists = window != nullptr && index >= 0 && std::size_t(index) < items.size();
    const int current = generation;
    ReleaseSRWLockShared(&lock);
    return exists ? new AutomationItemElement(this, index, current) : nullptr;
}

STDMETHODIMP AutomationRoot::GetPropertyValue(PROPERTYID property, VARIANT* out) {
    out->vt = VT_EMPTY;
    HWND w = currentWindow();
    if (w == nullptr) {
        return kUiaElementNotAvailable;
    }
    switch (property) {
    case UIA_AutomationIdPropertyId:
        return stringVariant(shape.automationId, out);
    case UIA_NamePropertyId: {
        wchar_t text[128] = {};
        InternalGetWindowText(w, text, 128);
        return stringVariant(text, out);
    }
    case UIA_ControlTypePropertyId:
        intVariant(shape.rootControlType, out);
        break;
    case UIA_IsKeyboardFocusablePropertyId:
        boolVariant(false, out);
        break;
    default:
        break;
    }
    return S_OK;
}

STDMETHODIMP AutomationRoot::Navigate(NavigateDirection direction,
                                      IRawElementProviderFragment** out) {
    *out = nullptr;
    AcquireSRWLockShared(&lock);
    const int count = window != nullptr ? int(items.size()) : 0;
    ReleaseSRWLockShared(&lock);
    if (direction == NavigateDirection_FirstChild) {
        *out = element(0);
    } else if (direction == NavigateDirection_LastChild) {
        *out = element(count - 1);
    }
    return S_OK;
}

STDMETHODIMP AutomationRoot::ElementProviderFromPoint(double x, double y,
                                                      IRawElementProviderFragment** out) {
    *out = nullptr;
    AcquireSRWLockShared(&lock);
    int found = -1;
    for (std::size_t i = 0; window != nullptr && i < items.size(); ++i) {
        const UiaRect r = screenRect(window, items[i].client);
        if (x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height) {
            found = int(i);
            break;
        }
    }
    ReleaseSRWLockShared(&lock);
    if (found >= 0) {
        *out = element(found);
    }
    if (*out == nullptr) {
        *out = this;
        AddRef();
    }
    return S_OK;
}

STDMETHODIMP AutomationRoot::GetSelection(SAFEARRAY** out) {
    *out = nullptr;
    const UiaCalls* calls = uia(false);
    if (calls == nullptr) {
        return E_FAIL;
    }
    AcquireSRWLockShared(&lock);
    const int chosen = window != nullptr ? selected : -1;
    ReleaseSRWLockShared(&lock);
    AutomationItemElement* item = element(chosen);
    SAFEARRAY* list = calls->createVector(VT_UNKNOWN, 0, item != nullptr ? 1 : 0);
    if (list == nullptr) {
        if (item != nullptr) {
            item->Release();
        }
        return E_OUTOFMEMORY;
    }
    if (item != nullptr) {
        LONG at = 0;
        calls->putElement(list, &at, static_cast<IRawElementProviderSimple*>(item));
        item->Release();
    }
    *out = list;
    return S_OK;
}

WindowAutomation::WindowAutomation(const AutomationShape& shape)
    : root_(new AutomationRoot(shape)) {}

WindowAutomation::~WindowAutomation() {
    Disconnect(nullptr);
    root_->Release();
}

void WindowAutomation::Update(HWND window, std::vector<AutomationItem> items, int selected) {
    AcquireSRWLockExclusive(&root_->lock);
    root_->window = window;
    if (items != root_->items) {
        root_->items = std::move(items);
        ++root_->generation;
    }
    root_->selected = selected;
    ReleaseSRWLockExclusive(&root_->lock);
}

void WindowAutomation::AnnounceSelection() {
    if (!listening()) {
        return;
    }
    AcquireSRWLockShared(&root_->lock);
    const int selected = root_->selected;
    ReleaseSRWLockShared(&root_->lock);
    if (AutomationItemElement* item = root_->element(selected)) {
        uia(false)->raiseEvent(item, kUiaElementSelectedEvent);
        item->Release();
    }
}

bool WindowAutomation::Answer(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (static_cast<LONG>(lParam) != kUiaRootObjectId) {
        return false;
    }
    const UiaCalls* calls = uia(true);
    if (calls == nullptr) {
        return false;
    }
    AcquireSRWLockExclusive(&root_->lock);
    root_->window = window;
    ReleaseSRWLockExclusive(&root_->lock);
    result = calls->returnProvider(window, wParam, lParam, root_);
    return true;
}

void WindowAutomation::Disconnect(HWND window) {
    AcquireSRWLockExclusive(&root_->lock);
    const bool connected = root_->window != nullptr;
    root_->window = nullptr;
    root_->items.clear();
    ++root_->generation;
    ReleaseSRWLockExclusive(&root_->lock);
    const UiaCalls* calls = uia(false);
    if (!connected || calls == nullptr) {
        return;
    }
    if (window != nullptr) {
        calls->returnProvider(window, 0, 0, nullptr);
    }
    if (calls->disconnectProvider != nullptr) {
        calls->disconnectProvider(root_);
    }
}

} // namespace revaze
