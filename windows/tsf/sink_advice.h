// One sink advised to a TSF source, unadvised when the holder goes.
#pragma once

#include <msctf.h>

#include "tsf/com_ptr.h"

namespace revaze::tsf {

class SinkAdvice {
public:
    SinkAdvice() = default;
    SinkAdvice(const SinkAdvice&) = delete;
    SinkAdvice& operator=(const SinkAdvice&) = delete;
    ~SinkAdvice() { reset(); }

    // Advises `sink` as `riid` to the ITfSource of `source`; false when it refuses.
    bool advise(IUnknown* source, REFIID riid, IUnknown* sink) {
        reset();
        ComPtr<ITfSource> tfSource;
        if (source == nullptr ||
            FAILED(source->QueryInterface(IID_ITfSource, tfSource.putVoid())) || !tfSource) {
            return false;
        }
        DWORD cookie = TF_INVALID_COOKIE;
        if (FAILED(tfSource->AdviseSink(riid, sink, &cookie))) {
            return false;
        }
        source_ = tfSource;
        cookie_ = cookie;
        return true;
    }

    void reset() {
        if (source_) {
            source_->UnadviseSink(cookie_);
        }
        source_.reset();
        cookie_ = TF_INVALID_COOKIE;
    }

    bool advised() const { return static_cast<bool>(source_); }

private:
    ComPtr<ITfSource> source_;
    DWORD cookie_ = TF_INVALID_COOKIE;
};

} // namespace revaze::tsf
