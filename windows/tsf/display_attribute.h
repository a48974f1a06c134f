// The one display attribute of the text service: text being composed is underlined in the
// document's own colours. Applications ask for its description through the provider.
#pragma once

#include <msctf.h>

#include "tsf/com_object.h"

namespace revaze::tsf {

// The attribute as applications draw it.
TF_DISPLAYATTRIBUTE InputAttribute();

class DisplayAttributeInfo final : public ComObject<ITfDisplayAttributeInfo> {
public:
    STDMETHODIMP GetGUID(GUID* guid) override;
    STDMETHODIMP GetDescription(BSTR* description) override;
    STDMETHODIMP GetAttributeInfo(TF_DISPLAYATTRIBUTE* attribute) override;
    STDMETHODIMP SetAttributeInfo(const TF_DISPLAYATTRIBUTE* attribute) override;
    STDMETHODIMP Reset() override;
};

// Lists the attribute: one item.
class DisplayAttributeEnum final : public ComObject<IEnumTfDisplayAttributeInfo> {
public:
    STDMETHODIMP Clone(IEnumTfDisplayAttributeInfo** copy) override;
    STDMETHODIMP Next(ULONG count, ITfDisplayAttributeInfo** infos, ULONG* fetched) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Skip(ULONG count) override;

private:
    ULONG position_ = 0;
};

} // namespace revaze::tsf
