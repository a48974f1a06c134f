#include "tsf/layout_watch.h"

#include "platform/guarded.h"

namespace revaze::tsf {

bool LayoutWatch::watch(ITfContext* context) {
    if (context_.get() == context) {
        return false;
    }
    stop();
    context_ = ComPtr<ITfContext>(context);
    if (context != nullptr) {
        advice_.advise(context, __uuidof(ITfTextLayoutSink), static_cast<ITfTextLayoutSink*>(this));
    }
    return true;
}

void LayoutWatch::stop() {
    advice_.reset();
    context_.reset();
}

void LayoutWatch::detach() {
    stop();
    changed_ = nullptr;
}

STDMETHODIMP LayoutWatch::OnLayoutChange(ITfContext*, TfLayoutCode code, ITfContextView*) {
    return guarded(E_FAIL, [&]() -> HRESULT {
        // A view going away has no layout to follow; the next key asks again.
        if (code != TF_LC_DESTROY && changed_ && context_) {
            ComPtr<ITfContext> context = context_; // the callback may stop the watch
            changed_(context.get());
        }
        return S_OK;
    });
}

} // namespace revaze::tsf
