// A context of the harness's own, for what Wine's is missing: compositions (StartComposition is
// a stub there), ranges that read and write (most of Wine's ITfRange is stubbed), the display
// attribute property, a view that knows where its text is (or, like a browser still laying out,
// answers TS_E_NOLAYOUT) and the layout sink. It stands for an application whose document
// supports inline compositions; its window shows the text with the composition underlined. Every
// write checks that it comes inside an edit session the context granted.
#pragma once

#include <windows.h>

#include <msctf.h>

#include <memory>
#include <string>

#include "tests/wine_tsf/com_base.h"
#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"

namespace tsfharness {

struct OwnDocument {
    std::wstring text;
    LONG selStart = 0;
    LONG selEnd = 0;
    // The application's choices: refuse to start compositions (answering with no composition),
    // refuse every write.
    bool refuseCompositions = false;
    bool refuseWrites = false;
    // The text is not laid out yet: GetTextExt answers TS_E_NOLAYOUT.
    bool noLayout = false;

    // The one composition the document shows.
    bool composing = false;
    LONG compStart = 0;
    LONG compEnd = 0;
    int compositionsStarted = 0;
    int compositionsEnded = 0;
    // The display attribute on [attrStart, attrEnd); atom 0 when none is set.
    LONG attrStart = 0;
    LONG attrEnd = 0;
    LONG attrAtom = 0;

    // The cookie of the edit session running now (0 outside one), and calls that wrote or
    // read without one.
    TfEditCookie cookie = 0;
    int callsOutsideSession = 0;
    int editSessions = 0;

    HWND window = nullptr;

    std::wstring compositionText() const { return text.substr(compStart, compEnd - compStart); }
    // The screen rectangle of [start, end) as the window draws it.
    RECT extent(LONG start, LONG end) const;
    void redraw() const;
};

class OwnContext final
    : public HarnessObject<ITfContext, ITfContextComposition, ITfInsertAtSelection, ITfSource> {
public:
    // Creates the document's window at (x, y).
    OwnContext(int x, int y);
    ~OwnContext() override;

    OwnDocument& document() { return *doc_; }
    // The application ends the composition on its own (a click elsewhere): the owner hears it
    // through its composition sink, inside an edit session.
    bool terminateComposition();
    // The application has laid its text out (again): the layout sink hears of it. False when
    // no layout sink is advised.
    bool layoutChanged();
    bool layoutSinkAdvised() const { return static_cast<bool>(layoutSink_); }

    // ITfContext
    STDMETHODIMP RequestEditSession(TfClientId client, ITfEditSession* session, DWORD flags,
                                    HRESULT* result) override;
    STDMETHODIMP InWriteSession(TfClientId, WINBOOL* writing) override;
    STDMETHODIMP GetSelection(TfEditCookie ec, ULONG index, ULONG count, TF_SELECTION* selection,
                              ULONG* fetched) override;
    STDMETHODIMP SetSelection(TfEditCookie ec, ULONG count, const TF_SELECTION* selection) override;
    STDMETHODIMP GetStart(TfEditCookie ec, ITfRange** start) override;
    STDMETHODIMP GetEnd(TfEditCookie ec, ITfRange** end) override;
    STDMETHODIMP GetActiveView(ITfContextView** view) override;
    STDMETHODIMP EnumViews(IEnumTfContextViews**) override { return E_NOTIMPL; }
    STDMETHODIMP GetStatus(TF_STATUS* status) override;
    STDMETHODIMP GetProperty(REFGUID guid, ITfProperty** property) override;
    STDMETHODIMP GetAppProperty(REFGUID, ITfReadOnlyProperty**) override { return E_NOTIMPL; }
    STDMETHODIMP TrackProperties(const GUID**, ULONG, const GUID**, ULONG,
                                 ITfReadOnlyProperty**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP EnumProperties(IEnumTfProperties**) override { return E_NOTIMPL; }
    STDMETHODIMP GetDocumentMgr(ITfDocumentMgr**) override { return E_NOTIMPL; }
    STDMETHODIMP CreateRangeBackup(TfEditCookie, ITfRange*, ITfRangeBackup**) override {
        return E_NOTIMPL;
    }
    // ITfContextComposition
    STDMETHODIMP StartComposition(TfEditCookie ec, ITfRange* range, ITfCompositionSink* sink,
                                  ITfComposition** composition) override;
    STDMETHODIMP EnumCompositions(IEnumITfCompositionView**) override { return E_NOTIMPL; }
    STDMETHODIMP FindComposition(TfEditCookie, ITfRange*, IEnumITfCompositionView**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP TakeOwnership(TfEditCookie, ITfCompositionView*, ITfCompositionSink*,
                               ITfComposition**) override {
        return E_NOTIMPL;
    }
    // ITfInsertAtSelection
    STDMETHODIMP InsertTextAtSelection(TfEditCookie ec, DWORD flags, const WCHAR* text, LONG count,
                                       ITfRange** range) override;
    STDMETHODIMP InsertEmbeddedAtSelection(TfEditCookie, DWORD, IDataObject*, ITfRange**) override {
        return E_NOTIMPL;
    }
    // ITfSource: the layout sink only, one at a time.
    STDMETHODIMP AdviseSink(REFIID riid, IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP UnadviseSink(DWORD cookie) override;

private:
    std::shared_ptr<OwnDocument> doc_;
    revaze::tsf::ComPtr<ITfComposition> composition_; // the one started last
    revaze::tsf::ComPtr<ITfTextLayoutSink> layoutSink_;
    TfEditCookie nextCookie_ = 100;
};

} // namespace tsfharness
