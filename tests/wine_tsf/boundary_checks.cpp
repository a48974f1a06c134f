#include "tests/wine_tsf/boundary_checks.h"

#include <windows.h>

#include <msctf.h>
#include <objidl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/com_class.h"
#include "platform/guarded.h"
#include "session/key_event.h"
#include "session/view.h"
#include "tests/wine/harness.h"
#include "tsf/com_ptr.h"

namespace tsfharness {

using harness::check;
using revaze::Chain;
using revaze::ComClass;
using revaze::tsf::ComPtr;

namespace {

struct Census {
    static inline int live = 0;
    static void Created() { ++live; }
    static void Destroyed() { --live; }
};

// Two interfaces, the second answering for its base as well.
class Probe final : public ComClass<Census, ITfEditSession, Chain<IPersistStream, IPersist>> {
public:
    STDMETHODIMP DoEditSession(TfEditCookie) override { return S_OK; }
    STDMETHODIMP GetClassID(CLSID*) override { return E_NOTIMPL; }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(IStream*) override { return E_NOTIMPL; }
    STDMETHODIMP Save(IStream*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
};

// The lines OutputDebugString writes in this process, as its exceptions carry them. Wine raises
// the narrow one; Windows 10 raises the wide one first, and only those are counted then.
constexpr DWORD kDebugPrint = 0x40010006;     // DBG_PRINTEXCEPTION_C
constexpr DWORD kDebugPrintWide = 0x4001000A; // DBG_PRINTEXCEPTION_WIDE_C
std::vector<std::string> g_narrowLines;
std::vector<std::wstring> g_wideLines;

LONG CALLBACK recordDebugLine(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (record.ExceptionCode == kDebugPrint && record.NumberParameters >= 2) {
        g_narrowLines.emplace_back(reinterpret_cast<const char*>(record.ExceptionInformation[1]));
    } else if (record.ExceptionCode == kDebugPrintWide && record.NumberParameters >= 2) {
        g_wideLines.emplace_back(reinterpret_cast<const wchar_t*>(record.ExceptionInformation[1]));
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// The lines written while `run` ran.
template <typename Run> std::vector<std::wstring> debugLinesOf(Run run) {
    g_narrowLines.clear();
    g_wideLines.clear();
    PVOID handler = AddVectoredExceptionHandler(1, recordDebugLine);
    run();
    RemoveVectoredExceptionHandler(handler);
    if (!g_wideLines.empty()) {
        return g_wideLines;
    }
    std::vector<std::wstring> lines;
    for (const std::string& line : g_narrowLines) {
        lines.emplace_back(line.begin(), line.end());
    }
    return lines;
}

bool holds(const std::vector<std::wstring>& lines, const wchar_t* part) {
    return lines.size() == 1 && lines[0].find(part) != std::wstring::npos;
}

} // namespace

void CheckComClass() {
    auto probe = ComPtr<Probe>::adopt(new Probe());
    check(Census::live == 1, "a COM class tells its counter of its birth");
    ComPtr<IUnknown> viaSession;
    ComPtr<IUnknown> viaStream;
    auto session = probe.query<ITfEditSession>();
    auto stream = probe.query<IPersistStream>();
    auto base = probe.query<IPersist>();
    if (session && stream) {
        session->QueryInterface(IID_IUnknown, viaSession.putVoid());
        stream->QueryInterface(IID_IUnknown, viaStream.putVoid());
    }
    check(session.get() == static_cast<ITfEditSession*>(probe.get()) &&
              stream.get() == static_cast<IPersistStream*>(probe.get()) &&
              base.get() == static_cast<IPersist*>(stream.get()),
          "QueryInterface answers each listed interface, and a chained base with its interface");
    check(viaSession && viaSession == viaStream &&
              viaSession.get() == static_cast<IUnknown*>(session.get()),
          "IUnknown is one pointer from every interface: the first one's");
    void* none = &none;
    check(probe->QueryInterface(IID_IClassFactory, &none) == E_NOINTERFACE && none == nullptr &&
              probe->QueryInterface(IID_IUnknown, nullptr) == E_POINTER,
          "an interface not listed: E_NOINTERFACE and a null pointer; no out-parameter: E_POINTER");
    session.reset();
    stream.reset();
    base.reset();
    viaSession.reset();
    viaStream.reset();
    probe.reset();
    check(Census::live == 0, "the last Release deletes the object and tells its counter");
}

void CheckGuardAndTrace() {
    HRESULT answer = S_OK;
    std::vector<std::wstring> lines = debugLinesOf([&] {
        answer = revaze::guarded(E_FAIL, []() -> HRESULT { throw std::runtime_error("probe"); });
    });
    check(answer == E_FAIL && holds(lines, L"CheckGuardAndTrace") && holds(lines, L"probe"),
          "guarded: an exception gives the fallback and one debug line naming the entry point "
          "and the exception (%u lines)",
          static_cast<unsigned>(lines.size()));
    lines = debugLinesOf([&] { revaze::guarded([] { throw 7; }); });
    check(holds(lines, L"not a std::exception"),
          "guarded: anything thrown is stopped, with one line (%u lines)",
          static_cast<unsigned>(lines.size()));
    lines = debugLinesOf([&] { answer = revaze::guarded(E_FAIL, [] { return S_FALSE; }); });
    check(answer == S_FALSE && lines.empty(), "guarded: no exception, the body's answer, no line");

    // The DLL's copy reads the variable on its first key, later: it sees it unset.
    SetEnvironmentVariableW(L"REVAZE_TRACE", L"1");
    revaze::Result result;
    result.taken = true;
    result.view.composing = true;
    result.view.displayLine = L"ka";
    lines = debugLinesOf([&] {
        revaze::TraceKey("probe", revaze::KeyEvent{'K', 'k', false, false, false}, result);
    });
    SetEnvironmentVariableW(L"REVAZE_TRACE", nullptr);
    check(revaze::KeyTraceOn() && holds(lines, L"probe: press 0x4B 'k' -> taken") &&
              holds(lines, L"composing \"ka\""),
          "REVAZE_TRACE=1: a key makes one line with the key, the decision and the view");
}

} // namespace tsfharness
