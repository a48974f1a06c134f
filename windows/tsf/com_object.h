// The reference counting every COM object of the text service shares: an object starts with one
// reference (held by whoever created it, see ComPtr::adopt) and deletes itself at the last
// Release. It counts itself in the module, so that DllCanUnloadNow knows when none is left.
#pragma once

#include <windows.h>

#include <atomic>

#include "tsf/dll_module.h"

namespace revaze::tsf {

template <typename... Interfaces> class ComObject : public Interfaces... {
public:
    ComObject() { ObjectCreated(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = interfaceFor(riid);
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
    virtual ~ComObject() { ObjectDestroyed(); }
    // This object as the interface `riid` names; null when it has none. IUnknown must always
    // come back as the same pointer.
    virtual void* interfaceFor(REFIID riid) = 0;

private:
    std::atomic<ULONG> refs_{1};
};

} // namespace revaze::tsf
