// RevazeTip.dll under Wine's real msctf: regsvr32 registration read back from the registry, the
// COM server's objects and unload rules, activation by the real thread manager through the
// Tibetan language profile, and typing into documents: one of the harness's own behind Wine's
// real context (no composition services there: commits at the selection, the composition in
// Revaze's window), and contexts of the harness's own where Wine's are stubs (inline
// compositions, ranges, display attributes, a composition the application ends), and an
// application that draws the candidates itself from the service's UI element. Wine never routes
// keys to a text service, so the harness plays TSF's key manager (key_route.h).
//
//     tsf_harness.exe <Revaze.ime beside RevazeTip.dll> <artifacts folder>
//
// Run it with a Tibetan locale (LC_ALL=bo_CN.UTF-8): Wine activates a language profile only for
// the user's default language.
#include "tests/wine/accessibility_checks.h"
#include "tests/wine/harness.h"
#include "tests/wine/late_create.h"

#include <msctf.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "layouts/soft_keyboard_tables.h"
#include "tests/wine_tsf/boundary_checks.h"
#include "tests/wine_tsf/com_base.h"
#include "tests/wine_tsf/configure_checks.h"
#include "tests/wine_tsf/expected_ids.h"
#include "tests/wine_tsf/harness_store.h"
#include "tests/wine_tsf/key_route.h"
#include "tests/wine_tsf/lang_bar_host.h"
#include "tests/wine_tsf/own_context.h"
#include "tests/wine_tsf/recording_factory.h"
#include "tests/wine_tsf/registration_checks.h"
#include "tests/wine_tsf/ui_element_checks.h"
#include "tsf/com_ptr.h"
#include "tsf/tsf_sdk.h"
#include "tsf/variant.h"

using namespace harness;
using namespace tsfharness;
using revaze::tsf::ComPtr;

namespace {

// The grey level of an icon's pixel (x, x) from its top left corner, or -1 without a picture.
int iconCornerGrey(HICON icon, int x) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return -1;
    }
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, 0, nullptr, &header, DIB_RGB_COLORS);
    const int w = header.bmiHeader.biWidth;
    const int h = std::abs(header.bmiHeader.biHeight);
    header.bmiHeader.biHeight = -h;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    const bool read =
        w > x && h > x &&
        GetDIBits(screen, info.hbmColor, 0, h, pixels.data(), &header, DIB_RGB_COLORS) == h;
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (!read) {
        return -1;
    }
    const DWORD p = pixels[static_cast<size_t>(x) * w + x];
    return static_cast<int>(((p >> 16 & 0xFF) * 30 + (p >> 8 & 0xFF) * 59 + (p & 0xFF) * 11) / 100);
}

const GUID kInputAttribute = {
    0xa3d5ea2f, 0xdd96, 0x496d, {0x9a, 0x76, 0x2d, 0x2f, 0x25, 0x70, 0x46, 0x51}};

// What the text service types, worked out with the revaze tool on the test dictionary.
const std::wstring kBkra = L"\u0F56\u0F40\u0FB2";
const std::wstring kKa = L"\u0F40";
const std::wstring kKha = L"\u0F41";
const std::wstring kShis = L"\u0F64\u0F72\u0F66";
const std::wstring kTsheg = L"\u0F0B";
const std::wstring kPa = L"\u0F54";                      // soft keyboard page 1, key K
const std::wstring kDzongkhaKha = L"\u0F58\u0F55\u0F4F"; // "kha" on the Dzongkha layout
const std::wstring kTashiDelekShad = kTashiDelek.substr(0, 16) + L"\u0F0D"; // candidate 3

constexpr int kLayoutWylie = 6;
constexpr int kLayoutDzongkha = 20;
constexpr int kLayoutEwts = 80;

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(WINAPI*)();

std::wstring g_dll;
std::wstring g_artifacts;
CanUnloadNowFn g_canUnloadNow = nullptr;
KeyRoute g_keys;

std::string units(const std::wstring& text) {
    return text.empty() ? "(empty)" : hex(text);
}

bool checkText(const std::wstring& seen, const std::wstring& want, const char* what) {
    return check(seen == want, "%s (saw %s, want %s)", what, units(seen).c_str(),
                 units(want).c_str());
}

HWND serviceWindow(const wchar_t* className) {
    return findThreadWindow(className);
}

bool visible(const wchar_t* className) {
    HWND window = serviceWindow(className);
    return window != nullptr && IsWindowVisible(window);
}

RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// ---- the COM server, loaded by hand ------------------------------------------------------------

