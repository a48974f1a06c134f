// Activation and deactivation, the interfaces the service answers, the thread manager's events
// and the keyboard's open/close compartment.
#include "tsf/text_service.h"

#include <new>

#include "platform/registry_settings.h"
#include "tsf/display_attribute.h"
#include "tsf/dll_module.h"
#include "tsf/guids.h"

namespace revaze::tsf {

namespace {

// Revaze's windows have no owner (the application's windows are not ours to own them): they
// keep on top of the application and out of the taskbar, and never take the focus.
constexpr DWORD kWindowExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

ComPtr<ITfContext> topContext(ITfDocumentMgr* documentMgr) {
    ComPtr<ITfContext> context;
    if (documentMgr != nullptr) {
        documentMgr->GetTop(context.put());
    }
    return context;
}

// The layout of the language profile Windows activated the service under: Dzongkha's profile
// starts in Dzongkha.
LayoutId activeProfileLayout() {
    ComPtr<ITfInputProcessorProfiles> profiles;
    LANGID language = 0;
    GUID profile = GUID_NULL;
    if (FAILED(CoCreateInstance(CLSID_TF_InputProcessorProfiles, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ITfInputProcessorProfiles, profiles.putVoid())) ||
        FAILED(profiles->GetActiveLanguageProfile(kTextServiceClsid, &language, &profile))) {
        return LayoutId::Wylie;
    }
    for (const LanguageProfile& known : kLanguageProfiles) {
        if (IsEqualGUID(profile, *known.guid)) {
            return known.layout;
        }
    }
    return LayoutId::Wylie;
}

} // namespace

TextService::TextService() : writer_(static_cast<ITfCompositionSink*>(this)) {}

TextService::~TextService() {
    // Only a manager that never deactivated the service leaves windows behind; their window
    // procedures must not outlive the objects they call.
    removeLangBarButtons();
    destroyWindows();
}

void* TextService::interfaceFor(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_ITfTextInputProcessor ||
        riid == __uuidof(ITfTextInputProcessorEx)) {
        return static_cast<ITfTextInputProcessorEx*>(this);
    }
    if (riid == IID_ITfThreadMgrEventSink) {
        return static_cast<ITfThreadMgrEventSink*>(this);
    }
    if (riid == IID_ITfKeyEventSink) {
        return static_cast<ITfKeyEventSink*>(this);
    }
    if (riid == IID_ITfCompositionSink) {
        return static_cast<ITfCompositionSink*>(this);
    }
    if (riid == __uuidof(ITfDisplayAttributeProvider)) {
        return static_cast<ITfDisplayAttributeProvider*>(this);
    }
    if (riid == IID_ITfCompartmentEventSink) {
        return static_cast<ITfCompartmentEventSink*>(this);
    }
    if (riid == IID_ITfThreadFocusSink) {
        return static_cast<ITfThreadFocusSink*>(this);
    }
    if (riid == IID_ITfFunctionProvider) {
        return static_cast<ITfFunctionProvider*>(this);
    }
    if (riid == __uuidof(ITfFnConfigure) || riid == __uuidof(ITfFunction)) {
        return static_cast<ITfFnConfigure*>(this);
    }
    return nullptr;
}

STDMETHODIMP TextService::Activate(ITfThreadMgr* threadMgr, TfClientId clientId) {
    // Some managers (older Windows, Wine) only know Activate.
    return ActivateEx(threadMgr, clientId, 0);
}

