// The application's layout of the document the keys go to (ITfTextLayoutSink, advised to the
// context's ITfSource where the context offers it): the text service hears when the text moves
// (a scroll, a window moved, a layout the document did not have yet) and moves the composition
// window with it.
#pragma once

#include <msctf.h>

#include <functional>

#include "tsf/com_object.h"
#include "tsf/com_ptr.h"
#include "tsf/sink_advice.h"
#include "tsf/tsf_sdk.h"

namespace revaze::tsf {

class LayoutWatch final : public ComObject<ITfTextLayoutSink> {
public:
    // `changed` hears of every new layout of the watched context.
    explicit LayoutWatch(std::function<void(ITfContext*)> changed) : changed_(std::move(changed)) {}

    // Watches `context` instead of the one before; true when that is another context than the
    // one watched (whether or not it offers the sink: a context that refuses is not asked again).
    bool watch(ITfContext* context);
    // Lets go of the context; the owner goes away or the focus moves on.
    void stop();
    // The owner is gone: the sink, which the context may still hold, does nothing more.
    void detach();
    bool advised() const { return advice_.advised(); }

    // ITfTextLayoutSink
    STDMETHODIMP OnLayoutChange(ITfContext* context, TfLayoutCode code,
                                ITfContextView* view) override;

private:
    std::function<void(ITfContext*)> changed_;
    ComPtr<ITfContext> context_;
    SinkAdvice advice_;
};

} // namespace revaze::tsf
