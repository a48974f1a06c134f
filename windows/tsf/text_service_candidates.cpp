// The candidate list as a TSF UI element. The thread manager hears when candidates appear
// (BeginUIElement), change (UpdateUIElement) and go (EndUIElement); an application that draws
// them itself answers that Revaze should not, and then none of Revaze's windows shows. Where the
// thread manager has no UI element manager, or would not begin the element (Wine's answers
// E_NOTIMPL), the windows show the candidates as ever.
#include "tsf/edit_session.h"
#include "tsf/text_service.h"

namespace revaze::tsf {

void TextService::followCandidates(const View& view) {
    if (view.candidateList.empty()) {
        elementAsked_ = false;
        endCandidateElement();
        return;
    }
    if (element_) {
        if (element_->Follow(view)) {
            elementMgr_->UpdateUIElement(elementId_);
        }
        return;
    }
    if (!elementAsked_) {
        elementAsked_ = true;
        beginCandidateElement(view);
    }
}

void TextService::beginCandidateElement(const View& view) {
    ComPtr<ITfUIElementMgr> manager =
        threadMgr_ ? threadMgr_.query<ITfUIElementMgr>() : ComPtr<ITfUIElementMgr>();
    if (!manager) {
        return;
    }
    auto element = ComPtr<CandidateElement>::adopt(new CandidateElement(this));
    element->Follow(view);
    // A manager that fails may leave both untouched: only a success says anything.
    BOOL show = TRUE;
    DWORD id = TF_INVALID_UIELEMENTID;
    if (FAILED(manager->BeginUIElement(element.get(), &show, &id))) {
        element->detach();
        return;
    }
    elementMgr_ = manager;
    element_ = element;
    elementId_ = id;
    uiless_ = show == FALSE;
}

void TextService::endCandidateElement() {
    if (!element_) {
        return;
    }
    // Taken off first: the manager may call back while it ends the element.
    ComPtr<CandidateElement> element = std::move(element_);
    ComPtr<ITfUIElementMgr> manager = std::move(elementMgr_);
    element->detach();
    manager->EndUIElement(std::exchange(elementId_, TF_INVALID_UIELEMENTID));
}

void TextService::TurnCandidatePages(int turns) {
    if (!session_) {
        return;
    }
    Result result;
    result.view = session_->view();
    for (; turns > 0; --turns) {
        result = session_->NextPage();
    }
    for (; turns < 0; ++turns) {
        result = session_->PrevPage();
    }
    // With no page turned the application still hears of the selection it moved.
    act(result);
}

bool TextService::ChooseCandidate(const CandidateChoice& choice) {
    if (!session_) {
        return false;
    }
    if (choice.pageTurns != 0) {
        TurnCandidatePages(choice.pageTurns);
    }
    ComPtr<ITfContext> target(writer_.context() != nullptr ? writer_.context()
                                                           : focusedContext().get());
    if (!target) {
        return false;
    }
    ComPtr<TextService> self(this);
    const int number = choice.number;
    RequestEdit(target.get(), clientId_, TF_ES_ASYNCDONTCARE,
                [self, target, number](TfEditCookie ec) {
                    DocumentSink sink(self->writer_, ec, target.get());
                    const Result result = self->session_->SelectCandidate(number, sink);
                    self->writer_.Show(ec, target.get(), result.view);
                    self->apply(result);
                });
    return true;
}

void TextService::AbortCandidates() {
    if (session_) {
        act(session_->Cancel());
    }
}

void TextService::DrawCandidates(bool draw) {
    uiless_ = !draw;
    showWindows(draw);
}

ComPtr<ITfDocumentMgr> TextService::CandidateDocumentMgr() const {
    ComPtr<ITfDocumentMgr> manager;
    if (writer_.context() != nullptr) {
        writer_.context()->GetDocumentMgr(manager.put());
    }
    if (!manager && threadMgr_) {
        threadMgr_->GetFocus(manager.put());
    }
    return manager;
}

} // namespace revaze::tsf
