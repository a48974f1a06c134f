#include "tests/wine_tsf/harness_store.h"

#include <olectl.h>

#include <algorithm>
#include <utility>

#include "tsf/variant.h"

namespace tsfharness {

namespace {

constexpr wchar_t kDocumentClass[] = L"RevazeTsfHarnessDocument";

HFONT documentFont() {
    static HFONT font = CreateFontW(28, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                    0, 0, 0, L"Microsoft Himalaya");
    return font;
}

LRESULT CALLBACK documentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* store = reinterpret_cast<HarnessStore*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (store != nullptr) {
            HGDIOBJ old = SelectObject(dc, documentFont());
            SetBkMode(dc, TRANSPARENT);
            TextOutW(dc, HarnessStore::kCaretX, 8, store->text().c_str(),
                     static_cast<int>(store->text().size()));
            SelectObject(dc, old);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SETFOCUS:
        CreateCaret(window, nullptr, 2, HarnessStore::kCaretHeight);
        SetCaretPos(HarnessStore::kCaretX, HarnessStore::kCaretY);
        ShowCaret(window);
        return 0;
    case WM_KILLFOCUS:
        DestroyCaret();
        return 0;
    case WM_CHAR:
        // An application types what the text service let through.
        if (store != nullptr && wParam >= 0x20 && wParam != 0x7F) {
            store->typeCharacter(static_cast<wchar_t>(wParam));
        }
        return 0;
    case WM_KEYDOWN:
        if (store != nullptr && wParam == VK_BACK) {
            store->backspace();
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

HarnessStore::HarnessStore(const wchar_t* title, int x, int y, int width, int height) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = documentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32513));
    wc.lpszClassName = kDocumentClass;
    RegisterClassW(&wc); // once per process; later calls fail harmlessly
    window_ = CreateWindowExW(0, kDocumentClass, title, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, x,
                              y, width, height, nullptr, nullptr, wc.hInstance, this);
}

HarnessStore::~HarnessStore() {
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void HarnessStore::clear() {
    const auto oldEnd = static_cast<LONG>(text_.size());
    text_.clear();
    selStart_ = selEnd_ = 0;
    changed(0, oldEnd, 0);
}

void HarnessStore::replace(LONG start, LONG end, const WCHAR* text, ULONG count) {
    text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), text,
                  count);
    if (IsWindow(window_)) {
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void HarnessStore::changed(LONG start, LONG oldEnd, LONG newEnd) {
    if (IsWindow(window_)) {
        InvalidateRect(window_, nullptr, TRUE);
    }
    // What an application does after editing its own text outside a lock.
    if (sink_ && lock_ == 0) {
        TS_TEXTCHANGE change{start, oldEnd, newEnd};
        sink_->OnTextChange(0, &change);
        sink_->OnSelectionChange();
    }
}

void HarnessStore::typeCharacter(wchar_t ch) {
    const LONG start = selStart_;
    const LONG oldEnd = selEnd_;
    replace(selStart_, selEnd_, &ch, 1);
    selStart_ = selEnd_ = start + 1;
    changed(start, oldEnd, start + 1);
}

void HarnessStore::backspace() {
    if (selStart_ != selEnd_) {
        const LONG start = selStart_;
        const LONG oldEnd = selEnd_;
        replace(selStart_, selEnd_, L"", 0);
        selEnd_ = selStart_;
        changed(start, oldEnd, start);
    } else if (selStart_ > 0) {
        const LONG start = selStart_ - 1;
        replace(start, selStart_, L"", 0);
        selStart_ = selEnd_ = start;
        changed(start, start + 1, start);
    }
}

STDMETHODIMP HarnessStore::AdviseSink(REFIID riid, IUnknown* sink, DWORD) {
    if (sink == nullptr || riid != IID_ITextStoreACPSink) {
        return E_INVALIDARG;
    }
    if (sink_) {
        return CONNECT_E_ADVISELIMIT;
    }
    return sink->QueryInterface(IID_ITextStoreACPSink, sink_.putVoid());
}

STDMETHODIMP HarnessStore::UnadviseSink(IUnknown*) {
    if (!sink_) {
        return CONNECT_E_NOCONNECTION;
    }
    sink_.reset();
    return S_OK;
}

STDMETHODIMP HarnessStore::RequestLock(DWORD flags, HRESULT* session) {
    if (session == nullptr) {
        return E_INVALIDARG;
    }
    if (!sink_) {
        *session = E_FAIL;
        return E_UNEXPECTED;
    }
    if (lock_ != 0) {
        // Locked already: a synchronous request is refused, an asynchronous one waits.
        if ((flags & TS_LF_SYNC) != 0) {
            *session = TS_E_SYNCHRONOUS;
            return S_OK;
        }
        pending_ = flags;
        *session = TS_S_ASYNC;
        return S_OK;
    }
    revaze::tsf::ComPtr<ITextStoreACPSink> sink = sink_;
    lock_ = flags & TS_LF_READWRITE;
    *session = sink->OnLockGranted(lock_);
    lock_ = 0;
    while (pending_ != 0) {
        lock_ = pending_ & TS_LF_READWRITE;
        pending_ = 0;
        sink->OnLockGranted(lock_);
        lock_ = 0;
    }
    return S_OK;
}

STDMETHODIMP HarnessStore::GetStatus(TS_STATUS* status) {
    if (status == nullptr) {
        return E_INVALIDARG;
    }
    status->dwDynamicFlags = 0;
    status->dwStaticFlags = TS_SS_NOHIDDENTEXT;
    return S_OK;
}

STDMETHODIMP HarnessStore::QueryInsert(LONG start, LONG end, ULONG, LONG* resultStart,
                                       LONG* resultEnd) {
    if (resultStart == nullptr || resultEnd == nullptr) {
        return E_INVALIDARG;
    }
    *resultStart = start;
    *resultEnd = end;
    return S_OK;
}

STDMETHODIMP HarnessStore::GetSelection(ULONG index, ULONG count, TS_SELECTION_ACP* selection,
                                        ULONG* fetched) {
    if (selection == nullptr || fetched == nullptr) {
        return E_INVALIDARG;
    }
    *fetched = 0;
    if (lock_ == 0) {
        return TS_E_NOLOCK;
    }
    if ((index != 0 && index != static_cast<ULONG>(TS_DEFAULT_SELECTION)) || count == 0) {
        return S_OK;
    }
    selection[0].acpStart = selStart_;
    selection[0].acpEnd = selEnd_;
    selection[0].style.ase = TS_AE_END;
    selection[0].style.fInterimChar = FALSE;
    *fetched = 1;
    return S_OK;
}

STDMETHODIMP HarnessStore::SetSelection(ULONG count, const TS_SELECTION_ACP* selection) {
    if (lock_ != TS_LF_READWRITE) {
        return TS_E_NOLOCK;
    }
    if (count != 1 || selection == nullptr) {
        return E_INVALIDARG;
    }
    const auto size = static_cast<LONG>(text_.size());
    if (selection->acpStart < 0 || selection->acpEnd < selection->acpStart ||
        selection->acpEnd > size) {
        return TS_E_INVALIDPOS;
    }
    selStart_ = selection->acpStart;
    selEnd_ = selection->acpEnd;
    return S_OK;
}

STDMETHODIMP HarnessStore::GetText(LONG start, LONG end, WCHAR* plain, ULONG plainRequested,
                                   ULONG* plainReturned, TS_RUNINFO* runs, ULONG runsRequested,
                                   ULONG* runsReturned, LONG* next) {
    if (lock_ == 0) {
        return TS_E_NOLOCK;
    }
    const auto size = static_cast<LONG>(text_.size());
    if (end == -1) {
        end = size;
    }
    if (start < 0 || start > size || end < start || end > size) {
        return TS_E_INVALIDPOS;
    }
    const ULONG length = std::min(static_cast<ULONG>(end - start), plainRequested);
    if (plain != nullptr) {
        text_.copy(plain, length, static_cast<std::size_t>(start));
    }
    if (plainReturned != nullptr) {
        *plainReturned = length;
    }
    if (runs != nullptr && runsRequested > 0) {
        runs[0].uCount = length;
        runs[0].type = TS_RT_PLAIN;
    }
    if (runsReturned != nullptr) {
        *runsReturned = runs != nullptr && runsRequested > 0 ? 1 : 0;
    }
    if (next != nullptr) {
        *next = start + static_cast<LONG>(length);
    }
    return S_OK;
}

STDMETHODIMP HarnessStore::SetText(DWORD, LONG start, LONG end, const WCHAR* text, ULONG count,
                                   TS_TEXTCHANGE* change) {
    if (lock_ != TS_LF_READWRITE) {
        return TS_E_NOLOCK;
    }
    const auto size = static_cast<LONG>(text_.size());
    if (start < 0 || end < start || end > size || (text == nullptr && count != 0)) {
        return TS_E_INVALIDPOS;
    }
    replace(start, end, text, count);
    selStart_ = selEnd_ = start + static_cast<LONG>(count);
    if (change != nullptr) {
        *change = {start, end, start + static_cast<LONG>(count)};
    }
    return S_OK;
}

STDMETHODIMP HarnessStore::QueryInsertEmbedded(const GUID*, const FORMATETC*, WINBOOL* insertable) {
    if (insertable != nullptr) {
        *insertable = FALSE;
    }
    return S_OK;
}

STDMETHODIMP HarnessStore::InsertTextAtSelection(DWORD flags, const WCHAR* text, ULONG count,
                                                 LONG* start, LONG* end, TS_TEXTCHANGE* change) {
    if ((flags & TS_IAS_QUERYONLY) != 0) {
        if (lock_ == 0) {
            return TS_E_NOLOCK;
        }
        if (start != nullptr) {
            *start = selStart_;
        }
        if (end != nullptr) {
            *end = selEnd_;
        }
        return S_OK;
    }
    if (lock_ != TS_LF_READWRITE) {
        return TS_E_NOLOCK;
    }
    if (text == nullptr && count != 0) {
        return E_INVALIDARG;
    }
    const LONG from = selStart_;
    const LONG oldEnd = selEnd_;
    replace(selStart_, selEnd_, text, count);
    // The caret follows the inserted text, as in an edit control.
    selStart_ = selEnd_ = from + static_cast<LONG>(count);
    if (start != nullptr) {
        *start = from;
    }
    if (end != nullptr) {
        *end = selEnd_;
    }
    if (change != nullptr) {
        *change = {from, oldEnd, selEnd_};
    }
    return S_OK;
}

STDMETHODIMP HarnessStore::RetrieveRequestedAttrs(ULONG, TS_ATTRVAL*, ULONG* fetched) {
    if (fetched != nullptr) {
        *fetched = 0;
    }
    return S_OK;
}

STDMETHODIMP HarnessStore::GetEndACP(LONG* end) {
    if (end == nullptr) {
        return E_INVALIDARG;
    }
    if (lock_ == 0) {
        return TS_E_NOLOCK;
    }
    *end = static_cast<LONG>(text_.size());
    return S_OK;
}

STDMETHODIMP HarnessStore::GetActiveView(TsViewCookie* view) {
    if (view == nullptr) {
        return E_INVALIDARG;
    }
    *view = 1;
    return S_OK;
}

STDMETHODIMP HarnessStore::GetTextExt(TsViewCookie, LONG, LONG, RECT* rect, WINBOOL* clipped) {
    if (rect == nullptr || clipped == nullptr) {
        return E_INVALIDARG;
    }
    // Where the caret is: the document knows no more about its layout.
    POINT caret{kCaretX, kCaretY};
    ClientToScreen(window_, &caret);
    *rect = {caret.x, caret.y, caret.x + 2, caret.y + kCaretHeight};
    *clipped = FALSE;
    return S_OK;
}

STDMETHODIMP HarnessStore::GetScreenExt(TsViewCookie, RECT* rect) {
    if (rect == nullptr) {
        return E_INVALIDARG;
    }
    GetWindowRect(window_, rect);
    return S_OK;
}

STDMETHODIMP HarnessStore::GetWnd(TsViewCookie, HWND* window) {
    if (window == nullptr) {
        return E_INVALIDARG;
    }
    *window = window_;
    return S_OK;
}

Document OpenDocument(ITfThreadMgr* threadMgr, TfClientId client,
                      revaze::tsf::ComPtr<HarnessStore> store) {
    Document doc;
    doc.store = std::move(store);
    TfEditCookie cookie = 0;
    threadMgr->CreateDocumentMgr(doc.manager.put());
    if (doc.manager) {
        doc.manager->CreateContext(client, 0, static_cast<ITextStoreACP*>(doc.store.get()),
                                   doc.context.put(), &cookie);
    }
    if (doc.context) {
        doc.manager->Push(doc.context.get());
    }
    return doc;
}

void SetKeyboardOpen(ITfThreadMgr* threadMgr, TfClientId client, LONG open) {
    auto compartments = revaze::tsf::ComPtr<ITfThreadMgr>(threadMgr).query<ITfCompartmentMgr>();
    revaze::tsf::ComPtr<ITfCompartment> compartment;
    if (compartments && SUCCEEDED(compartments->GetCompartment(GUID_COMPARTMENT_KEYBOARD_OPENCLOSE,
                                                               compartment.put()))) {
        compartment->SetValue(client, revaze::tsf::Variant(open).get());
    }
}

} // namespace tsfharness
