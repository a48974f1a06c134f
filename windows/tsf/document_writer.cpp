#include "tsf/document_writer.h"

#include "tsf/tsf_sdk.h"
#include "tsf/variant.h"

namespace revaze::tsf {

namespace {

// Whether the document should show an inline composition for `view`: keys composed in Tibetan.
bool showsComposition(const View& view) {
    return view.composing && view.mode == InputMode::Tibetan;
}

ComPtr<ITfRange> rangeOf(ITfComposition* composition) {
    ComPtr<ITfRange> range;
    if (composition != nullptr) {
        composition->GetRange(range.put());
    }
    return range;
}

bool setText(TfEditCookie ec, ITfRange* range, std::wstring_view text) {
    return SUCCEEDED(range->SetText(ec, 0, text.data(), static_cast<LONG>(text.size())));
}

// The caret goes after `range`. A document that cannot move it keeps its own: the text is in
// either way.
void caretAfter(TfEditCookie ec, ITfContext* context, ITfRange* range) {
    ComPtr<ITfRange> end;
    if (FAILED(range->Clone(end.put())) || !end || FAILED(end->Collapse(ec, TF_ANCHOR_END))) {
        return;
    }
    TF_SELECTION selection{};
    selection.range = end.get();
    selection.style.ase = TF_AE_NONE;
    selection.style.fInterimChar = FALSE;
    context->SetSelection(ec, 1, &selection);
}

ComPtr<ITfProperty> attributeProperty(ITfContext* context) {
    ComPtr<ITfProperty> property;
    context->GetProperty(GUID_PROP_ATTRIBUTE, property.put());
    return property;
}

// Underlines the composed text (the application draws what the attribute describes).
void markComposed(TfEditCookie ec, ITfContext* context, ITfRange* range, TfGuidAtom atom) {
    ComPtr<ITfProperty> property = attributeProperty(context);
    if (!property || atom == TF_INVALID_GUIDATOM) {
        return;
    }
    property->SetValue(ec, range, Variant(static_cast<LONG>(atom)).get());
}

void unmark(TfEditCookie ec, ITfContext* context, ITfRange* range) {
    if (ComPtr<ITfProperty> property = attributeProperty(context)) {
        property->Clear(ec, range);
    }
}

bool writeAtSelection(TfEditCookie ec, ITfContext* context, std::wstring_view text) {
    auto insert = ComPtr<ITfContext>(context).query<ITfInsertAtSelection>();
    if (!insert) {
        return false;
    }
    // A range must be asked for even when unused: some implementations write through it.
    ComPtr<ITfRange> range;
    if (FAILED(insert->InsertTextAtSelection(ec, 0, text.data(), static_cast<LONG>(text.size()),
                                             range.put()))) {
        return false;
    }
    if (range) {
        caretAfter(ec, context, range.get());
    }
    return true;
}

bool sameObject(IUnknown* a, IUnknown* b) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    ComPtr<IUnknown> ua;
    ComPtr<IUnknown> ub;
    a->QueryInterface(IID_IUnknown, ua.putVoid());
    b->QueryInterface(IID_IUnknown, ub.putVoid());
    return ua && ua == ub;
}

} // namespace

bool DocumentWriter::Commit(TfEditCookie ec, ITfContext* context, std::wstring_view text) {
    if (composition_ && context_.get() == context) {
        ComPtr<ITfRange> range = rangeOf(composition_.get());
        if (!range) {
            return false;
        }
        // An ended composition already shows its text; only a different text is written.
        if ((!terminated_ || shown_ != text) && !setText(ec, range.get(), text)) {
            return false;
        }
        unmark(ec, context, range.get());
        caretAfter(ec, context, range.get());
        endComposition(ec);
        return true;
    }
    return writeAtSelection(ec, context, text);
}

