#include "tsf/display_attribute.h"

#include <new>

#include "tsf/com_ptr.h"
#include "tsf/guids.h"

namespace revaze::tsf {

namespace {

constexpr ULONG kAttributeCount = 1;
constexpr wchar_t kDescription[] = L"Revaze composition";

} // namespace

TF_DISPLAYATTRIBUTE InputAttribute() {
    TF_DISPLAYATTRIBUTE attribute{};
    attribute.crText.type = TF_CT_NONE;
    attribute.crBk.type = TF_CT_NONE;
    attribute.lsStyle = TF_LS_SOLID;
    attribute.fBoldLine = FALSE;
    attribute.crLine.type = TF_CT_NONE;
    attribute.bAttr = TF_ATTR_INPUT;
    return attribute;
}

STDMETHODIMP DisplayAttributeInfo::GetGUID(GUID* guid) {
    if (guid == nullptr) {
        return E_INVALIDARG;
    }
    *guid = kInputAttributeGuid;
    return S_OK;
}

STDMETHODIMP DisplayAttributeInfo::GetDescription(BSTR* description) {
    if (description == nullptr) {
        return E_INVALIDARG;
    }
    *description = SysAllocString(kDescription);
    return *description != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP DisplayAttributeInfo::GetAttributeInfo(TF_DISPLAYATTRIBUTE* attribute) {
    if (attribute == nullptr) {
        return E_INVALIDARG;
    }
    *attribute = InputAttribute();
    return S_OK;
}

STDMETHODIMP DisplayAttributeInfo::SetAttributeInfo(const TF_DISPLAYATTRIBUTE*) {
    // The attribute is fixed.
    return E_NOTIMPL;
}

STDMETHODIMP DisplayAttributeInfo::Reset() {
    return S_OK;
}

STDMETHODIMP DisplayAttributeEnum::Clone(IEnumTfDisplayAttributeInfo** copy) {
    if (copy == nullptr) {
        return E_INVALIDARG;
    }
    *copy = nullptr;
    try {
        auto clone = ComPtr<DisplayAttributeEnum>::adopt(new DisplayAttributeEnum());
        clone->position_ = position_;
        *copy = clone.detach();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP DisplayAttributeEnum::Next(ULONG count, ITfDisplayAttributeInfo** infos,
                                        ULONG* fetched) {
    if (infos == nullptr || (count > 1 && fetched == nullptr)) {
        return E_INVALIDARG;
    }
    ULONG given = 0;
    try {
        while (given < count && position_ < kAttributeCount) {
            infos[given] = new DisplayAttributeInfo();
            ++given;
            ++position_;
        }
    } catch (const std::bad_alloc&) {
        for (ULONG i = 0; i < given; ++i) {
            infos[i]->Release();
        }
        return E_OUTOFMEMORY;
    }
    if (fetched != nullptr) {
        *fetched = given;
    }
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP DisplayAttributeEnum::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP DisplayAttributeEnum::Skip(ULONG count) {
    const ULONG left = kAttributeCount - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

} // namespace revaze::tsf
