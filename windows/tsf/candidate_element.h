// The candidate list as a TSF UI element: an application in "UI-less" mode (a full-screen game)
// hides input method windows and draws the candidates itself from what this object answers. It
// follows the session's view (CandidateElementModel) and acts through the text service.
#pragma once

#include <msctf.h>

#include "session/view.h"
#include "tsf/candidate_element_model.h"
#include "tsf/com_object.h"
#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"

namespace revaze::tsf {

// What the element asks of the text service that began it.
class CandidateElementOwner {
public:
    virtual ~CandidateElementOwner() = default;
    // The application moved the selection: the session turns this many pages to show it (none:
    // the application still hears of the move).
    virtual void TurnCandidatePages(int turns) = 0;
    // Commits the candidate `choice` names; false when there is no document to take it.
    virtual bool ChooseCandidate(const CandidateChoice& choice) = 0;
    // Drops the composition and its candidates.
    virtual void AbortCandidates() = 0;
    // Whether Revaze draws its own windows, and the application's say on it.
    virtual bool DrawsCandidates() const = 0;
    virtual void DrawCandidates(bool draw) = 0;
    // The document manager of the document being composed in.
    virtual ComPtr<ITfDocumentMgr> CandidateDocumentMgr() const = 0;
};

class CandidateElement final
    : public ComObject<
          Chain<ITfCandidateListUIElementBehavior, ITfCandidateListUIElement, ITfUIElement>> {
public:
    explicit CandidateElement(CandidateElementOwner* owner) : owner_(owner) {}

    // The candidates are gone: the element, which the application may still hold, answers no
    // more and does nothing.
    void detach() { owner_ = nullptr; }
    // Takes the view the session answered with; true when the application should hear of it.
    bool Follow(const View& view);
    const CandidateElementModel& model() const { return model_; }

    // ITfUIElement
    STDMETHODIMP GetDescription(BSTR* description) override;
    STDMETHODIMP GetGUID(GUID* guid) override;
    STDMETHODIMP Show(BOOL show) override;
    STDMETHODIMP IsShown(BOOL* shown) override;
    // ITfCandidateListUIElement
    STDMETHODIMP GetUpdatedFlags(DWORD* flags) override;
    STDMETHODIMP GetDocumentMgr(ITfDocumentMgr** documentMgr) override;
    STDMETHODIMP GetCount(UINT* count) override;
    STDMETHODIMP GetSelection(UINT* index) override;
    STDMETHODIMP GetString(UINT index, BSTR* text) override;
    STDMETHODIMP GetPageIndex(UINT* starts, UINT size, UINT* pageCount) override;
    STDMETHODIMP SetPageIndex(UINT* starts, UINT pageCount) override;
    STDMETHODIMP GetCurrentPage(UINT* page) override;
    // ITfCandidateListUIElementBehavior
    STDMETHODIMP SetSelection(UINT index) override;
    STDMETHODIMP Finalize() override;
    STDMETHODIMP Abort() override;

private:
    CandidateElementOwner* owner_;
    CandidateElementModel model_;
    // What changed between the last two views the application heard of.
    DWORD updated_ = 0;
};

} // namespace revaze::tsf
