// What the text service writes into a document, always inside an edit session: the composed
// text as an inline composition with the input display attribute, rewritten as it changes, and
// the committed text, which ends the composition. A document that offers no composition gets
// its commits at the selection, and the composition stays in Revaze's own window.
#pragma once

#include <msctf.h>

#include <optional>
#include <string>
#include <string_view>

#include "session/commit_sink.h"
#include "session/view.h"
#include "tsf/com_ptr.h"

namespace revaze::tsf {

// Where the text being composed is on the screen, as the document answers.
struct TextExtentAnswer {
    std::optional<RECT> rect;   // empty when the document cannot say
    bool layoutPending = false; // TS_E_NOLAYOUT: it is laying its text out, a layout follows
};

class DocumentWriter {
public:
    // `sink` hears when an application ends the composition (it outlives the writer).
    explicit DocumentWriter(ITfCompositionSink* sink) : sink_(sink) {}

    // The guid atom of the input display attribute; TF_INVALID_GUIDATOM leaves text unmarked.
    void setAttribute(TfGuidAtom atom) { attribute_ = atom; }

    // The calls below run in an edit session on `context` with cookie `ec`.

    // Puts `text` into the document in place of the composed text (or at the selection when the
    // document shows none) and ends the composition. False when the text did not arrive.
    bool Commit(TfEditCookie ec, ITfContext* context, std::wstring_view text);
    // Brings the document's composition in line with the view: started, rewritten or removed.
    void Show(TfEditCookie ec, ITfContext* context, const View& view);
    // The screen rectangle of the composed text, or of the selection without one.
    TextExtentAnswer TextExtent(TfEditCookie ec, ITfContext* context) const;

    // The document shows an inline composition that the view no longer matches.
    bool needsUpdate(const View& view) const;
    bool hasInline() const { return static_cast<bool>(composition_); }
    // The document the text being composed belongs to; empty when nothing is composed.
    ITfContext* context() const { return context_.get(); }
    bool owns(ITfComposition* composition) const;
    // The application has ended the composition: its text stays in the document as it is, and
    // the next commit only takes the display attribute off.
    void terminated() { terminated_ = true; }

private:
    void startComposition(TfEditCookie ec, ITfContext* context);
    void endComposition(TfEditCookie ec);

    ITfCompositionSink* sink_;
    TfGuidAtom attribute_ = 0;
    ComPtr<ITfContext> context_;
    ComPtr<ITfComposition> composition_;
    std::wstring shown_;           // the composition's text in the document
    bool terminated_ = false;      // the application ended composition_
    ComPtr<ITfContext> refusedBy_; // the last document that would not start a composition
};

// The window the application shows the document in; null when it does not say.
HWND DocumentWindow(ITfContext* context);

// Commits into a document inside an edit session.
class DocumentSink final : public CommitSink {
public:
    DocumentSink(DocumentWriter& writer, TfEditCookie ec, ITfContext* context)
        : writer_(writer), ec_(ec), context_(context) {}
    bool Commit(std::wstring_view text) override { return writer_.Commit(ec_, context_, text); }

private:
    DocumentWriter& writer_;
    TfEditCookie ec_;
    ITfContext* context_;
};

} // namespace revaze::tsf