void DocumentWriter::Show(TfEditCookie ec, ITfContext* context, const View& view) {
    const bool composing = showsComposition(view);
    if (composition_ && (context_.get() != context || terminated_)) {
        // Ended by the application or left in another document: not ours to write any more.
        composition_.reset();
        shown_.clear();
        terminated_ = false;
    }
    if (!composing) {
        if (composition_) {
            // The keys were dropped (Escape, Backspace over the last one, a mode switch).
            if (ComPtr<ITfRange> range = rangeOf(composition_.get())) {
                setText(ec, range.get(), L"");
            }
            endComposition(ec);
        }
        context_.reset();
        return;
    }
    context_ = ComPtr<ITfContext>(context);
    if (!composition_ && !view.composedText.empty() && refusedBy_.get() != context) {
        startComposition(ec, context);
    }
    if (composition_ && shown_ != view.composedText) {
        ComPtr<ITfRange> range = rangeOf(composition_.get());
        if (range && setText(ec, range.get(), view.composedText)) {
            shown_ = view.composedText;
            markComposed(ec, context, range.get(), attribute_);
            caretAfter(ec, context, range.get());
        }
    }
}

TextExtentAnswer DocumentWriter::TextExtent(TfEditCookie ec, ITfContext* context) const {
    ComPtr<ITfContextView> view;
    if (FAILED(context->GetActiveView(view.put())) || !view) {
        return {};
    }
    ComPtr<ITfRange> range;
    if (composition_ && context_.get() == context) {
        range = rangeOf(composition_.get());
    } else {
        TF_SELECTION selection{};
        ULONG fetched = 0;
        if (SUCCEEDED(context->GetSelection(ec, TF_DEFAULT_SELECTION, 1, &selection, &fetched)) &&
            fetched == 1) {
            range = ComPtr<ITfRange>::adopt(selection.range);
        }
    }
    if (!range) {
        return {};
    }
    RECT extent{};
    BOOL clipped = FALSE;
    const HRESULT answer = view->GetTextExt(ec, range.get(), &extent, &clipped);
    if (answer == TS_E_NOLAYOUT) {
        return {std::nullopt, true};
    }
    // Some documents answer with an empty rectangle when they do not know.
    if (FAILED(answer) ||
        (extent.left == 0 && extent.top == 0 && extent.right == 0 && extent.bottom == 0)) {
        return {};
    }
    return {extent, false};
}

HWND DocumentWindow(ITfContext* context) {
    ComPtr<ITfContextView> view;
    HWND window = nullptr;
    if (context != nullptr && SUCCEEDED(context->GetActiveView(view.put())) && view &&
        SUCCEEDED(view->GetWnd(&window))) {
        return window;
    }
    return nullptr;
}

bool DocumentWriter::needsUpdate(const View& view) const {
    if (!composition_) {
        return false;
    }
    return !showsComposition(view) || view.composedText != shown_;
}

bool DocumentWriter::owns(ITfComposition* composition) const {
    return sameObject(composition_.get(), composition);
}

void DocumentWriter::startComposition(TfEditCookie ec, ITfContext* context) {
    ComPtr<ITfContext> document(context);
    auto compositions = document.query<ITfContextComposition>();
    auto insert = document.query<ITfInsertAtSelection>();
    ComPtr<ITfRange> at;
    if (compositions && insert &&
        SUCCEEDED(insert->InsertTextAtSelection(ec, TF_IAS_QUERYONLY, nullptr, 0, at.put())) &&
        at) {
        ComPtr<ITfComposition> composition;
        if (SUCCEEDED(compositions->StartComposition(ec, at.get(), sink_, composition.put())) &&
            composition) {
            composition_ = composition;
            shown_.clear();
            terminated_ = false;
            return;
        }
    }
    // Not asked again until the keys go to another document.
    refusedBy_ = document;
}

void DocumentWriter::endComposition(TfEditCookie ec) {
    if (composition_ && !terminated_) {
        composition_->EndComposition(ec);
    }
    composition_.reset();
    shown_.clear();
    terminated_ = false;
}

} // namespace revaze::tsf
