// A working day of RevazeTip.dll: a thousand activations and deactivations by Wine's real thread
// manager, each with two documents on Wine's real contexts, words typed into them (candidates,
// a layout switch, the keyboard closed and opened, a focus change mid-composition, now and then
// the soft keyboard), then the DLL let go. Keys go straight to the service's key sink, as TSF's
// key manager hands them over; the soft keyboard's keys come back as key messages that take the
// same way. The figures taken in the last activation (private memory, the room for GDI, USER
// and memory handles, the DLL's own count of live COM objects) must equal those taken in the
// same place of an activation early in the day, and DllCanUnloadNow must say S_OK at the end.
//
//     tsf_day_harness.exe <Revaze.ime beside RevazeTip.dll> <artifacts folder>
//
// Run it with a Tibetan locale (LC_ALL=bo_CN.UTF-8), as tsf_harness.
#include "tests/wine/harness.h"

#include <msctf.h>

#include <string>

#include "tests/wine_tsf/expected_ids.h"
#include "tests/wine_tsf/harness_store.h"
#include "tests/wine_tsf/key_route.h"
#include "tests/wine_tsf/recording_factory.h"
#include "tests/wine_tsf/registration_checks.h"
#include "tsf/com_ptr.h"

using namespace harness;
using namespace tsfharness;
using revaze::tsf::ComPtr;

namespace {

constexpr int kWarmUp = 50; // activations before the first figures
// Activations after the warm-up (REVAZE_DAY_ACTIVATIONS shortens the day), in whole cycles of 40
// so that the last one types what the one of the first figures typed.
constexpr int kDayActivations = 1000;
int g_activations = kWarmUp + kDayActivations;
// Private memory may move by this much: heaps grow and shrink in 64 KiB steps, while a leak of
// 64 bytes an activation (64 KB over the day) already shows.
constexpr std::size_t kMemorySlack = 64 * 1024;
// Handles are counted one by one. A leak on a path the day takes leaks once each time it is
// taken: a hundred times at least (the soft keyboard, every tenth activation). Wine's own
// caches (fonts, DCs, system brushes) settle a few late: 6 of them in one run; ten allowed.
constexpr std::size_t kHandleSlack = 10;

using CanUnloadNowFn = HRESULT(WINAPI*)();
using LiveObjectsFn = LONG(WINAPI*)();

CanUnloadNowFn g_canUnloadNow = nullptr;
LiveObjectsFn g_liveObjects = nullptr;
KeyRoute g_route; // for the soft keyboard's key messages

struct Day {
    ComPtr<ITfThreadMgr> threadMgr;
    ComPtr<ITfInputProcessorProfiles> profiles;
    ComPtr<RecordingFactory> recorder;
    DWORD registration = 0;
    TfClientId client = 0;
    ComPtr<ITfKeyEventSink> sink;
    ITfContext* context = nullptr; // the focused document's
    ComPtr<HarnessStore> stores[2];
    int keys = 0;
};

// A document manager and context of this activation over one of the day's stores (their windows
// stay: Wine takes seconds to take a shown window down without a window manager).
Document openDocument(Day& day, HarnessStore* store) {
    return OpenDocument(day.threadMgr.get(), day.client, ComPtr<HarnessStore>(store));
}

void focus(Day& day, Document& doc) {
    SetFocus(doc.store->window());
    day.threadMgr->SetFocus(doc.manager.get());
    day.context = doc.context.get();
    g_route.setContext(day.context);
    pump(0);
}

// A key press and release handed to the sink as the key manager does: the test call first.
void typeKey(Day& day, UINT vk) {
    const LPARAM data = 1 | LPARAM(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16);
    BOOL eaten = FALSE;
    day.sink->OnTestKeyDown(day.context, vk, data, &eaten);
    if (eaten) {
        day.sink->OnKeyDown(day.context, vk, data, &eaten);
    }
    const LPARAM up = data | LPARAM(0xC0000000u);
    day.sink->OnTestKeyUp(day.context, vk, up, &eaten);
    if (eaten) {
        day.sink->OnKeyUp(day.context, vk, up, &eaten);
    }
    ++day.keys;
}

void typeText(Day& day, const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        typeKey(day, strokeFor(*p).vk);
    }
    pump(0); // the edit sessions Wine's context runs later
}