void checkServer() {
    HMODULE dll = LoadLibraryW(g_dll.c_str());
    const DWORD error = dll == nullptr ? GetLastError() : 0;
    if (!check(dll != nullptr, "LoadLibrary of RevazeTip.dll (error %lu)", error)) {
        return;
    }
    const char* const exports[] = {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer",
                                   "DllUnregisterServer"};
    int missing = 0;
    for (const char* name : exports) {
        missing += GetProcAddress(dll, name) == nullptr ? 1 : 0;
    }
    check(missing == 0, "the four server exports resolve by plain name");
    auto getClassObject =
        reinterpret_cast<GetClassObjectFn>(GetProcAddress(dll, "DllGetClassObject"));
    g_canUnloadNow = reinterpret_cast<CanUnloadNowFn>(GetProcAddress(dll, "DllCanUnloadNow"));
    if (getClassObject == nullptr || g_canUnloadNow == nullptr) {
        return;
    }
    check(g_canUnloadNow() == S_OK, "DllCanUnloadNow: S_OK with nothing alive");
    ComPtr<IClassFactory> other;
    check(getClassObject(kProfile, IID_IClassFactory, other.putVoid()) == CLASS_E_CLASSNOTAVAILABLE,
          "DllGetClassObject refuses another CLSID");

    ComPtr<IClassFactory> factory;
    check(SUCCEEDED(getClassObject(kClsid, IID_IClassFactory, factory.putVoid())) && factory,
          "DllGetClassObject hands out the class object");
    if (!factory) {
        return;
    }
    check(g_canUnloadNow() == S_FALSE, "DllCanUnloadNow: S_FALSE while the class object lives");
    factory->LockServer(TRUE);
    factory.reset();
    check(g_canUnloadNow() == S_FALSE, "DllCanUnloadNow: S_FALSE while the server is locked");
    getClassObject(kClsid, IID_IClassFactory, factory.putVoid());
    factory->LockServer(FALSE);

    ComPtr<IUnknown> outer;
    ComPtr<IUnknown> aggregated;
    check(factory->CreateInstance(factory.get(), IID_IUnknown, aggregated.putVoid()) ==
              CLASS_E_NOAGGREGATION,
          "the class refuses aggregation");
    ComPtr<ITfTextInputProcessorEx> service;
    check(SUCCEEDED(factory->CreateInstance(nullptr, __uuidof(ITfTextInputProcessorEx),
                                            service.putVoid())) &&
              service,
          "CreateInstance makes a text service (ITfTextInputProcessorEx)");
    factory.reset();
    if (!service) {
        return;
    }
    const struct {
        const IID* iid;
        const char* name;
    } interfaces[] = {
        {&IID_ITfTextInputProcessor, "ITfTextInputProcessor"},
        {&IID_ITfKeyEventSink, "ITfKeyEventSink"},
        {&IID_ITfThreadMgrEventSink, "ITfThreadMgrEventSink"},
        {&IID_ITfCompositionSink, "ITfCompositionSink"},
        {&IID_ITfCompartmentEventSink, "ITfCompartmentEventSink"},
        {&__uuidof(ITfDisplayAttributeProvider), "ITfDisplayAttributeProvider"},
    };
    ComPtr<IUnknown> identity = service.query<IUnknown>();
    for (const auto& i : interfaces) {
        ComPtr<IUnknown> answer;
        service->QueryInterface(*i.iid, answer.putVoid());
        check(answer && answer.query<IUnknown>() == identity,
              "the service answers %s with the same object", i.name);
    }
    ComPtr<IUnknown> none;
    check(service->QueryInterface(IID_IClassFactory, none.putVoid()) == E_NOINTERFACE && !none,
          "the service refuses an interface it does not have");

    auto provider = service.query<ITfDisplayAttributeProvider>();
    ComPtr<IEnumTfDisplayAttributeInfo> infos;
    ComPtr<ITfDisplayAttributeInfo> info;
    ULONG fetched = 0;
    GUID guid{};
    TF_DISPLAYATTRIBUTE attribute{};
    const bool listed = provider && SUCCEEDED(provider->EnumDisplayAttributeInfo(infos.put())) &&
                        infos->Next(1, info.put(), &fetched) == S_OK && fetched == 1 &&
                        SUCCEEDED(info->GetGUID(&guid)) &&
                        SUCCEEDED(info->GetAttributeInfo(&attribute));
    ComPtr<ITfDisplayAttributeInfo> second;
    check(listed && guid == kInputAttribute && attribute.lsStyle == TF_LS_SOLID &&
              attribute.bAttr == TF_ATTR_INPUT && attribute.crText.type == TF_CT_NONE &&
              infos->Next(1, second.put(), &fetched) == S_FALSE && fetched == 0,
          "one display attribute: the input attribute, underlined in the document's colours");
    ComPtr<ITfDisplayAttributeInfo> byGuid;
    check(provider && SUCCEEDED(provider->GetDisplayAttributeInfo(kInputAttribute, byGuid.put())) &&
              byGuid && provider->GetDisplayAttributeInfo(kClsid, second.put()) == E_INVALIDARG,
          "GetDisplayAttributeInfo knows the input attribute and no other");
    info.reset();
    infos.reset();
    byGuid.reset();
    provider.reset();
    identity.reset();
    service.reset();
    check(g_canUnloadNow() == S_OK, "DllCanUnloadNow: S_OK once every object is released");
    // The module stays loaded: COM finds it again by its path.
}

// ---- registration ------------------------------------------------------------------------------

void checkRegistration() {
    check(RunRegsvr32(g_dll, false) == 0, "regsvr32 registers RevazeTip.dll");
    CheckRegistered(g_dll);
    check(RunRegsvr32(g_dll, true) == 0, "regsvr32 /u unregisters it");
    CheckUnregistered();
    check(RunRegsvr32(g_dll, false) == 0, "regsvr32 registers it again");
    check(RunRegsvr32(g_dll, false) == 0, "registering twice succeeds");
    CheckRegistered(g_dll);
}

// ---- activation by the real thread manager -----------------------------------------------------

struct Tsf {
    ComPtr<ITfThreadMgr> threadMgr;
    TfClientId client = 0;
    ComPtr<ITfInputProcessorProfiles> profiles;
    ComPtr<RecordingFactory> recorder;
    DWORD registration = 0;
    ComPtr<ITfKeyEventSink> sink; // the activated service's
};

