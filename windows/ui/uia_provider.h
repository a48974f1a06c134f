// What the composition window and the status window tell UI Automation: a root element for the
// window and one element for each thing shown in it (the candidates of the page as list items,
// the status window's buttons as buttons). The window keeps the model up to date from the view it
// draws; the elements answer from the model on whatever thread asks. UIAutomationCore.dll is
// loaded only when a client asks a window for its root (WM_GETOBJECT with UiaRootObjectId).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace revaze {

// One element under the root: its name and where it is in the window's client area.
struct AutomationItem {
    std::wstring name;
    RECT client{};
    bool operator==(const AutomationItem& other) const {
        return name == other.name && EqualRect(&client, &other.client);
    }
};

// What kind of root and items a window shows.
struct AutomationShape {
    const wchar_t* automationId; // of the root
    int rootControlType;
    int itemControlType;
    bool selection;     // the items are selectable (one selected at most)
    UINT invokeMessage; // posted to the window with the item's index when one is invoked; 0: none
};

class AutomationRoot; // the COM object, in uia_provider.cpp

class WindowAutomation {
public:
    explicit WindowAutomation(const AutomationShape& shape);
    ~WindowAutomation();
    WindowAutomation(const WindowAutomation&) = delete;
    WindowAutomation& operator=(const WindowAutomation&) = delete;

    // The window shows these items now, `selected` of them selected (-1: none). A different
    // list makes new elements.
    void Update(HWND window, std::vector<AutomationItem> items, int selected);
    // A client that listens hears the selected item being selected.
    void AnnounceSelection();
    // WM_GETOBJECT: true, with the answer, when the client asks for the UI Automation root.
    bool Answer(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window goes (WM_DESTROY) or this object lets go of it: the elements answer nothing
    // more and UI Automation lets go of them.
    void Disconnect(HWND window);

private:
    AutomationRoot* root_;
};

} // namespace revaze