constexpr UINT kLayoutCommands[] = {6, 8, 10, 20, 30, 50, 60, 70};

// The soft keyboard shown, one of its keys clicked (it fires as a key message), then hidden.
void softKeyboard(Day& day) {
    HWND stat = findThreadWindow(L"UISTAT");
    HWND soft = findThreadWindow(L"UISOFT");
    if (stat == nullptr || soft == nullptr) {
        return;
    }
    g_route.connect(day.sink.get());
    clickClient(stat, 66, 14);
    clickClient(soft, 37 + 15, 32 + 15);
    g_route.pump(5);
    typeText(day, "\r");
    clickClient(stat, 66, 14);
    g_route.disconnect();
}

// What one activation types: candidates, a layout of the day, English and back, a composition
// the focus change completes in the first document, the rest in the second.
void typeDuringActivation(Day& day, int index, Document& first, Document& second) {
    focus(day, first);
    typeText(day, "bkra 2kax\b\rnga\x1b");
    HWND stat = findThreadWindow(L"UISTAT");
    SendMessageW(stat, WM_COMMAND, kLayoutCommands[index % 8], 0);
    typeText(day, "kha \r");
    SendMessageW(stat, WM_COMMAND, kLayoutCommands[0], 0);
    SetKeyboardOpen(day.threadMgr.get(), day.client, 0);
    typeText(day, "ab");
    SetKeyboardOpen(day.threadMgr.get(), day.client, 1);
    if (index % 10 == 0) {
        softKeyboard(day);
    }
    typeText(day, "rgya");
    focus(day, second);
    typeText(day, "ka\r");
    first.store->clear();
    second.store->clear();
}

struct Figures {
    std::size_t privateBytes = 0;
    ObjectCapacity room;
    long objects = 0;
};

Figures measure() {
    pump(20);
    Figures f;
    f.objects = g_liveObjects();
    f.privateBytes = privateBytes();
    f.room = measureObjectCapacity();
    return f;
}

// One activation: the service made, documents typed into, the figures taken when asked, the
// documents closed and the service deactivated and let go.
bool activation(Day& day, int index, Figures* figures) {
    if (FAILED(day.threadMgr->Activate(&day.client)) || day.recorder->made.size() != 1) {
        return false;
    }
    day.recorder->made[0]->QueryInterface(IID_ITfKeyEventSink, day.sink.putVoid());
    if (!day.sink) {
        return false;
    }
    Document first = openDocument(day, day.stores[0].get());
    Document second = openDocument(day, day.stores[1].get());
    if (!first.context || !second.context) {
        return false;
    }
    typeDuringActivation(day, index, first, second);
    if (figures != nullptr) {
        *figures = measure();
    }
    focus(day, first);
    first.manager->Pop(TF_POPF_ALL);
    second.manager->Pop(TF_POPF_ALL);
    day.sink.reset();
    day.context = nullptr;
    g_route.setContext(nullptr);
    const bool deactivated = SUCCEEDED(day.threadMgr->Deactivate());
    day.recorder->made.clear();
    return deactivated;
}

