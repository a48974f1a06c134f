// Reference counting for the harness's own COM objects: a document, a context and its ranges.
#pragma once

#include <windows.h>

#include <unknwn.h>

namespace tsfharness {

template <typename... Interfaces> class HarnessObject : public Interfaces... {
public:
    HarnessObject() = default;
    HarnessObject(const HarnessObject&) = delete;
    HarnessObject& operator=(const HarnessObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = find(riid);
        if (*out == nullptr) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~HarnessObject() = default;
    virtual void* find(REFIID riid) = 0;

private:
    ULONG refs_ = 1;
};

} // namespace tsfharness
