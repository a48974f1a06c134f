// What assistive technology gets from the composition and status windows, checked the same way
// for both front ends: a WinEvent hook of the harness's own hears the IME events while the keys
// are typed, and Wine's UI Automation client (UiaNodeFromHandle, which sends WM_GETOBJECT with
// UiaRootObjectId and unwraps what UiaReturnRawElementProvider answered) reads the elements.
#pragma once

#include "tests/wine/harness.h"

#include <uiautomationclient.h>
#include <uiautomationcore.h>

#include <functional>
#include <string>
#include <vector>

// winuser.h declares these only for Windows 8 and later targets.
#ifndef EVENT_OBJECT_IME_SHOW
#define EVENT_OBJECT_IME_SHOW 0x8027
#define EVENT_OBJECT_IME_HIDE 0x8028
#define EVENT_OBJECT_IME_CHANGE 0x8029
#endif

namespace harness {

// The part of Wine's client side these checks call (uiautomationcoreapi.h is not C++).
class UiaClient {
public:
    struct Condition {
        int type; // 0: true
    };
    struct CacheRequest {
        Condition* view;
        int scope; // 1: the element
        PROPERTYID* properties;
        int propertyCount;
        PATTERNID* patterns;
        int patternCount;
        int mode; // 1: full
    };
    using Node = void*;

    UiaClient() {
        HMODULE core = LoadLibraryW(L"UIAutomationCore.dll");
        load(core, "UiaNodeFromHandle", fromHandle_);
        load(core, "UiaGetPropertyValue", property_);
        load(core, "UiaNavigate", navigate_);
        load(core, "UiaHUiaNodeFromVariant", fromVariant_);
        load(core, "UiaNodeRelease", release_);
    }
    bool ready() const { return fromHandle_ && property_ && navigate_ && fromVariant_ && release_; }

    Node root(HWND window) const {
        Node node = nullptr;
        return SUCCEEDED(fromHandle_(window, &node)) ? node : nullptr;
    }
    void release(Node node) const {
        if (node != nullptr) {
            release_(node);
        }
    }
    std::wstring text(Node node, PROPERTYID id) const {
        VARIANT v{};
        std::wstring text;
        if (SUCCEEDED(property_(node, id, &v)) && v.vt == VT_BSTR && v.bstrVal != nullptr) {
            text = v.bstrVal;
        }
        VariantClear(&v);
        return text;
    }
    int number(Node node, PROPERTYID id) const {
        VARIANT v{};
        int value = -1;
        if (SUCCEEDED(property_(node, id, &v))) {
            value = v.vt == VT_I4 ? v.lVal : v.vt == VT_BOOL ? (v.boolVal ? 1 : 0) : -1;
        }
        VariantClear(&v);
        return value;
    }
    // The element in `direction` from `node`, or null.
    Node go(Node node, NavigateDirection direction) const {
        Condition all{0};
        CacheRequest request{&all, 1, nullptr, 0, nullptr, 0, 1};
        SAFEARRAY* found = nullptr;
        BSTR structure = nullptr;
        Node next = nullptr;
        if (SUCCEEDED(navigate_(node, direction, &all, &request, &found, &structure)) && found) {
            LONG at[2] = {0, 0};
            VARIANT v{};
            if (SUCCEEDED(SafeArrayGetElement(found, at, &v))) {
                fromVariant_(&v, &next);
            }
            SafeArrayDestroy(found);
        }
        SysFreeString(structure);
        return next;
    }

private:
    template <typename F> static void load(HMODULE module, const char* name, F& function) {
        function = module
                       ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                       : nullptr;
    }
    HRESULT(WINAPI* fromHandle_)(HWND, Node*) = nullptr;
    HRESULT(WINAPI* property_)(Node, PROPERTYID, VARIANT*) = nullptr;
    HRESULT(WINAPI* navigate_)
    (Node, NavigateDirection, Condition*, CacheRequest*, SAFEARRAY**, BSTR*) = nullptr;
    HRESULT(WINAPI* fromVariant_)(VARIANT*, Node*) = nullptr;
    BOOL(WINAPI* release_)(Node) = nullptr;
};

// The names and control types of a window's elements, as "name|type" lines under the root's
// "automation id|type". (Wine 8.0's client answers no pattern property, so the selection is not
// read here.)
inline std::vector<std::wstring> readElements(const UiaClient& uia, HWND window) {
    std::vector<std::wstring> lines;
    UiaClient::Node root = uia.root(window);
    if (root == nullptr) {
        return lines;
    }
    lines.push_back(uia.text(root, UIA_AutomationIdPropertyId) + L"|" +
                    std::to_wstring(uia.number(root, UIA_ControlTypePropertyId)));
    UiaClient::Node item = uia.go(root, NavigateDirection_FirstChild);
    while (item != nullptr && lines.size() < 20) {
        lines.push_back(uia.text(item, UIA_NamePropertyId) + L"|" +
                        std::to_wstring(uia.number(item, UIA_ControlTypePropertyId)));
        UiaClient::Node next = uia.go(item, NavigateDirection_NextSibling);
        uia.release(item);
        item = next;
    }
    uia.release(root);
    return lines;
}

inline std::vector<DWORD> g_imeEvents;
inline HWND g_imeEventWindow = nullptr;

inline void CALLBACK recordImeEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD,
                                    DWORD) {
    if (window == g_imeEventWindow) {
        g_imeEvents.push_back(event);
    }
}

