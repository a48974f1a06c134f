// The harness's document: an application's text store (ITextStoreACP) over a string and a
// selection, shown in a window of its own. Wine's real context reads and writes it; keys the
// text service lets through reach the window as an application's keys would.
#pragma once

#include <windows.h>

#include <msctf.h>

#include <string>

#include "tests/wine_tsf/com_base.h"
#include "tsf/com_ptr.h"

namespace tsfharness {

class HarnessStore final : public HarnessObject<ITextStoreACP> {
public:
    // Creates the store's window at (x, y), `width` x `height`, titled `title`.
    HarnessStore(const wchar_t* title, int x, int y, int width, int height);
    ~HarnessStore() override;

    HWND window() const { return window_; }
    const std::wstring& text() const { return text_; }
    LONG selectionStart() const { return selStart_; }
    LONG selectionEnd() const { return selEnd_; }
    void clear();

    // The application's own editing, for keys the text service did not take.
    void typeCharacter(wchar_t ch);
    void backspace();

    // Where the window's caret sits (client coordinates).
    static constexpr int kCaretX = 12;
    static constexpr int kCaretY = 14;
    static constexpr int kCaretHeight = 26;

    // ITextStoreACP
    STDMETHODIMP AdviseSink(REFIID riid, IUnknown* sink, DWORD mask) override;
    STDMETHODIMP UnadviseSink(IUnknown* sink) override;
    STDMETHODIMP RequestLock(DWORD flags, HRESULT* session) override;
    STDMETHODIMP GetStatus(TS_STATUS* status) override;
    STDMETHODIMP QueryInsert(LONG start, LONG end, ULONG count, LONG* resultStart,
                             LONG* resultEnd) override;
    STDMETHODIMP GetSelection(ULONG index, ULONG count, TS_SELECTION_ACP* selection,
                              ULONG* fetched) override;
    STDMETHODIMP SetSelection(ULONG count, const TS_SELECTION_ACP* selection) override;
    STDMETHODIMP GetText(LONG start, LONG end, WCHAR* plain, ULONG plainRequested,
                         ULONG* plainReturned, TS_RUNINFO* runs, ULONG runsRequested,
                         ULONG* runsReturned, LONG* next) override;
    STDMETHODIMP SetText(DWORD flags, LONG start, LONG end, const WCHAR* text, ULONG count,
                         TS_TEXTCHANGE* change) override;
    STDMETHODIMP GetFormattedText(LONG, LONG, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP GetEmbedded(LONG, REFGUID, REFIID, IUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP QueryInsertEmbedded(const GUID*, const FORMATETC*, WINBOOL* insertable) override;
    STDMETHODIMP InsertEmbedded(DWORD, LONG, LONG, IDataObject*, TS_TEXTCHANGE*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP InsertTextAtSelection(DWORD flags, const WCHAR* text, ULONG count, LONG* start,
                                       LONG* end, TS_TEXTCHANGE* change) override;
    STDMETHODIMP InsertEmbeddedAtSelection(DWORD, IDataObject*, LONG*, LONG*,
                                           TS_TEXTCHANGE*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP RequestSupportedAttrs(DWORD, ULONG, const TS_ATTRID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP RequestAttrsAtPosition(LONG, ULONG, const TS_ATTRID*, DWORD) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP RequestAttrsTransitioningAtPosition(LONG, ULONG, const TS_ATTRID*,
                                                     DWORD) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP FindNextAttrTransition(LONG, LONG, ULONG, const TS_ATTRID*, DWORD, LONG*, WINBOOL*,
                                        LONG*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP RetrieveRequestedAttrs(ULONG, TS_ATTRVAL*, ULONG* fetched) override;
    STDMETHODIMP GetEndACP(LONG* end) override;
    STDMETHODIMP GetActiveView(TsViewCookie* view) override;
    STDMETHODIMP GetACPFromPoint(TsViewCookie, const POINT*, DWORD, LONG*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetTextExt(TsViewCookie view, LONG start, LONG end, RECT* rect,
                            WINBOOL* clipped) override;
    STDMETHODIMP GetScreenExt(TsViewCookie view, RECT* rect) override;
    STDMETHODIMP GetWnd(TsViewCookie view, HWND* window) override;

private:
    void replace(LONG start, LONG end, const WCHAR* text, ULONG count);
    void changed(LONG start, LONG oldEnd, LONG newEnd);

    HWND window_ = nullptr;
    std::wstring text_;
    LONG selStart_ = 0;
    LONG selEnd_ = 0;
    revaze::tsf::ComPtr<ITextStoreACPSink> sink_;
    DWORD lock_ = 0;    // the lock held now (TS_LF_READ or TS_LF_READWRITE), 0 for none
    DWORD pending_ = 0; // an asynchronous lock to grant when the present one ends
};

// A document over a store, as an application opens one: a document manager of the thread
// manager, a context of `client` over the store, pushed.
struct Document {
    revaze::tsf::ComPtr<HarnessStore> store;
    revaze::tsf::ComPtr<ITfDocumentMgr> manager;
    revaze::tsf::ComPtr<ITfContext> context;
};

Document OpenDocument(ITfThreadMgr* threadMgr, TfClientId client,
                      revaze::tsf::ComPtr<HarnessStore> store);

// Sets the keyboard's open/close compartment of the thread manager (closed is English mode), as
// `client`.
void SetKeyboardOpen(ITfThreadMgr* threadMgr, TfClientId client, LONG open);

} // namespace tsfharness