STDMETHODIMP TextService::ActivateEx(ITfThreadMgr* threadMgr, TfClientId clientId, DWORD flags) {
    if (threadMgr == nullptr) {
        return E_INVALIDARG;
    }
    if (threadMgr_) {
        Deactivate();
    }
    try {
        threadMgr_ = ComPtr<ITfThreadMgr>(threadMgr);
        clientId_ = clientId;
        activationFlags_ = flags;
        if (!session_) {
            session_ = std::make_unique<Session>(
                SharedDictionary(), ProcessSettings().Current().Start(activeProfileLayout()));
        }
        // Without the thread manager's events and the keys the service can do nothing.
        if (!threadMgrSink_.advise(threadMgr, IID_ITfThreadMgrEventSink,
                                   static_cast<ITfThreadMgrEventSink*>(this)) ||
            !adviseKeySink()) {
            Deactivate();
            return E_FAIL;
        }
        threadFocusSink_.advise(threadMgr, IID_ITfThreadFocusSink,
                                static_cast<ITfThreadFocusSink*>(this));
        // The settings window for the thread's function manager; a manager without one still
        // finds it through the class's own ITfFnConfigure.
        if (auto single = threadMgr_.query<ITfSourceSingle>()) {
            functionProviderAdvised_ = SUCCEEDED(single->AdviseSingleSink(
                clientId_, IID_ITfFunctionProvider, static_cast<ITfFunctionProvider*>(this)));
        }
        if (ComPtr<ITfCompartment> compartment = openCloseCompartment()) {
            compartmentSink_.advise(compartment.get(), IID_ITfCompartmentEventSink,
                                    static_cast<ITfCompartmentEventSink*>(this));
        }
        registerAttribute();
        createWindows();
        addLangBarButtons();
        // The keyboard opens in the session's mode, and the windows show its state.
        Result current;
        current.view = session_->view();
        apply(current);
        return S_OK;
    } catch (...) {
        Deactivate();
        return E_FAIL;
    }
}

STDMETHODIMP TextService::Deactivate() {
    if (!threadMgr_) {
        return S_OK;
    }
    try {
        completeComposition(focusedContext().get());
    } catch (...) {
    }
    removeLangBarButtons();
    destroyWindows();
    if (auto single = threadMgr_.query<ITfSourceSingle>(); single && functionProviderAdvised_) {
        single->UnadviseSingleSink(clientId_, IID_ITfFunctionProvider);
    }
    functionProviderAdvised_ = false;
    compartmentSink_.reset();
    threadFocusSink_.reset();
    threadMgrSink_.reset();
    unadviseKeySink();
    threadMgr_.reset();
    clientId_ = TF_CLIENTID_NULL;
    activationFlags_ = 0;
    passedKey_.reset();
    textExtent_.reset();
    return S_OK;
}

bool TextService::adviseKeySink() {
    auto keystrokes = threadMgr_.query<ITfKeystrokeMgr>();
    keySinkAdvised_ = keystrokes && SUCCEEDED(keystrokes->AdviseKeyEventSink(
                                        clientId_, static_cast<ITfKeyEventSink*>(this), TRUE));
    return keySinkAdvised_;
}

void TextService::unadviseKeySink() {
    if (keySinkAdvised_) {
        if (auto keystrokes = threadMgr_.query<ITfKeystrokeMgr>()) {
            keystrokes->UnadviseKeyEventSink(clientId_);
        }
        keySinkAdvised_ = false;
    }
}

void TextService::registerAttribute() {
    ComPtr<ITfCategoryMgr> categories;
    TfGuidAtom atom = TF_INVALID_GUIDATOM;
    if (SUCCEEDED(CoCreateInstance(CLSID_TF_CategoryMgr, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_ITfCategoryMgr, categories.putVoid())) &&
        categories) {
        categories->RegisterGUID(kInputAttributeGuid, &atom);
    }
    writer_.setAttribute(atom);
}

ComPtr<ITfCompartment> TextService::openCloseCompartment() const {
    ComPtr<ITfCompartment> compartment;
    if (auto compartments = threadMgr_.query<ITfCompartmentMgr>()) {
        compartments->GetCompartment(GUID_COMPARTMENT_KEYBOARD_OPENCLOSE, compartment.put());
    }
    return compartment;
}

void TextService::createWindows() {
    windows_ = std::make_unique<TipWindows>(ModuleInstance(), *this);
    TipWindows& w = *windows_;
    for (CUIBase* window : {static_cast<CUIBase*>(&w.comp), static_cast<CUIBase*>(&w.stat),
                            static_cast<CUIBase*>(&w.soft)}) {
        window->popupExStyle = kWindowExStyle;
        // Fails harmlessly when another thread's service registered the class already.
        window->RegisterWindowClass();
    }
    w.comp.CreateUIWindow(nullptr);
    // An immersive application has the taskbar's input indicator instead.
    if (!immersive()) {
        w.stat.CreateUIWindow(nullptr);
    }
    w.soft.CreateUIWindow(nullptr);
}

void TextService::destroyWindows() {
    if (windows_) {
        windows_->comp.DestroyUIWindow();
        windows_->stat.DestroyUIWindow();
        windows_->soft.DestroyUIWindow();
        windows_.reset();
    }
}