// "S C C H": the events recorded since the last call, and none kept.
inline std::string takeImeEvents() {
    std::string text;
    for (DWORD event : g_imeEvents) {
        text += event == EVENT_OBJECT_IME_SHOW   ? "S "
                : event == EVENT_OBJECT_IME_HIDE ? "H "
                                                 : "C ";
    }
    g_imeEvents.clear();
    return text;
}

inline std::wstring expectedItem(const std::wstring& word, int number) {
    return word + L" " + std::to_wstring(number) + L"|50007";
}

// Types bkra (the first page of candidates), = (the second page), = again (there is no third:
// nothing changes) and Enter, with `type` (which runs the messages), and checks what a screen
// reader hears and reads on the way. `prefix` names the front end in the check lines.
inline void checkAccessibility(const char* prefix, HWND comp, HWND stat,
                               const std::function<void(const char*)>& type) {
    wchar_t name[64] = {};
    GetWindowTextW(comp, name, 64);
    std::wstring statName(64, L'\0');
    statName.resize(GetWindowTextW(stat, statName.data(), 64));
    check(std::wstring(name) == L"Revaze candidates" && statName == L"Revaze status",
          "%s: the windows are named by their text (%ls, %ls)", prefix, name, statName.c_str());

    g_imeEventWindow = comp;
    g_imeEvents.clear();
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_IME_SHOW, EVENT_OBJECT_IME_CHANGE, nullptr, recordImeEvent,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    UiaClient uia;
    check(hook != nullptr && uia.ready(), "%s: a WinEvent hook and Wine's UIA client", prefix);

    // Words 1 to 6 of the test dictionary start with bkra; the window shows five a page.
    const std::vector<std::wstring> words = {
        longCandidate(),
        L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B",
        L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\u0F56\u0F51\u0F7A\u0F0B\u0F63\u0F7A"
        L"\u0F42\u0F66\u0F0D",
        L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\u0F63\u0FB7\u0F74\u0F53\u0F0B\u0F54"
        L"\u0F7C\u0F0D",
        L"\u0F56\u0F40\u0FB2\u0F0B\u0F58\u0F72\u0F0B\u0F64\u0F72\u0F66\u0F0D",
        L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\u0F66\u0F90\u0FB1\u0F72\u0F51\u0F0D"};
    std::vector<std::wstring> firstPage = {L"IME_Candidate_Window|50008"};
    for (int i = 0; i < 5; ++i) {
        firstPage.push_back(expectedItem(words[std::size_t(i)], i + 1));
    }

    type("bkra");
    std::string events = takeImeEvents();
    check(events == "S C C C ", "%s: b shows the window, k r a change it (%s)", prefix,
          events.c_str());
    std::vector<std::wstring> read = readElements(uia, comp);
    check(read == firstPage,
          "%s: the provider's root and items are the shown page (%zu elements, first %s)", prefix,
          read.size(), read.size() < 2 ? "none" : narrow(read[1]).c_str());

    type("=");
    events = takeImeEvents();
    read = readElements(uia, comp);
    check(events == "C " &&
              read == std::vector<std::wstring>{firstPage[0], expectedItem(words[5], 1)},
          "%s: = shows the second page: one change, and its one item (%s, %zu elements)", prefix,
          events.c_str(), read.size());

    type("=");
    events = takeImeEvents();
    check(events.empty(), "%s: = on the last page changes nothing and raises nothing (%s)", prefix,
          events.c_str());

    read = readElements(uia, stat);
    const std::vector<std::wstring> buttons = {L"IME_Status_Window|50021", L"Tibetan mode|50000",
                                               L"Soft keyboard|50000", L"Layout: Wylie|50000",
                                               L"Menu|50000"};
    check(read == buttons, "%s: the status window's four buttons, named (%zu elements, %s)", prefix,
          read.size(), read.size() > 3 ? narrow(read[3]).c_str() : "");

    type("\r");
    events = takeImeEvents();
    check(events == "H ", "%s: Enter commits and hides the window (%s)", prefix, events.c_str());
    read = readElements(uia, comp);
    check(read.size() == 1 && read[0] == firstPage[0],
          "%s: with nothing composed the root has no items (%zu elements)", prefix, read.size());

    if (hook != nullptr) {
        UnhookWinEvent(hook);
    }
    g_imeEventWindow = nullptr;
}

} // namespace harness
