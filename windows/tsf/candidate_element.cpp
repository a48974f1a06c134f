#include "tsf/candidate_element.h"

#include <oleauto.h>

#include <algorithm>
#include <vector>

#include "platform/guarded.h"
#include "tsf/guids.h"

namespace revaze::tsf {

static_assert(kChangedDocumentMgr == TF_CLUIE_DOCUMENTMGR && kChangedCount == TF_CLUIE_COUNT &&
              kChangedSelection == TF_CLUIE_SELECTION && kChangedStrings == TF_CLUIE_STRING &&
              kChangedPageIndex == TF_CLUIE_PAGEINDEX &&
              kChangedCurrentPage == TF_CLUIE_CURRENTPAGE);

bool CandidateElement::Follow(const View& view) {
    const unsigned changed = model_.Follow(view);
    if (changed == 0) {
        return false;
    }
    updated_ = changed;
    return true;
}

STDMETHODIMP CandidateElement::GetDescription(BSTR* description) {
    if (description == nullptr) {
        return E_INVALIDARG;
    }
    *description = SysAllocString(L"Revaze candidates");
    return *description != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CandidateElement::GetGUID(GUID* guid) {
    if (guid == nullptr) {
        return E_INVALIDARG;
    }
    *guid = kCandidateElementGuid;
    return S_OK;
}

STDMETHODIMP CandidateElement::Show(BOOL show) {
    if (owner_ == nullptr) {
        return E_FAIL;
    }
    return guarded(E_FAIL, [&]() -> HRESULT {
        owner_->DrawCandidates(show != FALSE);
        return S_OK;
    });
}

STDMETHODIMP CandidateElement::IsShown(BOOL* shown) {
    if (shown == nullptr) {
        return E_INVALIDARG;
    }
    *shown = owner_ != nullptr && owner_->DrawsCandidates() ? TRUE : FALSE;
    return S_OK;
}

STDMETHODIMP CandidateElement::GetUpdatedFlags(DWORD* flags) {
    if (flags == nullptr) {
        return E_INVALIDARG;
    }
    *flags = updated_;
    return S_OK;
}

STDMETHODIMP CandidateElement::GetDocumentMgr(ITfDocumentMgr** documentMgr) {
    if (documentMgr == nullptr) {
        return E_INVALIDARG;
    }
    *documentMgr = nullptr;
    if (owner_ == nullptr) {
        return E_FAIL;
    }
    ComPtr<ITfDocumentMgr> manager = owner_->CandidateDocumentMgr();
    return manager ? manager.copyTo(documentMgr) : E_FAIL;
}

STDMETHODIMP CandidateElement::GetCount(UINT* count) {
    if (count == nullptr) {
        return E_INVALIDARG;
    }
    *count = model_.count();
    return S_OK;
}

STDMETHODIMP CandidateElement::GetSelection(UINT* index) {
    if (index == nullptr) {
        return E_INVALIDARG;
    }
    *index = model_.selection();
    return S_OK;
}

STDMETHODIMP CandidateElement::GetString(UINT index, BSTR* text) {
    if (text == nullptr) {
        return E_INVALIDARG;
    }
    *text = nullptr;
    return guarded(E_FAIL, [&]() -> HRESULT {
        const std::optional<std::wstring> candidate = model_.string(index);
        if (!candidate) {
            return E_INVALIDARG;
        }
        *text = SysAllocStringLen(candidate->data(), static_cast<UINT>(candidate->size()));
        return *text != nullptr ? S_OK : E_OUTOFMEMORY;
    });
}

STDMETHODIMP CandidateElement::GetPageIndex(UINT* starts, UINT size, UINT* pageCount) {
    if (pageCount == nullptr) {
        return E_INVALIDARG;
    }
    return guarded(E_FAIL, [&]() -> HRESULT {
        // Without room the application learns how many pages there are.
        const std::vector<unsigned> pages = model_.pageStarts();
        *pageCount = static_cast<UINT>(pages.size());
        for (UINT i = 0; starts != nullptr && i < size && i < pages.size(); ++i) {
            starts[i] = pages[i];
        }
        return S_OK;
    });
}

STDMETHODIMP CandidateElement::SetPageIndex(UINT* starts, UINT pageCount) {
    if (starts == nullptr) {
        return E_INVALIDARG;
    }
    return guarded(E_FAIL, [&]() -> HRESULT {
        // The digit keys choose on the session's pages of five: pages of the application's own
        // would have a digit commit a candidate it does not show. Only those are taken.
        const std::vector<unsigned> pages = model_.pageStarts();
        if (pageCount != pages.size() || !std::equal(pages.begin(), pages.end(), starts,
                                                     [](unsigned a, UINT b) { return a == b; })) {
            return E_NOTIMPL;
        }
        return S_OK;
    });
}

STDMETHODIMP CandidateElement::GetCurrentPage(UINT* page) {
    if (page == nullptr) {
        return E_INVALIDARG;
    }
    *page = model_.currentPage();
    return S_OK;
}

STDMETHODIMP CandidateElement::SetSelection(UINT index) {
    if (owner_ == nullptr) {
        return E_FAIL;
    }
    if (!model_.Select(index)) {
        return E_INVALIDARG;
    }
    return guarded(E_FAIL, [&]() -> HRESULT {
        // The owner may end the element on the way: it lives until the call is done.
        ComPtr<CandidateElement> self(this);
        owner_->TurnCandidatePages(model_.choice().pageTurns);
        return S_OK;
    });
}

STDMETHODIMP CandidateElement::Finalize() {
    if (owner_ == nullptr) {
        return E_FAIL;
    }
    return guarded(E_FAIL, [&]() -> HRESULT {
        ComPtr<CandidateElement> self(this);
        return owner_->ChooseCandidate(model_.choice()) ? S_OK : E_FAIL;
    });
}

STDMETHODIMP CandidateElement::Abort() {
    if (owner_ == nullptr) {
        return E_FAIL;
    }
    return guarded(E_FAIL, [&]() -> HRESULT {
        ComPtr<CandidateElement> self(this);
        owner_->AbortCandidates();
        return S_OK;
    });
}

} // namespace revaze::tsf
