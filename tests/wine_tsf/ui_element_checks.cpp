#include "tests/wine_tsf/ui_element_checks.h"

#include "tests/wine/harness.h"

#include <string>

#include "tests/wine_tsf/com_base.h"
#include "tests/wine_tsf/expected_ids.h"
#include "tests/wine_tsf/lang_bar_host.h"
#include "tests/wine_tsf/own_context.h"
#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"

namespace tsfharness {

namespace {

using harness::check;
using revaze::tsf::ComPtr;
using Candidates = ComPtr<ITfCandidateListUIElementBehavior>;

// The test dictionary's candidate 3 of "bkra shis".
const std::wstring kTashiDelekShad = harness::kTashiDelek.substr(0, 16) + L"\u0F0D";

bool visible(const wchar_t* className) {
    HWND window = harness::findThreadWindow(className);
    return window != nullptr && IsWindowVisible(window);
}

bool anyWindowShown() {
    return visible(L"UICOMP") || visible(L"UISTAT") || visible(L"UISOFT");
}

bool checkText(const std::wstring& seen, const std::wstring& want, const char* what) {
    return check(seen == want, "%s (saw %s, want %s)", what, harness::hex(seen).c_str(),
                 harness::hex(want).c_str());
}

Candidates candidates(LangBarHost& host) {
    return host.element.query<ITfCandidateListUIElementBehavior>();
}

UINT countOf(const Candidates& list) {
    UINT count = 0;
    return list && SUCCEEDED(list->GetCount(&count)) ? count : 999;
}

UINT pageOf(const Candidates& list) {
    UINT page = 0;
    return list && SUCCEEDED(list->GetCurrentPage(&page)) ? page : 999;
}

UINT selectionOf(const Candidates& list) {
    UINT index = 0;
    return list && SUCCEEDED(list->GetSelection(&index)) ? index : 999;
}

std::wstring stringAt(const Candidates& list, UINT index) {
    BSTR text = nullptr;
    std::wstring result;
    if (list && SUCCEEDED(list->GetString(index, &text)) && text != nullptr) {
        result.assign(text, SysStringLen(text));
    }
    SysFreeString(text);
    return result;
}

bool drawnByRevaze(const Candidates& list) {
    BOOL shown = FALSE;
    return list && SUCCEEDED(list->IsShown(&shown)) && shown != FALSE;
}

// An element for Wine's manager to refuse.
class HarnessElement final : public HarnessObject<ITfUIElement> {
public:
    STDMETHODIMP GetDescription(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetGUID(GUID*) override { return E_NOTIMPL; }
    STDMETHODIMP Show(BOOL) override { return S_OK; }
    STDMETHODIMP IsShown(BOOL*) override { return E_NOTIMPL; }
};

// The application draws the candidates: Revaze shows nothing, the element says everything.
void typeWithoutWindows(LangBarHost& host, OwnDocument& doc, KeyRoute& keys) {
    bool shown = false;
    int begunOnFirstKey = -1;
    for (const char* key = "bkra shis"; *key != '\0'; ++key) {
        const char one[2] = {*key, '\0'};
        keys.type(one);
        begunOnFirstKey = begunOnFirstKey < 0 ? host.begun : begunOnFirstKey;
        shown = shown || anyWindowShown();
    }
    // "bkra s" has none: the candidates of "bkra sh" are a new element.
    check(begunOnFirstKey == 1 && host.begun == 2 && host.ended == 1,
          "BeginUIElement when the first candidates appear, EndUIElement when they go (%d after "
          "b, %d begun, %d ended)",
          begunOnFirstKey, host.begun, host.ended);
    check(!shown, "pbShow FALSE: no Revaze window shows while typing bkra shis");
    check(doc.composing && doc.compositionText() == harness::kBkraShis,
          "UI-less: the composition stands in the document all the same");
    Candidates list = candidates(host);
    check(countOf(list) == 5 && pageOf(list) == 0 && selectionOf(list) == 0 && !drawnByRevaze(list),
          "GetCount: the five candidates of bkra shis, the first page current, the first "
          "selected, IsShown FALSE (%u, %u, %u)",
          countOf(list), pageOf(list), selectionOf(list));
    checkText(stringAt(list, 2), kTashiDelekShad, "GetString(2) is the session's candidate 3");
    check(list && SUCCEEDED(list->SetSelection(2)) && selectionOf(list) == 2 &&
              SUCCEEDED(list->Finalize()),
          "SetSelection(2) and Finalize");
    checkText(doc.text, kTashiDelekShad, "Finalize commits the selected candidate");
    check(!doc.composing && host.ended == 2 && !host.element,
          "the composition ends, and the element with it (EndUIElement)");

    keys.type("bkra");
    list = candidates(host);
    UINT starts[4] = {};
    UINT pages = 0;
    check(host.begun == 3 && countOf(list) == 6 &&
              SUCCEEDED(list->GetPageIndex(starts, 4, &pages)) && pages == 2 && starts[0] == 0 &&
              starts[1] == 5,
          "bkra: a new element, six candidates in two pages from 0 and 5");
    const int updates = host.updates;
    host.updatedFlags = 0;
    keys.type("=");
    check(host.updates > updates && (host.updatedFlags & TF_CLUIE_CURRENTPAGE) != 0 &&
              pageOf(list) == 1 && selectionOf(list) == 5,
          "the page key: UpdateUIElement, the second page current (flags 0x%lx)",
          host.updatedFlags);
    const std::wstring sixth = stringAt(list, 5);
    keys.type("1");
    checkText(doc.text, kTashiDelekShad + sixth,
              "the digit 1 there commits what GetString(5) answered");
    keys.type("bkra");
    list = candidates(host);
    check(list && SUCCEEDED(list->SetSelection(5)) && pageOf(list) == 1 &&
              SUCCEEDED(list->Finalize()),
          "SetSelection(5) on the first page turns the session to the second");
    checkText(doc.text, kTashiDelekShad + sixth + sixth, "Finalize then commits candidate 6");

    keys.type("kha");
    list = candidates(host);
    const int ended = host.ended;
    check(list && SUCCEEDED(list->Abort()) && host.ended == ended + 1 && !host.element,
          "Abort ends the element");
    check(!doc.composing && doc.text == kTashiDelekShad + sixth + sixth,
          "Abort drops the composition, the document keeps what was committed");
    check(!anyWindowShown(), "after all that, no Revaze window has shown");
}

// The focus leaves the thread and comes back mid-composition.
void refocusWithoutWindows(IUnknown* service, KeyRoute& keys) {
    keys.type("k");
    ComPtr<ITfThreadFocusSink> thread;
    ComPtr<ITfKeyEventSink> keySink;
    service->QueryInterface(IID_ITfThreadFocusSink, thread.putVoid());
    service->QueryInterface(IID_ITfKeyEventSink, keySink.putVoid());
    const bool refocused = thread && keySink && SUCCEEDED(thread->OnKillThreadFocus()) &&
                           SUCCEEDED(thread->OnSetThreadFocus()) &&
                           SUCCEEDED(keySink->OnSetFocus(TRUE));
    check(refocused && !anyWindowShown(),
          "UI-less: the thread's focus and the key sink's come back, no window comes with them");
    keys.type("\x1b");
}

} // namespace

void CheckWineBeginsNoElement(ITfThreadMgr* real) {
    ComPtr<ITfUIElementMgr> manager;
    if (real != nullptr) {
        real->QueryInterface(IID_ITfUIElementMgr, manager.putVoid());
    }
    auto element = ComPtr<HarnessElement>::adopt(new HarnessElement());
    BOOL show = TRUE;
    DWORD id = 1234;
    const HRESULT begun =
        manager ? manager->BeginUIElement(element.get(), &show, &id) : E_NOINTERFACE;
    check(begun == E_NOTIMPL && show == TRUE && id == 1234 && visible(L"UICOMP"),
          "Wine's UI element manager begins nothing (0x%08lx) and the service shows its "
          "candidates itself",
          static_cast<unsigned long>(begun));
}

void CheckUiElements(ITfThreadMgr* real, TfClientId client, KeyRoute& keys) {
    ComPtr<IClassFactory> factory;
    CoGetClassObject(kClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
    ComPtr<ITfTextInputProcessorEx> service;
    if (factory) {
        factory->CreateInstance(nullptr, __uuidof(ITfTextInputProcessorEx), service.putVoid());
    }
    auto host = ComPtr<LangBarHost>::adopt(new LangBarHost(real));
    host->uiElements = true;
    host->showElements = FALSE;
    if (!check(service && SUCCEEDED(service->ActivateEx(host.get(), client, 0)) && host->keySink,
               "a service activates with a thread manager that has a UI element manager")) {
        return;
    }
    keys.connect(host->keySink.get());
    auto own = ComPtr<OwnContext>::adopt(new OwnContext(40, 340));
    SetForegroundWindow(own->document().window);
    SetFocus(own->document().window);
    keys.setContext(static_cast<ITfContext*>(own.get()));
    keys.pump(60);

    typeWithoutWindows(*host.get(), own->document(), keys);
    refocusWithoutWindows(service.get(), keys);

    host->showElements = TRUE;
    const int begun = host->begun;
    keys.type("bkra");
    check(host->begun == begun + 1 && drawnByRevaze(candidates(*host.get())) &&
              visible(L"UICOMP") && visible(L"UISTAT"),
          "pbShow TRUE: the composition window shows the candidates as today, the status "
          "window is back");
    keys.type("\r");
    check(host->ended == host->begun && !host->element && !visible(L"UICOMP"),
          "Enter commits: EndUIElement, the composition window hides");
    keys.disconnect();
    keys.setContext(nullptr);
    check(SUCCEEDED(service->Deactivate()) && host->ended == host->begun,
          "the service deactivates with no element left begun");
}

} // namespace tsfharness
