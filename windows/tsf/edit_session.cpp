#include "tsf/edit_session.h"

#include <memory>

#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"

namespace revaze::tsf {

void* EditSession::interfaceFor(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_ITfEditSession) {
        return static_cast<ITfEditSession*>(this);
    }
    return nullptr;
}

STDMETHODIMP EditSession::DoEditSession(TfEditCookie cookie) {
    try {
        work_(cookie);
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

EditOutcome RequestEdit(ITfContext* context, TfClientId clientId, DWORD flags, EditWork work) {
    EditOutcome outcome;
    if (context == nullptr) {
        return outcome;
    }
    // Shared with the session, which may run after this function has returned.
    auto ran = std::make_shared<bool>(false);
    auto session = ComPtr<EditSession>::adopt(new EditSession([ran, work](TfEditCookie cookie) {
        *ran = true;
        work(cookie);
    }));
    HRESULT sessionResult = E_FAIL;
    const HRESULT hr = context->RequestEditSession(clientId, session.get(), flags | TF_ES_READWRITE,
                                                   &sessionResult);
    outcome.ran = *ran;
    outcome.queued = SUCCEEDED(hr) && !*ran && sessionResult == TF_S_ASYNC;
    return outcome;
}

} // namespace revaze::tsf