bool start(Day& day, const std::wstring& dll) {
    HMODULE module = LoadLibraryW(dll.c_str()); // the module COM loads through the same path
    g_canUnloadNow = reinterpret_cast<CanUnloadNowFn>(GetProcAddress(module, "DllCanUnloadNow"));
    g_liveObjects = reinterpret_cast<LiveObjectsFn>(GetProcAddress(module, "RevazeLiveObjects"));
    if (!check(g_canUnloadNow && g_liveObjects, "RevazeTip.dll loads, its object count exported") ||
        !check(RunRegsvr32(dll, false) == 0, "regsvr32 registers RevazeTip.dll")) {
        return false;
    }
    CoCreateInstance(CLSID_TF_InputProcessorProfiles, nullptr, CLSCTX_INPROC_SERVER,
                     IID_ITfInputProcessorProfiles, day.profiles.putVoid());
    ComPtr<IClassFactory> real;
    CoGetClassObject(kClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, real.putVoid());
    CoCreateInstance(CLSID_TF_ThreadMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ITfThreadMgr,
                     day.threadMgr.putVoid());
    if (!check(day.profiles && real && day.threadMgr,
               "the real profiles, thread manager and Revaze's class object")) {
        return false;
    }
    day.stores[0] = ComPtr<HarnessStore>::adopt(new HarnessStore(L"Day document", 40, 60, 420, 90));
    day.stores[1] =
        ComPtr<HarnessStore>::adopt(new HarnessStore(L"Day document", 40, 200, 420, 90));
    day.recorder = ComPtr<RecordingFactory>::adopt(new RecordingFactory(real.get()));
    CoRegisterClassObject(kClsid, static_cast<IClassFactory*>(day.recorder.get()),
                          CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &day.registration);
    day.profiles->EnableLanguageProfile(kClsid, kTibetan, kProfile, TRUE);
    return check(SUCCEEDED(day.profiles->ActivateLanguageProfile(kClsid, kTibetan, kProfile)),
                 "ActivateLanguageProfile takes Revaze's Tibetan profile (run as a Tibetan user)");
}

void report(const Figures& before, const Figures& after, int keys, DWORD ms) {
    std::printf("  %d-bit: activations %d -> %d (%d keys) in %lu ms: private memory %zu -> %zu "
                "KiB, room for GDI objects %zu -> %zu, USER %zu -> %zu, memory handles %zu -> "
                "%zu, live COM objects %ld -> %ld\n",
                int(sizeof(void*) * 8), kWarmUp, g_activations, keys,
                static_cast<unsigned long>(ms), before.privateBytes / 1024,
                after.privateBytes / 1024, before.room.gdi, after.room.gdi, before.room.user,
                after.room.user, before.room.memory, after.room.memory, before.objects,
                after.objects);
    check(
        after.privateBytes <= before.privateBytes + kMemorySlack,
        "a day of activations leaves private memory where it was (%+lld KiB, %zu KiB allowed)",
        (static_cast<long long>(after.privateBytes) - static_cast<long long>(before.privateBytes)) /
            1024,
        kMemorySlack / 1024);
    checkRoomKept(before.room, after.room, kHandleSlack);
    check(before.objects > 0 && after.objects == before.objects,
          "the service holds as many live COM objects in its last activation as early on (%ld)",
          after.objects);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::printf("usage: tsf_day_harness.exe <Revaze.ime> <artifacts folder>\n");
        return 2;
    }
    const std::wstring dll = TipBeside(argv[1]);
    std::printf("tsf_day_harness (%d-bit), keys straight to the key sink\n",
                int(sizeof(void*) * 8));
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("FAIL: COM does not start\n");
        return 1;
    }
    g_activations =
        kWarmUp + (environmentNumber(L"REVAZE_DAY_ACTIVATIONS", kDayActivations) + 39) / 40 * 40;
    Day day;
    if (start(day, dll)) {
        Figures before;
        Figures after;
        int done = 0;
        DWORD startTime = 0;
        while (done < g_activations) {
            const bool warmUpEnds = done + 1 == kWarmUp;
            const bool last = done + 1 == g_activations;
            if (!activation(day, done, warmUpEnds ? &before : (last ? &after : nullptr))) {
                break;
            }
            if (warmUpEnds) {
                startTime = GetTickCount();
            }
            ++done;
        }
        check(done == g_activations, "%d activations, typing and deactivations (%d done)",
              g_activations, done);
        if (done == g_activations) {
            report(before, after, day.keys, GetTickCount() - startTime);
        }
    }
    day.sink.reset();
    day.threadMgr.reset();
    day.stores[0].reset();
    day.stores[1].reset();
    if (day.registration != 0) {
        CoRevokeClassObject(day.registration);
    }
    day.recorder.reset();
    day.profiles.reset();
    if (g_liveObjects != nullptr) {
        check(g_liveObjects() == 0 && g_canUnloadNow() == S_OK,
              "at the end no object is alive and DllCanUnloadNow says S_OK (%ld)", g_liveObjects());
    }
    check(RunRegsvr32(dll, true) == 0, "regsvr32 /u at the end");
    CoUninitialize();
    return finish("tsf_day_harness");
}
