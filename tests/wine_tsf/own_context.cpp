#include "tests/wine_tsf/own_context.h"

#include <olectl.h>

#include <cwchar>

// Lets the context recognise its own ranges among the interface pointers it is handed: only they
// answer this interface identifier.
struct OwnRangeMark;
__CRT_UUID_DECL(OwnRangeMark, 0x6c1d2a4e, 0x55b2, 0x4f0e, 0x9a, 0x31, 0x0b, 0x7e, 0x42, 0x18, 0xc9,
                0x5d)

namespace tsfharness {

using revaze::Chain;
using revaze::tsf::ComPtr;

namespace {

constexpr wchar_t kOwnDocumentClass[] = L"RevazeTsfHarnessOwnDocument";
constexpr int kTextLeft = 12;
constexpr int kTextTop = 8;
constexpr int kLineHeight = 30;

HFONT ownFont() {
    static HFONT font = CreateFontW(28, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                                    0, 0, 0, L"Microsoft Himalaya");
    return font;
}

bool inSession(OwnDocument& doc, TfEditCookie ec) {
    if (doc.cookie == 0 || ec != doc.cookie) {
        ++doc.callsOutsideSession;
        return false;
    }
    return true;
}

// Where a position moves when [start, end) is replaced by `count` characters.
LONG moved(LONG position, LONG start, LONG end, LONG count, bool isEnd) {
    if (position > end || (position == end && (isEnd || end > start))) {
        return position + count - (end - start);
    }
    if (position > start) {
        return start + count;
    }
    return position;
}

void replaceText(OwnDocument& doc, LONG start, LONG end, const WCHAR* text, LONG count) {
    doc.text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), text,
                     static_cast<std::size_t>(count));
    if (doc.composing) {
        const bool inside = start >= doc.compStart && end <= doc.compEnd;
        doc.compEnd = inside ? doc.compEnd + count - (end - start)
                             : moved(doc.compEnd, start, end, count, true);
        doc.compStart = inside ? doc.compStart : moved(doc.compStart, start, end, count, false);
    }
    if (doc.attrAtom != 0) {
        doc.attrStart = moved(doc.attrStart, start, end, count, false);
        doc.attrEnd = moved(doc.attrEnd, start, end, count, true);
    }
    doc.selStart = moved(doc.selStart, start, end, count, false);
    doc.selEnd = moved(doc.selEnd, start, end, count, true);
    doc.redraw();
}

class OwnRange final : public HarnessObject<Chain<ITfRange, OwnRangeMark>> {
public:
    OwnRange(std::shared_ptr<OwnDocument> doc, ITfContext* context, LONG start, LONG end)
        : doc_(std::move(doc)), context_(context), start_(start), end_(end) {}

    LONG start() const { return start_; }
    LONG end() const { return end_; }

