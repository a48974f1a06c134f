#include "tsf/class_factory.h"

#include <new>

#include "platform/guarded.h"
#include "tsf/com_ptr.h"
#include "tsf/text_service.h"

namespace revaze::tsf {

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    return guarded(E_FAIL, [&] {
        try {
            auto service = ComPtr<TextService>::adopt(new TextService());
            return service->QueryInterface(riid, out);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    });
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    LockModule(lock != FALSE);
    return S_OK;
}

} // namespace revaze::tsf