LONG keyboardOpen(Tsf& tsf) {
    auto compartments = tsf.threadMgr.query<ITfCompartmentMgr>();
    ComPtr<ITfCompartment> compartment;
    revaze::tsf::Variant value;
    if (!compartments ||
        FAILED(
            compartments->GetCompartment(GUID_COMPARTMENT_KEYBOARD_OPENCLOSE, compartment.put())) ||
        FAILED(compartment->GetValue(value.put()))) {
        return -1;
    }
    return value.integer().value_or(-1);
}

void setKeyboardOpen(Tsf& tsf, LONG open) {
    SetKeyboardOpen(tsf.threadMgr.get(), tsf.client, open);
}

bool activate(Tsf& tsf) {
    CoCreateInstance(CLSID_TF_InputProcessorProfiles, nullptr, CLSCTX_INPROC_SERVER,
                     IID_ITfInputProcessorProfiles, tsf.profiles.putVoid());
    if (!check(static_cast<bool>(tsf.profiles), "the real input processor profiles")) {
        return false;
    }
    LANGID language = 0;
    tsf.profiles->GetCurrentLanguage(&language);
    if (!check(language == kTibetan,
               "the user's language is Tibetan (0x%04x; run with LC_ALL=bo_CN.UTF-8)", language)) {
        return false;
    }
    // What the installer does for the user: the profile is on in the user's list.
    check(SUCCEEDED(tsf.profiles->EnableLanguageProfile(kClsid, kTibetan, kProfile, TRUE)),
          "EnableLanguageProfile turns the profile on for the user");
    BOOL enabled = FALSE;
    check(SUCCEEDED(tsf.profiles->IsEnabledLanguageProfile(kClsid, kTibetan, kProfile, &enabled)) &&
              enabled,
          "the profile reads as enabled");

    ComPtr<IClassFactory> real;
    check(SUCCEEDED(CoGetClassObject(kClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     real.putVoid())) &&
              real,
          "COM loads the class object through InprocServer32");
    if (!real) {
        return false;
    }
    tsf.recorder = ComPtr<RecordingFactory>::adopt(new RecordingFactory(real.get()));
    CoRegisterClassObject(kClsid, static_cast<IClassFactory*>(tsf.recorder.get()),
                          CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &tsf.registration);

    CoCreateInstance(CLSID_TF_ThreadMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ITfThreadMgr,
                     tsf.threadMgr.putVoid());
    if (!check(static_cast<bool>(tsf.threadMgr), "the real thread manager")) {
        return false;
    }
    check(SUCCEEDED(tsf.profiles->ActivateLanguageProfile(kClsid, kTibetan, kProfile)),
          "ActivateLanguageProfile takes Revaze's Tibetan profile");
    check(SUCCEEDED(tsf.threadMgr->Activate(&tsf.client)), "the thread manager activates");
    if (!check(tsf.recorder->made.size() == 1, "the thread manager made one text service (%zu)",
               tsf.recorder->made.size())) {
        return false;
    }
    LANGID activeLanguage = 0;
    GUID activeProfile{};
    check(tsf.profiles->GetActiveLanguageProfile(kClsid, &activeLanguage, &activeProfile) == S_OK &&
              activeLanguage == kTibetan && activeProfile == kProfile,
          "msctf reports the profile active");
    auto keystrokes = tsf.threadMgr.query<ITfKeystrokeMgr>();
    CLSID foreground{};
    check(keystrokes && keystrokes->GetForeground(&foreground) == S_OK && foreground == kClsid,
          "the service advised its key sink: msctf names it the foreground keyboard service");
    check(keyboardOpen(tsf) == 1, "the keyboard's open/close compartment is open (Tibetan)");
    check(visible(L"UISTAT"), "the status window is up");
    check(serviceWindow(L"UICOMP") != nullptr && !visible(L"UICOMP"),
          "the composition window exists, hidden");
    check(serviceWindow(L"UISOFT") != nullptr && !visible(L"UISOFT"),
          "the soft keyboard exists, hidden");
    tsf.recorder->made[0]->QueryInterface(IID_ITfKeyEventSink, tsf.sink.putVoid());
    return static_cast<bool>(tsf.sink);
}

// A host's late WM_NCCREATE to each of the service's windows; the typing that follows shows
// they still work.
void checkLateCreates() {
    checkLateCreate(serviceWindow(L"UICOMP"), "composition");
    checkLateCreate(serviceWindow(L"UISTAT"), "status");
    checkLateCreate(serviceWindow(L"UISOFT"), "soft keyboard");
}

// ---- a document behind Wine's real context -----------------------------------------------------

Document openDocument(Tsf& tsf, const wchar_t* title, int x, int y) {
    return OpenDocument(tsf.threadMgr.get(), tsf.client,
                        ComPtr<HarnessStore>::adopt(new HarnessStore(title, x, y, 420, 90)));
}

void focus(Tsf& tsf, Document& doc) {
    SetForegroundWindow(doc.store->window());
    SetFocus(doc.store->window());
    tsf.threadMgr->SetFocus(doc.manager.get());
    g_keys.setContext(doc.context.get());
    g_keys.pump(100);
}

