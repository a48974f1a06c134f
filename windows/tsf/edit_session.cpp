#include "tsf/edit_session.h"

#include <utility>

#include "platform/guarded.h"
#include "tsf/com_ptr.h"

namespace revaze::tsf {

STDMETHODIMP EditSession::DoEditSession(TfEditCookie cookie) {
    ran_ = true;
    return guarded(E_FAIL, [&] {
        work_(cookie);
        return S_OK;
    });
}

namespace {

bool request(ITfContext* context, TfClientId clientId, DWORD flags, EditWork work) {
    if (context == nullptr) {
        return false;
    }
    // Held here until the request returns; the document keeps its own reference to a session it
    // queues.
    auto session = ComPtr<EditSession>::adopt(new EditSession(std::move(work)));
    HRESULT sessionResult = E_FAIL;
    context->RequestEditSession(clientId, session.get(), flags, &sessionResult);
    return session->ran();
}

} // namespace

bool RequestEdit(ITfContext* context, TfClientId clientId, DWORD flags, EditWork work) {
    return request(context, clientId, flags | TF_ES_READWRITE, std::move(work));
}

bool RequestRead(ITfContext* context, TfClientId clientId, DWORD flags, EditWork work) {
    return request(context, clientId, flags | TF_ES_READ, std::move(work));
}

} // namespace revaze::tsf