    STDMETHODIMP GetText(TfEditCookie ec, DWORD, WCHAR* text, ULONG max, ULONG* count) override {
        if (!inSession(*doc_, ec)) {
            return TF_E_NOLOCK;
        }
        const ULONG length = std::min<ULONG>(static_cast<ULONG>(end_ - start_), max);
        if (text != nullptr) {
            doc_->text.copy(text, length, static_cast<std::size_t>(start_));
        }
        if (count != nullptr) {
            *count = length;
        }
        return S_OK;
    }
    STDMETHODIMP SetText(TfEditCookie ec, DWORD, const WCHAR* text, LONG count) override {
        if (!inSession(*doc_, ec)) {
            return TF_E_NOLOCK;
        }
        if (doc_->refuseWrites) {
            return TS_E_READONLY;
        }
        if (count < 0) {
            count = text != nullptr ? static_cast<LONG>(std::wcslen(text)) : 0;
        }
        replaceText(*doc_, start_, end_, text, count);
        end_ = start_ + count;
        return S_OK;
    }
    STDMETHODIMP GetFormattedText(TfEditCookie, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP GetEmbedded(TfEditCookie, REFGUID, REFIID, IUnknown**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP InsertEmbedded(TfEditCookie, DWORD, IDataObject*) override { return E_NOTIMPL; }
    STDMETHODIMP ShiftStart(TfEditCookie, LONG, LONG*, const TF_HALTCOND*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP ShiftEnd(TfEditCookie, LONG, LONG*, const TF_HALTCOND*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP ShiftStartToRange(TfEditCookie ec, ITfRange* range, TfAnchor anchor) override;
    STDMETHODIMP ShiftEndToRange(TfEditCookie ec, ITfRange* range, TfAnchor anchor) override;
    STDMETHODIMP ShiftStartRegion(TfEditCookie, TfShiftDir, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP ShiftEndRegion(TfEditCookie, TfShiftDir, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP IsEmpty(TfEditCookie ec, WINBOOL* empty) override {
        if (!inSession(*doc_, ec)) {
            return TF_E_NOLOCK;
        }
        *empty = start_ == end_;
        return S_OK;
    }
    STDMETHODIMP Collapse(TfEditCookie ec, TfAnchor anchor) override {
        if (!inSession(*doc_, ec)) {
            return TF_E_NOLOCK;
        }
        if (anchor == TF_ANCHOR_END) {
            start_ = end_;
        } else {
            end_ = start_;
        }
        return S_OK;
    }
    STDMETHODIMP IsEqualStart(TfEditCookie, ITfRange*, TfAnchor, WINBOOL*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP IsEqualEnd(TfEditCookie, ITfRange*, TfAnchor, WINBOOL*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP CompareStart(TfEditCookie, ITfRange*, TfAnchor, LONG*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP CompareEnd(TfEditCookie, ITfRange*, TfAnchor, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP AdjustForInsert(TfEditCookie, ULONG, WINBOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetGravity(TfGravity*, TfGravity*) override { return E_NOTIMPL; }
    STDMETHODIMP SetGravity(TfEditCookie, TfGravity, TfGravity) override { return E_NOTIMPL; }
    STDMETHODIMP Clone(ITfRange** clone) override {
        if (clone == nullptr) {
            return E_INVALIDARG;
        }
        *clone = new OwnRange(doc_, context_, start_, end_);
        return S_OK;
    }
    STDMETHODIMP GetContext(ITfContext** context) override {
        if (context == nullptr) {
            return E_INVALIDARG;
        }
        *context = context_;
        context_->AddRef();
        return S_OK;
    }

private:
    std::shared_ptr<OwnDocument> doc_;
    ITfContext* context_; // the context outlives the ranges it hands out in the harness
    LONG start_;
    LONG end_;
};

// The harness's range behind an interface pointer the text service hands back; null for any
// other (the service mixing in ranges of another document is a fault the checks catch).
OwnRange* ownRange(ITfRange* range) {
    ComPtr<ITfRange> own;
    if (range == nullptr || FAILED(range->QueryInterface(__uuidof(OwnRangeMark), own.putVoid()))) {
        return nullptr;
    }
    return static_cast<OwnRange*>(own.get());
}

STDMETHODIMP OwnRange::ShiftStartToRange(TfEditCookie ec, ITfRange* range, TfAnchor anchor) {
    OwnRange* other = ownRange(range);
    if (!inSession(*doc_, ec) || other == nullptr) {
        return E_INVALIDARG;
    }
    start_ = anchor == TF_ANCHOR_END ? other->end() : other->start();
    end_ = std::max(end_, start_);
    return S_OK;
}

STDMETHODIMP OwnRange::ShiftEndToRange(TfEditCookie ec, ITfRange* range, TfAnchor anchor) {
    OwnRange* other = ownRange(range);
    if (!inSession(*doc_, ec) || other == nullptr) {
        return E_INVALIDARG;
    }
    end_ = anchor == TF_ANCHOR_END ? other->end() : other->start();
    start_ = std::min(start_, end_);
    return S_OK;
}

} // namespace

// The composition: it reads its range from the document, which moves it as text changes.
class OwnComposition final : public HarnessObject<ITfComposition> {
public:
    OwnComposition(std::shared_ptr<OwnDocument> doc, ITfContext* context, ITfCompositionSink* sink)
        : doc_(std::move(doc)), context_(context), sink_(sink) {}

    void terminate(TfEditCookie ec) {
        if (ended_) {
            return;
        }
        ComPtr<ITfCompositionSink> sink = sink_;
        if (sink) {
            sink->OnCompositionTerminated(ec, this);
        }
        finish();
    }

    STDMETHODIMP GetRange(ITfRange** range) override {
        if (range == nullptr) {
            return E_INVALIDARG;
        }
        *range = new OwnRange(doc_, context_, doc_->compStart, doc_->compEnd);
        return S_OK;
    }
    STDMETHODIMP ShiftStart(TfEditCookie ec, ITfRange* start) override {
        OwnRange* range = ownRange(start);
        if (!inSession(*doc_, ec) || range == nullptr) {
            return E_INVALIDARG;
        }
        doc_->compStart = range->start();
        return S_OK;
    }
    STDMETHODIMP ShiftEnd(TfEditCookie ec, ITfRange* end) override {
        OwnRange* range = ownRange(end);
        if (!inSession(*doc_, ec) || range == nullptr) {
            return E_INVALIDARG;
        }
        doc_->compEnd = range->end();
        return S_OK;
    }
    STDMETHODIMP EndComposition(TfEditCookie ec) override {
        if (!inSession(*doc_, ec)) {
            return TF_E_NOLOCK;
        }
        if (ended_) {
            return E_UNEXPECTED;
        }
        finish();
        return S_OK;
    }

private:
    void finish() {
        ended_ = true;
        doc_->composing = false;
        ++doc_->compositionsEnded;
        sink_.reset();
        doc_->redraw();
    }

    std::shared_ptr<OwnDocument> doc_;
    ITfContext* context_;
    ComPtr<ITfCompositionSink> sink_;
    bool ended_ = false;
};

namespace {

class OwnProperty final : public HarnessObject<Chain<ITfProperty, ITfReadOnlyProperty>> {
public:
    OwnProperty(std::shared_ptr<OwnDocument> doc, ITfContext* context)
        : doc_(std::move(doc)), context_(context) {}

    STDMETHODIMP GetType(GUID* guid) override {
        *guid = GUID_PROP_ATTRIBUTE;
        return S_OK;
    }
    STDMETHODIMP EnumRanges(TfEditCookie, IEnumTfRanges**, ITfRange*) override { return E_NOTIMPL; }
    STDMETHODIMP GetValue(TfEditCookie ec, ITfRange*, VARIANT* value) override {
        if (!inSession(*doc_, ec) || value == nullptr) {
            return E_INVALIDARG;
        }
        VariantInit(value);
        if (doc_->attrAtom != 0) {
            value->vt = VT_I4;
            value->lVal = doc_->attrAtom;
        }
        return S_OK;
    }
    STDMETHODIMP GetContext(ITfContext** context) override {
        *context = context_;
        context_->AddRef();
        return S_OK;
    }
    STDMETHODIMP FindRange(TfEditCookie, ITfRange*, ITfRange**, TfAnchor) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP SetValueStore(TfEditCookie, ITfRange*, ITfPropertyStore*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP SetValue(TfEditCookie ec, ITfRange* range, const VARIANT* value) override {
        OwnRange* own = ownRange(range);
        if (!inSession(*doc_, ec) || own == nullptr || value == nullptr || value->vt != VT_I4) {
            return E_INVALIDARG;
        }
        doc_->attrStart = own->start();
        doc_->attrEnd = own->end();
        doc_->attrAtom = value->lVal;
        doc_->redraw();
        return S_OK;
    }
    STDMETHODIMP Clear(TfEditCookie ec, ITfRange* range) override {
        if (!inSession(*doc_, ec) || (range != nullptr && ownRange(range) == nullptr)) {
            return E_INVALIDARG;
        }
        doc_->attrAtom = 0;
        doc_->attrStart = doc_->attrEnd = 0;
        doc_->redraw();
        return S_OK;
    }

private:
    std::shared_ptr<OwnDocument> doc_;
    ITfContext* context_;
};

class OwnView final : public HarnessObject<ITfContextView> {
public:
    explicit OwnView(std::shared_ptr<OwnDocument> doc) : doc_(std::move(doc)) {}

    STDMETHODIMP GetRangeFromPoint(TfEditCookie, const POINT*, DWORD, ITfRange**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetTextExt(TfEditCookie ec, ITfRange* range, RECT* rect,
                            WINBOOL* clipped) override {
        OwnRange* own = ownRange(range);
        if (!inSession(*doc_, ec) || own == nullptr || rect == nullptr || clipped == nullptr) {
            return E_INVALIDARG;
        }
        if (doc_->noLayout) {
            return TS_E_NOLAYOUT;
        }
        *rect = doc_->extent(own->start(), own->end());
        *clipped = FALSE;
        return S_OK;
    }
    STDMETHODIMP GetScreenExt(RECT* rect) override {
        GetWindowRect(doc_->window, rect);
        return S_OK;
    }
    STDMETHODIMP GetWnd(HWND* window) override {
        *window = doc_->window;
        return S_OK;
    }

private:
    std::shared_ptr<OwnDocument> doc_;
};

LRESULT CALLBACK ownDocumentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* doc = reinterpret_cast<OwnDocument*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_PAINT || doc == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ old = SelectObject(dc, ownFont());
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, kTextLeft, kTextTop, doc->text.c_str(), static_cast<int>(doc->text.size()));
    if (doc->attrAtom != 0 && doc->attrEnd > doc->attrStart) {
        // What an application draws for the input attribute: a solid underline.
        RECT line = doc->extent(doc->attrStart, doc->attrEnd);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&line), 2);
        line.top = line.bottom - 2;
        HBRUSH red = CreateSolidBrush(RGB(200, 0, 45));
        FillRect(dc, &line, red);
        DeleteObject(red);
    }
    SelectObject(dc, old);
    EndPaint(window, &paint);
    return 0;
}

} // namespace

RECT OwnDocument::extent(LONG start, LONG end) const {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, ownFont());
    auto width = [&](LONG count) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), count, &size);
        return static_cast<int>(size.cx);
    };
    RECT rect{kTextLeft + width(start), kTextTop, kTextLeft + width(end), kTextTop + kLineHeight};
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void OwnDocument::redraw() const {
    if (IsWindow(window)) {
        InvalidateRect(window, nullptr, TRUE);
    }
}

OwnContext::OwnContext(int x, int y) : doc_(std::make_shared<OwnDocument>()) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ownDocumentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kOwnDocumentClass;
    RegisterClassW(&wc);
    doc_->window = CreateWindowExW(0, kOwnDocumentClass, L"Inline composition",
                                   WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, x, y, 420, 90, nullptr,
                                   nullptr, wc.hInstance, doc_.get());
}

OwnContext::~OwnContext() {
    if (IsWindow(doc_->window)) {
        SetWindowLongPtrW(doc_->window, GWLP_USERDATA, 0);
        DestroyWindow(doc_->window);
    }
}

constexpr DWORD kLayoutCookie = 7;

STDMETHODIMP OwnContext::AdviseSink(REFIID riid, IUnknown* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) {
        return E_INVALIDARG;
    }
    if (riid != __uuidof(ITfTextLayoutSink)) {
        return CONNECT_E_CANNOTCONNECT;
    }
    if (layoutSink_) {
        return CONNECT_E_ADVISELIMIT;
    }
    if (FAILED(sink->QueryInterface(__uuidof(ITfTextLayoutSink), layoutSink_.putVoid()))) {
        return E_INVALIDARG;
    }
    *cookie = kLayoutCookie;
    return S_OK;
}

STDMETHODIMP OwnContext::UnadviseSink(DWORD cookie) {
    if (cookie != kLayoutCookie || !layoutSink_) {
        return CONNECT_E_NOCONNECTION;
    }
    layoutSink_.reset();
    return S_OK;
}

bool OwnContext::layoutChanged() {
    if (!layoutSink_) {
        return false;
    }
    auto view = ComPtr<ITfContextView>::adopt(new OwnView(doc_));
    ComPtr<ITfTextLayoutSink> sink = layoutSink_;
    sink->OnLayoutChange(this, TF_LC_CHANGE, view.get());
    return true;
}

bool OwnContext::terminateComposition() {
    if (!doc_->composing || !composition_) {
        return false;
    }
    doc_->cookie = nextCookie_++;
    static_cast<OwnComposition*>(composition_.get())->terminate(doc_->cookie);
    doc_->cookie = 0;
    return true;
}

STDMETHODIMP OwnContext::RequestEditSession(TfClientId, ITfEditSession* session, DWORD,
                                            HRESULT* result) {
    if (session == nullptr || result == nullptr) {
        return E_INVALIDARG;
    }
    // Granted at once, as an application does when it holds no lock itself.
    const TfEditCookie outer = doc_->cookie;
    doc_->cookie = nextCookie_++;
    ++doc_->editSessions;
    *result = session->DoEditSession(doc_->cookie);
    doc_->cookie = outer;
    return S_OK;
}

STDMETHODIMP OwnContext::InWriteSession(TfClientId, WINBOOL* writing) {
    *writing = doc_->cookie != 0;
    return S_OK;
}

STDMETHODIMP OwnContext::GetSelection(TfEditCookie ec, ULONG, ULONG count, TF_SELECTION* selection,
                                      ULONG* fetched) {
    if (!inSession(*doc_, ec)) {
        return TF_E_NOLOCK;
    }
    if (selection == nullptr || fetched == nullptr || count == 0) {
        return E_INVALIDARG;
    }
    selection[0].range = new OwnRange(doc_, this, doc_->selStart, doc_->selEnd);
    selection[0].style.ase = TF_AE_END;
    selection[0].style.fInterimChar = FALSE;
    *fetched = 1;
    return S_OK;
}

STDMETHODIMP OwnContext::SetSelection(TfEditCookie ec, ULONG count, const TF_SELECTION* selection) {
    if (!inSession(*doc_, ec)) {
        return TF_E_NOLOCK;
    }
    OwnRange* range = count == 1 && selection != nullptr ? ownRange(selection[0].range) : nullptr;
    if (range == nullptr) {
        return E_INVALIDARG;
    }
    doc_->selStart = range->start();
    doc_->selEnd = range->end();
    return S_OK;
}

STDMETHODIMP OwnContext::GetStart(TfEditCookie ec, ITfRange** start) {
    if (!inSession(*doc_, ec)) {
        return TF_E_NOLOCK;
    }
    *start = new OwnRange(doc_, this, 0, 0);
    return S_OK;
}

STDMETHODIMP OwnContext::GetEnd(TfEditCookie ec, ITfRange** end) {
    if (!inSession(*doc_, ec)) {
        return TF_E_NOLOCK;
    }
    const auto size = static_cast<LONG>(doc_->text.size());
    *end = new OwnRange(doc_, this, size, size);
    return S_OK;
}

STDMETHODIMP OwnContext::GetActiveView(ITfContextView** view) {
    if (view == nullptr) {
        return E_INVALIDARG;
    }
    *view = new OwnView(doc_);
    return S_OK;
}

STDMETHODIMP OwnContext::GetStatus(TF_STATUS* status) {
    if (status == nullptr) {
        return E_INVALIDARG;
    }
    status->dwDynamicFlags = doc_->refuseWrites ? TF_SD_READONLY : 0;
    status->dwStaticFlags = 0;
    return S_OK;
}

STDMETHODIMP OwnContext::GetProperty(REFGUID guid, ITfProperty** property) {
    if (property == nullptr) {
        return E_INVALIDARG;
    }
    *property = nullptr;
    if (guid != GUID_PROP_ATTRIBUTE) {
        return E_NOTIMPL;
    }
    *property = new OwnProperty(doc_, this);
    return S_OK;
}

STDMETHODIMP OwnContext::StartComposition(TfEditCookie ec, ITfRange* range,
                                          ITfCompositionSink* sink, ITfComposition** composition) {
    if (composition == nullptr) {
        return E_INVALIDARG;
    }
    *composition = nullptr;
    OwnRange* at = ownRange(range);
    if (!inSession(*doc_, ec) || at == nullptr) {
        return E_INVALIDARG;
    }
    if (doc_->refuseCompositions) {
        // The application's answer for "no composition here": success and none.
        return S_OK;
    }
    doc_->composing = true;
    doc_->compStart = at->start();
    doc_->compEnd = at->end();
    ++doc_->compositionsStarted;
    composition_ = ComPtr<ITfComposition>::adopt(new OwnComposition(doc_, this, sink));
    return composition_.copyTo(composition);
}

STDMETHODIMP OwnContext::InsertTextAtSelection(TfEditCookie ec, DWORD flags, const WCHAR* text,
                                               LONG count, ITfRange** range) {
    if (!inSession(*doc_, ec)) {
        return TF_E_NOLOCK;
    }
    if (range != nullptr) {
        *range = nullptr;
    }
    if ((flags & TF_IAS_QUERYONLY) != 0) {
        if (range != nullptr) {
            *range = new OwnRange(doc_, this, doc_->selStart, doc_->selEnd);
        }
        return S_OK;
    }
    if (doc_->refuseWrites) {
        return TS_E_READONLY;
    }
    if (count < 0) {
        count = text != nullptr ? static_cast<LONG>(std::wcslen(text)) : 0;
    }
    const LONG start = doc_->selStart;
    replaceText(*doc_, doc_->selStart, doc_->selEnd, text, count);
    doc_->selStart = doc_->selEnd = start + count;
    if (range != nullptr) {
        *range = new OwnRange(doc_, this, start, start + count);
    }
    return S_OK;
}

} // namespace tsfharness