void clickStatus(int x) {
    HWND stat = serviceWindow(L"UISTAT");
    RECT r = windowRect(stat);
    SetCursorPos(r.left + x, r.top + 14);
    g_keys.pump(30);
    SendMessageW(stat, WM_SETCURSOR, reinterpret_cast<WPARAM>(stat),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    SendMessageW(stat, WM_LBUTTONUP, 0, 0);
    g_keys.pump(100);
}

// A click on the soft keyboard's key for `vk`: the key fires as a real key press.
bool clickSoftKey(UINT vk) {
    HWND soft = serviceWindow(L"UISOFT");
    for (int i = 0; i < revaze::kSoftKeyCount; ++i) {
        if (static_cast<UINT>(revaze::g_softKeyTable[i].virtualKey) != vk) {
            continue;
        }
        const revaze::SoftKeyGeometry& g = revaze::kSoftKeyGeometry[i];
        POINT point{g.x + g.width / 2, g.y + g.height / 2};
        ClientToScreen(soft, &point);
        SetCursorPos(point.x, point.y);
        g_keys.pump(30);
        SendMessageW(soft, WM_SETCURSOR, reinterpret_cast<WPARAM>(soft),
                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        g_keys.pump(150);
        ScreenToClient(soft, &point);
        SendMessageW(soft, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        g_keys.pump(150);
        return true;
    }
    return false;
}

// Where the composition window goes without a text extent: below the caret.
POINT belowCaret(HWND window) {
    POINT caret{HarnessStore::kCaretX, HarnessStore::kCaretY + HarnessStore::kCaretHeight};
    ClientToScreen(window, &caret);
    return {caret.x, caret.y + 4};
}

void saveShot(const wchar_t* name, const RECT& area) {
    const std::wstring path = g_artifacts + L"\\" + name;
    check(saveScreenBmp(path, area), "screenshot %ls", name);
}

void typeIntoWineDocument(Tsf& tsf) {
    Document doc = openDocument(tsf, L"Document", 40, 60);
    if (!check(static_cast<bool>(doc.context),
               "a document of the harness's own on Wine's context")) {
        return;
    }
    focus(tsf, doc);
    HarnessStore& store = *doc.store.get();

    g_keys.type("bkra");
    checkText(store.text(), L"",
              "Wine's context offers no compositions: nothing is in the document while composing");
    HWND comp = serviceWindow(L"UICOMP");
    const RECT compRect = windowRect(comp);
    const POINT want = belowCaret(store.window());
    check(IsWindowVisible(comp) && compRect.left == want.x && compRect.top == want.y,
          "the composition window shows the keys below the caret (at %ld,%ld, want %ld,%ld)",
          compRect.left, compRect.top, want.x, want.y);
    check(GetWindow(comp, GW_OWNER) == nullptr,
          "Wine's context names no window: the composition window stays unowned, on top");
    CheckWineBeginsNoElement(tsf.threadMgr.get());
    g_keys.type(" shis\r");
    checkText(store.text(), kBkra + kTsheg + kShis, "bkra shis{Enter} commits at the selection");
    check(!IsWindowVisible(comp), "the composition window hides after the commit");
    check(store.selectionStart() == 7 && store.selectionEnd() == 7,
          "the caret follows the committed text");

    store.clear();
    checkAccessibility("TSF", comp, serviceWindow(L"UISTAT"),
                       [](const char* keys) { g_keys.type(keys); });
    store.clear();
    g_keys.type("bkra  ");
    checkText(store.text(), kBkra, "a second space commits");

    store.clear();
    g_keys.type("bkra shis ");
    const RECT page = windowRect(comp);
    check(IsWindowVisible(comp), "the candidate page is up");
    RECT shot = windowRect(store.window());
    UnionRect(&shot, &shot, &page);
    InflateRect(&shot, 6, 6);
    saveShot(L"tsf_candidates.bmp", shot);
    g_keys.type("2");
    checkText(store.text(), kBkra + kTsheg + kShis + kTsheg, "the digit 2 commits candidate 2");

    store.clear();
    g_keys.type("k\r");
    g_keys.type("bkrax\b\r");
    checkText(store.text(), kKa + kBkra, "Backspace takes back the last key");
    const int passedBefore = g_keys.passedToApplication();
    g_keys.type("bkra\b\b\b\b\b");
    checkText(store.text(), kKa + kBkra.substr(0, 2),
              "Backspace with nothing composed is the application's: it deletes a character");
    check(g_keys.passedToApplication() > passedBefore, "the service let that Backspace through");

    store.clear();
    HWND stat = serviceWindow(L"UISTAT");
    SendMessageW(stat, WM_COMMAND, kLayoutDzongkha, 0);
    g_keys.type("kha\r");
    checkText(store.text(), kDzongkhaKha, "Dzongkha from the layout menu: kha types its letters");
    SendMessageW(stat, WM_COMMAND, kLayoutWylie, 0);
    g_keys.type("kha\r");
    checkText(store.text(), kDzongkhaKha + kKha, "back on Wylie");

    store.clear();
    SendMessageW(stat, WM_COMMAND, kLayoutEwts, 0);
    g_keys.type("badz+ra g.yag/");
    checkText(store.text(), L"\u0F56\u0F5B\u0FB2\u0F0B\u0F42\u0F61\u0F42\u0F0D",
              "EWTS from the layout menu: badz+ra g.yag/ commits the stack, the dot and the shad");
    SendMessageW(stat, WM_COMMAND, kLayoutWylie, 0);

    store.clear();
    clickStatus(66);
    check(visible(L"UISOFT"), "the status window's keyboard button shows the soft keyboard");
    check(clickSoftKey('K'), "a click on the soft keyboard's K");
    g_keys.type("\r");
    checkText(store.text(), kPa, "the soft key typed its page-1 letter, Enter committed it");
    clickStatus(66);
    check(!visible(L"UISOFT"), "a second click hides the soft keyboard");

    store.clear();
    setKeyboardOpen(tsf, 0);
    g_keys.pump(50);
    g_keys.type("abc");
    checkText(store.text(), L"abc",
              "closing the keyboard compartment is English mode: keys reach the application");
    setKeyboardOpen(tsf, 1);
    g_keys.pump(50);
    g_keys.type("k\r");
    checkText(store.text(), L"abc" + kKa, "opening it again types Tibetan");
    g_keys.tapShift();
    check(keyboardOpen(tsf) == 0, "a lone Shift tap switches to English and closes the keyboard");
    g_keys.type("x");
    g_keys.tapShift();
    check(keyboardOpen(tsf) == 1, "a second tap opens it again");
    // Shift with an arrow selects text in the application; the service never sees the arrow.
    g_keys.press(VK_SHIFT);
    g_keys.tapKey(VK_LEFT);
    g_keys.release(VK_SHIFT);
    g_keys.pump(60);
    check(keyboardOpen(tsf) == 1,
          "Shift+Left is no tap: the arrow the application took still counts between the two");
    g_keys.type("kI\r");
    checkText(store.text(), L"abc" + kKa + L"x" + kKa + L"\u0F80",
              "Shift with a letter is a chord, not a tap: the mode stays");
    clickStatus(40);
    check(keyboardOpen(tsf) == 0, "the status window's mode button closes the keyboard");
    clickStatus(40);
    check(keyboardOpen(tsf) == 1, "and opens it");

    // The focus moves on mid-composition: what is composed goes into the first document.
    Document other = openDocument(tsf, L"Other document", 40, 200);
    store.clear();
    g_keys.type("bkra");
    focus(tsf, other);
    checkText(store.text(), kBkra, "a focus change completes the composition where it was typed");
    checkText(other.store->text(), L"", "the newly focused document gets none of it");
    check(!visible(L"UICOMP"), "the composition window hides");
    g_keys.type("shis\r");
    checkText(other.store->text(), kShis, "typing goes on in the new document");
    focus(tsf, doc);
    other.manager->Pop(TF_POPF_ALL);
    doc.manager->Pop(TF_POPF_ALL);
}

// ---- the inline composition, on contexts of the harness's own ----------------------------------

TfGuidAtom inputAttributeAtom() {
    ComPtr<ITfCategoryMgr> categories;
    TfGuidAtom atom = 0;
    CoCreateInstance(CLSID_TF_CategoryMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ITfCategoryMgr,
                     categories.putVoid());
    if (categories) {
        categories->RegisterGUID(kInputAttribute, &atom);
    }
    return atom;
}

void useOwnContext(OwnContext& own) {
    SetForegroundWindow(own.document().window);
    SetFocus(own.document().window);
    g_keys.setContext(static_cast<ITfContext*>(&own));
    g_keys.pump(60);
}

void typeInline() {
    auto own = ComPtr<OwnContext>::adopt(new OwnContext(40, 340));
    OwnDocument& doc = own->document();
    useOwnContext(*own.get());
    const TfGuidAtom atom = inputAttributeAtom();

    g_keys.type("bkra");
    checkText(doc.text, kBkra, "inline: the composed text stands in the document");
    check(doc.composing && doc.compStart == 0 && doc.compEnd == 3 && doc.compositionsStarted == 1,
          "inline: as a composition over it");
    check(atom != 0 && doc.attrAtom == static_cast<LONG>(atom) && doc.attrStart == 0 &&
              doc.attrEnd == 3,
          "inline: marked with the input display attribute (atom %ld, want %lu)", doc.attrAtom,
          static_cast<unsigned long>(atom));
    HWND comp = serviceWindow(L"UICOMP");
    const RECT extent = doc.extent(0, 3);
    const RECT compRect = windowRect(comp);
    check(IsWindowVisible(comp) && compRect.left == extent.left &&
              compRect.top == extent.bottom + 4,
          "inline: the composition window sits below the composition's text extent (%ld,%ld, "
          "want %ld,%ld)",
          compRect.left, compRect.top, extent.left, extent.bottom + 4);
    check(GetWindow(comp, GW_OWNER) == doc.window,
          "inline: the composition window belongs to the document's window");
    g_keys.type(" shis");
    checkText(doc.compositionText(), kBkra + kTsheg + kShis,
              "inline: the composition is rewritten as it grows");
    check(doc.compositionsStarted == 1 && doc.text == doc.compositionText(),
          "inline: one composition, nothing written twice");
    RECT shot = windowRect(doc.window);
    RECT page = windowRect(comp);
    UnionRect(&shot, &shot, &page);
    InflateRect(&shot, 6, 6);
    saveShot(L"tsf_inline_composition.bmp", shot);
    g_keys.type("\r");
    checkText(doc.text, kBkra + kTsheg + kShis, "inline: Enter commits the composed text");
    check(!doc.composing && doc.compositionsEnded == 1 && doc.attrAtom == 0,
          "inline: the commit ends the composition and takes the attribute off");
    check(doc.selStart == 7 && doc.selEnd == 7, "inline: the caret follows the text");

    g_keys.type("kha\x1b");
    checkText(doc.text, kBkra + kTsheg + kShis, "inline: Escape takes the composition out");
    check(!doc.composing && doc.compositionsStarted == 2 && doc.compositionsEnded == 2,
          "inline: and ends it");

    g_keys.type("bkra shis 3");
    checkText(doc.text, kBkra + kTsheg + kShis + kTashiDelekShad,
              "inline: a candidate replaces the composition");

    g_keys.type("kha");
    check(own->terminateComposition(), "the application ends the composition itself");
    checkText(doc.text, kBkra + kTsheg + kShis + kTashiDelekShad + kKha,
              "inline: the ended composition is committed as it stood");
    check(doc.attrAtom == 0 && !visible(L"UICOMP"), "inline: attribute off, window hidden");
    g_keys.type("k\r");
    checkText(doc.text, kBkra + kTsheg + kShis + kTashiDelekShad + kKha + kKa,
              "inline: the next keys start a new composition");
    check(doc.callsOutsideSession == 0, "inline: every read and write came in an edit session");

    // An application that answers StartComposition with none.
    auto refusing = ComPtr<OwnContext>::adopt(new OwnContext(500, 340));
    refusing->document().refuseCompositions = true;
    useOwnContext(*refusing.get());
    g_keys.type("kha");
    checkText(refusing->document().text, L"",
              "no composition granted: the document stays as it is while composing");
    check(visible(L"UICOMP"), "no composition granted: the keys show in Revaze's window");
    g_keys.type("\r");
    checkText(refusing->document().text, kKha, "no composition granted: Enter commits");

    // A document that takes no text: the commit fails and nothing is lost.
    auto readOnly = ComPtr<OwnContext>::adopt(new OwnContext(500, 460));
    readOnly->document().refuseWrites = true;
    useOwnContext(*readOnly.get());
    g_keys.type("kha\r");
    checkText(readOnly->document().text, L"", "a refused commit writes nothing");
    check(visible(L"UICOMP"), "the refused commit leaves the composition in Revaze's window");
    readOnly->document().refuseWrites = false;
    g_keys.type("\r");
    checkText(readOnly->document().text, kKha, "once the document takes text, Enter commits it");
    check(readOnly->document().callsOutsideSession == 0 &&
              refusing->document().callsOutsideSession == 0,
          "refusing documents too were only touched in edit sessions");
}

// ---- where the windows go -------------------------------------------------------------------

bool wholeOnScreen(const RECT& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom <= GetSystemMetrics(SM_CYSCREEN) && r.right > r.left && r.bottom > r.top;
}

// A document that answers TS_E_NOLAYOUT while it lays its text out (as browsers do) and has no
// caret: the composition window waits whole on the screen, goes below the text when the layout
// arrives, follows the text when the application lays it out again, and keeps its last good
// place while the document lays out once more.
void followLayout() {
    // A composition window as new as one an application's closing window took along: it is
    // made where it waits, hidden, until the first key places it.
    HWND old = serviceWindow(L"UICOMP");
    DestroyWindow(old);
    auto own = ComPtr<OwnContext>::adopt(new OwnContext(40, 460));
    OwnDocument& doc = own->document();
    doc.noLayout = true;
    useOwnContext(*own.get());
    g_keys.type("k");
    HWND comp = serviceWindow(L"UICOMP");
    RECT r = windowRect(comp);
    check(comp != old && IsWindowVisible(comp) && wholeOnScreen(r),
          "no text position (TS_E_NOLAYOUT, no caret): a new composition window shows whole on "
          "the screen (at %ld,%ld-%ld,%ld)",
          r.left, r.top, r.right, r.bottom);
    check(own->layoutSinkAdvised(), "the service advised its layout sink to the context");

    struct Step {
        const char* what;
        int x, y; // where the application's window is
    };
    const Step steps[] = {{"the layout arrives: the window goes below the text", 40, 460},
                          {"the application moves its text: the window follows", 300, 200}};
    for (const Step& step : steps) {
        doc.noLayout = false;
        SetWindowPos(doc.window, nullptr, step.x, step.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        own->layoutChanged();
        const RECT extent = doc.extent(0, 1);
        r = windowRect(comp);
        check(r.left == extent.left && r.top == extent.bottom + 4, "%s (at %ld,%ld, want %ld,%ld)",
              step.what, r.left, r.top, extent.left, extent.bottom + 4);
    }
    doc.noLayout = true;
    const RECT good = windowRect(comp);
    g_keys.type("a");
    r = windowRect(comp);
    check(IsWindowVisible(comp) && r.left == good.left && r.top == good.top,
          "laying out again: the window keeps its last good place (at %ld,%ld)", r.left, r.top);
    g_keys.type("\x1b");
}

// A monitor goes away (WM_DISPLAYCHANGE) with the status window on it: it comes back whole.
void checkDisplayChange() {
    HWND stat = serviceWindow(L"UISTAT");
    const RECT before = windowRect(stat);
    SetWindowPos(stat, nullptr, 3000, 2000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(stat, WM_DISPLAYCHANGE, 24,
                 MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    const RECT after = windowRect(stat);
    check(wholeOnScreen(after) && after.right - after.left == before.right - before.left,
          "WM_DISPLAYCHANGE brings the status window from a monitor that went away back onto the "
          "screen (at %ld,%ld)",
          after.left, after.top);
    SetWindowPos(stat, nullptr, before.left, before.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- deactivation and the language bar ---------------------------------------------------------

void deactivateMidComposition(Tsf& tsf) {
    Document doc = openDocument(tsf, L"Last document", 500, 60);
    focus(tsf, doc);
    g_keys.type("kha");
    check(visible(L"UICOMP"),
          "the composition window comes back after the window that owned it has closed");
    tsf.sink.reset();
    g_keys.disconnect();
    check(SUCCEEDED(tsf.threadMgr->Deactivate()), "the thread manager deactivates");
    pump(100);
    checkText(doc.store->text(), kKha, "deactivation commits what is composed");
    check(serviceWindow(L"UISTAT") == nullptr && serviceWindow(L"UICOMP") == nullptr &&
              serviceWindow(L"UISOFT") == nullptr,
          "deactivation closes the service's windows");
    auto keystrokes = tsf.threadMgr.query<ITfKeystrokeMgr>();
    CLSID foreground{};
    check(keystrokes && keystrokes->GetForeground(&foreground) == S_FALSE,
          "deactivation takes the key sink back");
    doc.manager->Pop(TF_POPF_ALL);
}

std::wstring buttonText(ITfLangBarItem* item) {
    auto button = ComPtr<ITfLangBarItem>(item).query<ITfLangBarItemButton>();
    BSTR text = nullptr;
    std::wstring result;
    if (button && SUCCEEDED(button->GetText(&text)) && text != nullptr) {
        result = text;
    }
    SysFreeString(text);
    return result;
}

// The language bar's two buttons, pressed as the taskbar's input indicator and the classic
// language bar press them, on a second service activated with a thread manager that has a bar.
void pressLanguageBar(Tsf& tsf) {
    ComPtr<IClassFactory> factory;
    CoGetClassObject(kClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
    ComPtr<ITfTextInputProcessorEx> service;
    if (factory) {
        factory->CreateInstance(nullptr, __uuidof(ITfTextInputProcessorEx), service.putVoid());
    }
    auto host = ComPtr<LangBarHost>::adopt(new LangBarHost(tsf.threadMgr.get()));
    if (!check(service && SUCCEEDED(service->ActivateEx(host.get(), tsf.client, 0)),
               "a service activates with a thread manager that has a language bar")) {
        return;
    }
    if (!check(host->items.size() == 2, "it adds two buttons (%zu)", host->items.size())) {
        service->Deactivate();
        return;
    }
    TF_LANGBARITEMINFO mode{};
    TF_LANGBARITEMINFO layout{};
    host->items[0]->GetInfo(&mode);
    host->items[1]->GetInfo(&layout);
    check(mode.clsidService == kClsid && mode.guidItem == revaze::tsf::kLangBarInputModeItem &&
              (mode.dwStyle & TF_LBI_STYLE_BTN_BUTTON) != 0 &&
              (mode.dwStyle & TF_LBI_STYLE_SHOWNINTRAY) != 0,
          "the first is the input mode button the taskbar's indicator shows");
    check(layout.clsidService == kClsid && (layout.dwStyle & TF_LBI_STYLE_BTN_MENU) != 0,
          "the second is a menu button");
    auto modeButton = host->items[0].query<ITfLangBarItemButton>();
    auto layoutButton = host->items[1].query<ITfLangBarItemButton>();
    auto updates = ComPtr<HarnessItemSink>::adopt(new HarnessItemSink());
    auto modeSource = host->items[0].query<ITfSource>();
    DWORD cookie = 0;
    check(modeSource && SUCCEEDED(modeSource->AdviseSink(
                            IID_ITfLangBarItemSink, static_cast<ITfLangBarItemSink*>(updates.get()),
                            &cookie)),
          "the bar's item sink is accepted");
    auto layoutUpdates = ComPtr<HarnessItemSink>::adopt(new HarnessItemSink());
    auto layoutSource = host->items[1].query<ITfSource>();
    DWORD layoutCookie = 0;
    check(layoutSource &&
              SUCCEEDED(layoutSource->AdviseSink(
                  IID_ITfLangBarItemSink, static_cast<ITfLangBarItemSink*>(layoutUpdates.get()),
                  &layoutCookie)),
          "so is the layout button's");
    checkText(buttonText(host->items[0].get()), L"Tibetan", "the mode button reads Tibetan");
    HICON icon = nullptr;
    check(SUCCEEDED(modeButton->GetIcon(&icon)) && icon != nullptr, "the mode button has an icon");
    // On a dark taskbar (SystemUsesLightTheme 0) the button shows the pale tile instead.
    const wchar_t personalize[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    DWORD dark = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, personalize, L"SystemUsesLightTheme", REG_DWORD, &dark,
                    sizeof dark);
    HICON darkIcon = nullptr;
    modeButton->GetIcon(&darkIcon);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, personalize, L"SystemUsesLightTheme");
    const int lightGrey = iconCornerGrey(icon, 2);
    const int darkGrey = iconCornerGrey(darkIcon, 2);
    check(lightGrey >= 0 && lightGrey < 80 && darkGrey > 180,
          "the mode button's tile is navy on a light taskbar and pale on a dark one (grey %d, %d)",
          lightGrey, darkGrey);
    for (HICON shown : {icon, darkIcon}) {
        if (shown != nullptr) {
            DestroyIcon(shown);
        }
    }
    modeButton->OnClick(TF_LBI_CLK_LEFT, POINT{}, nullptr);
    checkText(buttonText(host->items[0].get()), L"English", "a click switches to English");
    check(updates->updates > 0 && keyboardOpen(tsf) == 0,
          "the bar hears of it and the keyboard compartment closes");
    modeButton->OnClick(TF_LBI_CLK_LEFT, POINT{}, nullptr);
    checkText(buttonText(host->items[0].get()), L"Tibetan", "another click switches back");
    check(layoutUpdates->updates == 0, "the layout button is not redrawn for a mode switch (%d)",
          layoutUpdates->updates);

    auto menu = ComPtr<HarnessMenu>::adopt(new HarnessMenu());
    layoutButton->InitMenu(menu.get());
    const auto& items = menu->items;
    check(items.size() == 14 && items[0].id == 6 && items[0].flags == TF_LBMENUF_RADIOCHECKED &&
              items[8].id == kLayoutEwts && items[9].flags == TF_LBMENUF_SEPARATOR &&
              items[10].id == 1001 && items[11].id == 1002 &&
              items[12].flags == TF_LBMENUF_SEPARATOR && items[13].id == 1004,
          "the layout menu: nine layouts, Wylie first and checked, EWTS last, the soft keyboard, "
          "English, Settings");
    checkText(buttonText(host->items[1].get()), L"Wylie", "the layout button names Wylie");
    const int modeUpdates = updates->updates;
    layoutButton->OnMenuSelect(kLayoutDzongkha);
    checkText(buttonText(host->items[1].get()), L"Dzongkha", "choosing Dzongkha switches to it");
    check(layoutUpdates->updates == 1 && updates->updates == modeUpdates,
          "the layout button is redrawn once, the mode button not at all (%d, %d)",
          layoutUpdates->updates, updates->updates - modeUpdates);
    auto again = ComPtr<HarnessMenu>::adopt(new HarnessMenu());
    layoutButton->InitMenu(again.get());
    bool dzongkhaChecked = false;
    for (const auto& item : again->items) {
        if (item.flags == TF_LBMENUF_RADIOCHECKED) {
            dzongkhaChecked = item.id == kLayoutDzongkha;
        }
    }
    check(dzongkhaChecked, "the menu then checks Dzongkha");
    layoutButton->OnMenuSelect(1001);
    check(visible(L"UISOFT"), "the menu's soft keyboard item shows the soft keyboard");
    layoutButton->OnMenuSelect(1001);
    check(!visible(L"UISOFT"), "and hides it");
    layoutButton->OnMenuSelect(kLayoutWylie);

    modeSource->UnadviseSink(cookie);
    if (layoutSource) {
        layoutSource->UnadviseSink(layoutCookie);
    }
    check(SUCCEEDED(service->Deactivate()) && host->removed == 2 && host->items.empty(),
          "deactivation takes both buttons off the bar");
    DWORD status = 0;
    check(SUCCEEDED(modeButton->GetStatus(&status)) && (status & TF_LBI_STATUS_DISABLED) != 0,
          "a button the bar still holds is disabled");
}

} // namespace

// ---- settings read by a new process --------------------------------------------------------

// The child: a new process whose text service, activated afresh, types "kag Enter".
int typeAsNewProcess() {
    Tsf tsf;
    std::string typed = "(the service did not activate)";
    if (activate(tsf)) {
        g_keys.connect(tsf.sink.get());
        Document doc = openDocument(tsf, L"New process", 40, 60);
        focus(tsf, doc);
        g_keys.type("kag\r");
        typed = hex(doc.store->text());
    }
    std::printf("TYPED %s\n", typed.c_str());
    std::fflush(stdout);
    ExitProcess(0);
}

void checkStartLayoutInNewProcess(const wchar_t* self, const wchar_t* ime) {
    runCapturing(L"reg.exe add HKCU\\Software\\Revaze /v StartLayout /t REG_SZ /d Dzongkha /f");
    const std::wstring commandLine =
        std::wstring(L"\"") + self + L"\" \"" + ime + L"\" \"" + g_artifacts + L"\" --type-started";
    const std::string typed = typedLine(runCapturing(commandLine));
    check(typed == hex(L"\u0F58\u0F4F\u0F54"),
          "with StartLayout=Dzongkha (reg add) a new process types Dzongkha through the text "
          "service (%s)",
          typed.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Revaze");
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: tsf_harness.exe <Revaze.ime> <artifacts folder>\n");
        return 2;
    }
    g_dll = TipBeside(argv[1]);
    g_artifacts = argv[2];
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("FAIL: COM does not start\n");
        return 1;
    }
    if (argc >= 4 && std::wstring(argv[3]) == L"--type-started") {
        return typeAsNewProcess();
    }
    CheckGuardAndTrace();
    CheckComClass();
    checkServer();
    checkRegistration();

    Tsf tsf;
    if (activate(tsf)) {
        checkLateCreates();
        g_keys.connect(tsf.sink.get());
        typeIntoWineDocument(tsf);
        typeInline();
        followLayout();
        checkDisplayChange();
        deactivateMidComposition(tsf);
        g_keys.disconnect();
        pressLanguageBar(tsf);
        CheckUiElements(tsf.threadMgr.get(), tsf.client, g_keys);
    } else if (tsf.threadMgr) {
        tsf.threadMgr->Deactivate();
    }
    tsf.sink.reset();
    tsf.threadMgr.reset();
    if (tsf.registration != 0) {
        CoRevokeClassObject(tsf.registration);
    }
    if (tsf.recorder) {
        tsf.recorder->made.clear();
        tsf.recorder.reset();
    }
    tsf.profiles.reset();
    CheckConfigure(g_artifacts);
    checkStartLayoutInNewProcess(argv[0], argv[1]);
    if (g_canUnloadNow != nullptr) {
        check(g_canUnloadNow() == S_OK, "DllCanUnloadNow: S_OK after deactivation");
    }
    check(RunRegsvr32(g_dll, true) == 0, "regsvr32 /u at the end");
    CoUninitialize();
    return finish("tsf_harness");
}