void TextService::addLangBarButtons() {
    // New buttons have shown nothing yet: the first answer updates both.
    barMode_.reset();
    barLayout_.reset();
    // Not every thread manager has a language bar (Wine's has none): the service runs without.
    langBarMgr_ = threadMgr_.query<ITfLangBarItemMgr>();
    if (!langBarMgr_) {
        return;
    }
    modeButton_ = ComPtr<LangBarButton>::adopt(new LangBarButton(LangBarKind::Mode, this));
    layoutButton_ = ComPtr<LangBarButton>::adopt(new LangBarButton(LangBarKind::Layout, this));
    langBarMgr_->AddItem(modeButton_.get());
    langBarMgr_->AddItem(layoutButton_.get());
}

void TextService::removeLangBarButtons() {
    for (ComPtr<LangBarButton>* button : {&modeButton_, &layoutButton_}) {
        if (*button) {
            if (langBarMgr_) {
                langBarMgr_->RemoveItem(button->get());
            }
            (*button)->detach();
            button->reset();
        }
    }
    langBarMgr_.reset();
    barMode_.reset();
    barLayout_.reset();
}

ComPtr<ITfContext> TextService::focusedContext() const {
    ComPtr<ITfDocumentMgr> focus;
    if (threadMgr_) {
        threadMgr_->GetFocus(focus.put());
    }
    return topContext(focus.get());
}

STDMETHODIMP TextService::OnInitDocumentMgr(ITfDocumentMgr*) {
    return S_OK;
}

STDMETHODIMP TextService::OnUninitDocumentMgr(ITfDocumentMgr*) {
    return S_OK;
}

STDMETHODIMP TextService::OnSetFocus(ITfDocumentMgr*, ITfDocumentMgr* previous) {
    try {
        completeComposition(topContext(previous).get());
        textExtent_.reset();
        followSettings();
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP TextService::OnPushContext(ITfContext*) {
    return S_OK;
}

STDMETHODIMP TextService::OnPopContext(ITfContext*) {
    return S_OK;
}

STDMETHODIMP TextService::OnCompositionTerminated(TfEditCookie ec, ITfComposition* composition) {
    try {
        if (!session_ || !writer_.owns(composition)) {
            return S_OK;
        }
        // The application ends the composition (a click elsewhere, a save): what is composed
        // is committed as it stands.
        writer_.terminated();
        ComPtr<ITfContext> context(writer_.context());
        completeIn(ec, context.get());
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP TextService::EnumDisplayAttributeInfo(IEnumTfDisplayAttributeInfo** infos) {
    if (infos == nullptr) {
        return E_INVALIDARG;
    }
    *infos = nullptr;
    try {
        *infos = new DisplayAttributeEnum();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP TextService::GetDisplayAttributeInfo(REFGUID guid, ITfDisplayAttributeInfo** info) {
    if (info == nullptr) {
        return E_INVALIDARG;
    }
    *info = nullptr;
    if (guid != kInputAttributeGuid) {
        return E_INVALIDARG;
    }
    try {
        *info = new DisplayAttributeInfo();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP TextService::OnChange(REFGUID guid) {
    try {
        if (!session_ || guid != GUID_COMPARTMENT_KEYBOARD_OPENCLOSE) {
            return S_OK;
        }
        ComPtr<ITfCompartment> compartment = openCloseCompartment();
        VARIANT value;
        VariantInit(&value);
        if (!compartment || FAILED(compartment->GetValue(&value))) {
            return S_OK;
        }
        // Closed is English mode. A compartment never written (VT_EMPTY) reads as closed.
        const bool open = value.vt == VT_I4 && value.lVal != 0;
        VariantClear(&value);
        if (open != (session_->view().mode == InputMode::Tibetan)) {
            act(session_->ToggleInputMode());
        }
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

void TextService::syncKeyboardOpen(InputMode mode) {
    ComPtr<ITfCompartment> compartment = openCloseCompartment();
    if (!compartment) {
        return;
    }
    const LONG open = mode == InputMode::Tibetan ? 1 : 0;
    VARIANT value;
    VariantInit(&value);
    // Written only when it differs, so that the change the service itself makes comes back
    // (OnChange) finding the two in step.
    if (SUCCEEDED(compartment->GetValue(&value)) && value.vt == VT_I4 && value.lVal == open) {
        return;
    }
    VariantClear(&value);
    value.vt = VT_I4;
    value.lVal = open;
    compartment->SetValue(clientId_, &value);
}

} // namespace revaze::tsf
