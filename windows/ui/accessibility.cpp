#include "ui/accessibility.h"

#include <string>
#include <utility>

#include "layouts/layouts.h"
#include "ui/cui_comp.h"
#include "ui/cui_soft.h"
#include "ui/cui_stat.h"
#include "ui/uia_patterns.h"

namespace revaze {

namespace {

// winuser.h declares these only for Windows 8 and later targets; the events are older.
constexpr DWORD kImeShowEvent = 0x8027;   // EVENT_OBJECT_IME_SHOW
constexpr DWORD kImeHideEvent = 0x8028;   // EVENT_OBJECT_IME_HIDE
constexpr DWORD kImeChangeEvent = 0x8029; // EVENT_OBJECT_IME_CHANGE

// The element name of candidate `number` of the page: its word, then the key that chooses it.
std::wstring candidateName(const std::wstring& word, int number) {
    return word + L" " + std::to_wstring(number);
}

bool shown(HWND window) {
    return window != nullptr && IsWindowVisible(window);
}

void notify(DWORD event, HWND window) {
    NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace

const wchar_t* AccessibleWindowName(const wchar_t* className) {
    if (className == nullptr) {
        return nullptr;
    }
    const std::wstring_view name(className);
    if (name == kCompClass) {
        return L"Revaze candidates";
    }
    if (name == kStatClass) {
        return L"Revaze status";
    }
    if (name == kSoftClass) {
        return L"Revaze soft keyboard";
    }
    return nullptr;
}

CompositionAccessibility::CompositionAccessibility()
    : automation({L"IME_Candidate_Window", kUiaListControlType, kUiaListItemControlType, true, 0}) {
}

void CompositionAccessibility::Moved(HWND window, const WINDOWPOS& pos) const {
    if ((pos.flags & SWP_SHOWWINDOW) != 0) {
        notify(kImeShowEvent, window);
    } else if ((pos.flags & SWP_HIDEWINDOW) != 0) {
        notify(kImeHideEvent, window);
    }
}

CompositionAccessibility::ShowScope::ShowScope(CompositionAccessibility& owner, HWND window,
                                               const View& view, HFONT font)
    : owner_(owner), window_(window), wasShown_(shown(window)) {
    Shown now{view.displayLine, view.candidates, view.pageFirst, view.capitals};
    changed_ = now != owner.shown_;
    newPage_ = !view.candidates.empty() && (now.candidates != owner.shown_.candidates ||
                                            now.pageFirst != owner.shown_.pageFirst);
    owner.shown_ = std::move(now);
    if (window == nullptr) {
        return;
    }
    // The candidate lines as Paint draws them: the page starts one line down, a line each.
    if (font != owner.measuredFont_ && !view.candidates.empty()) {
        if (HDC dc = GetDC(window)) {
            HGDIOBJ old = SelectObject(dc, font);
            TEXTMETRICW metrics{};
            if (GetTextMetricsW(dc, &metrics)) {
                owner.lineHeight_ = metrics.tmHeight;
                owner.measuredFont_ = font;
            }
            SelectObject(dc, old);
            ReleaseDC(window, dc);
        }
    }
    RECT client{};
    GetClientRect(window, &client);
    std::vector<AutomationItem> items;
    const auto& words = owner.shown_.candidates;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const int top = owner.lineHeight_ * int(i + 1);
        items.push_back({candidateName(words[i], int(i + 1)),
                         RECT{0, top, client.right, top + owner.lineHeight_}});
    }
    // Announced at the end, once the window shows the page.
    owner.automation.Update(window, std::move(items), words.empty() ? -1 : 0);
}

CompositionAccessibility::ShowScope::~ShowScope() {
    const bool isShown = shown(window_);
    if (wasShown_ && isShown && changed_) {
        notify(kImeChangeEvent, window_);
    }
    if (isShown && newPage_) {
        owner_.automation.AnnounceSelection();
    }
}

StatusAccessibility::StatusAccessibility()
    : automation({L"IME_Status_Window", kUiaToolBarControlType, kUiaButtonControlType, false,
                  kStatusInvokeMessage}) {}

void StatusAccessibility::Update(HWND window, const View& view, int dpi) {
    std::wstring layout = L"Layout: ";
    if (const Layout* current = findLayout(view.state.layoutId)) {
        layout.append(current->name.begin(), current->name.end());
    }
    // A button's rectangle is where it answers clicks, at the window's DPI.
    auto cell = [dpi](int button) {
        const StatusButtonCell& at = kStatusButtons[button - 1];
        return RECT{scaleToDpi(at.hitLeft, dpi), 0, scaleToDpi(at.hitRight, dpi),
                    scaleToDpi(kStatusCell, dpi)};
    };
    automation.Update(
        window,
        {{view.mode == InputMode::Tibetan ? L"Tibetan mode" : L"English mode", cell(kStatusMode)},
         {L"Soft keyboard", cell(kStatusSoftKeyboard)},
         {layout, cell(kStatusLayout)},
         {L"Menu", cell(kStatusMenu)}},
        -1);
}

} // namespace revaze
