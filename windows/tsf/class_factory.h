// The class object DllGetClassObject hands out: it makes text services.
#pragma once

#include "tsf/com_object.h"

namespace revaze::tsf {

class ClassFactory final : public ComObject<IClassFactory> {
public:
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;
};

} // namespace revaze::tsf
