// A class object standing between COM and the DLL's: registered with CoRegisterClassObject for
// Revaze's class, it keeps what it makes, so that a harness reaches the very service Wine's
// thread manager activates (to play the key manager) without changing how it loads.
#pragma once

#include <windows.h>

#include <vector>

#include "tests/wine_tsf/com_base.h"
#include "tsf/com_ptr.h"

namespace tsfharness {

class RecordingFactory final : public HarnessObject<IClassFactory> {
public:
    explicit RecordingFactory(IClassFactory* real) : real_(real) {}
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        const HRESULT hr = real_->CreateInstance(outer, riid, out);
        if (SUCCEEDED(hr) && out != nullptr && *out != nullptr) {
            made.push_back(revaze::tsf::ComPtr<IUnknown>(static_cast<IUnknown*>(*out)));
        }
        return hr;
    }
    STDMETHODIMP LockServer(BOOL lock) override { return real_->LockServer(lock); }
    std::vector<revaze::tsf::ComPtr<IUnknown>> made;

private:
    revaze::tsf::ComPtr<IClassFactory> real_;
};

} // namespace tsfharness
