#include "imm/ime_module.h"

#include <array>
#include <iostream>
#include <sstream>

#include "common/text.h"
#include "imm/commit.h"

HINSTANCE g_hInstance = nullptr;
revaze::ImeModule* g_module = nullptr;
revaze::CUIFrame* g_uiFrame = nullptr;
revaze::CUIComp* g_uiComp = nullptr;
revaze::CUIStat* g_uiStat = nullptr;
revaze::CUISoft* g_uiSoft = nullptr;

namespace revaze {

namespace {

// The composition window's top-left sits this far right of and below the caret.
constexpr int kCaretOffset = 28;

// Where a developer or a debugger sees it: no GUI process has a console.
void reportLoadFailure(const std::string& message) {
    OutputDebugStringW((L"Revaze: " + utf8ToUnits(message)).c_str());
    std::cout << message << std::flush;
}

} // namespace

std::wstring DictionaryPath() {
    std::array<wchar_t, MAX_PATH> system{};
    UINT n = GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size()));
    if (n == 0 || n >= system.size()) {
        return {};
    }
    return std::wstring(system.data(), n) + L"\\" + kDictionaryFileName;
}

ImeModule::ImeModule(HINSTANCE instance)
    : frame(instance, *this, UIWndProc), comp(instance, *this, CompWndProc), stat(instance, *this),
      soft(instance, *this) {}

void ImeModule::RegisterWindowClasses() {
    frame.RegisterWindowClass();
    comp.RegisterWindowClass();
    stat.RegisterWindowClass();
    soft.RegisterWindowClass();
}

void ImeModule::UnregisterWindowClasses() {
    frame.UnregisterWindowClass();
    comp.UnregisterWindowClass();
    stat.UnregisterWindowClass();
    soft.UnregisterWindowClass();
}

BOOL CALLBACK ImeModule::createSession(PINIT_ONCE, PVOID parameter, PVOID*) {
    auto* module = static_cast<ImeModule*>(parameter);
    try {
        // Mapped with its prepared index, or refused: a refused dictionary leaves no candidates.
        const std::wstring path = DictionaryPath();
        std::ostringstream diagnostics;
        if (path.empty()) {
            diagnostics << "the system directory is unknown: no dictionary is read\n";
        } else {
            module->dictionary_ = openDictionary(std::filesystem::path(path), diagnostics);
        }
        if (!diagnostics.str().empty()) {
            reportLoadFailure(diagnostics.str());
        }
    } catch (...) {
        // Out of memory while building the index: type without candidates rather than not at all.
        module->dictionary_.reset();
        reportLoadFailure("the dictionary could not be loaded\n");
    }
    module->session_ = std::make_unique<Session>(module->dictionary_.get());
    return TRUE;
}

Session& ImeModule::session() {
    InitOnceExecuteOnce(&sessionOnce_, createSession, this, nullptr);
    return *session_;
}

void ImeModule::Show(const Result& result) {
    if (result.beep) {
        MessageBeep(0);
    }
    comp.Show(result.view);
    stat.Show(result.view);
    soft.Show(result.view);
}

void ImeModule::OnModeButton() {
    Show(session().ToggleInputMode());
}

void ImeModule::OnSoftKeyboardButton() {
    Show(session().ToggleSoftKeyboard());
}

void ImeModule::OnLayoutChosen(LayoutId layout) {
    Show(session().SelectLayout(layout));
}

void ImeModule::OnSoftPageChosen(int page) {
    Show(session().ShowSoftPage(page));
}

bool ImeModule::CompositionWindowOrigin(POINT& origin) {
    // The UI window's word names the context; under some hosts it names none that can be
    // locked, and the context of the key at hand is used instead.
    HIMC candidates[2] = {nullptr, keyContext};
    if (IsWindow(frame.window)) {
        candidates[0] = reinterpret_cast<HIMC>(GetWindowLongPtrW(frame.window, IMMGWLP_IMC));
    }
    for (HIMC himc : candidates) {
        ScopedIMC context(himc);
        if (!context) {
            continue;
        }
        POINT caret = context->cfCompForm.ptCurrentPos;
        if (IsWindow(context->hWnd)) {
            ClientToScreen(context->hWnd, &caret);
        }
        origin = {caret.x + kCaretOffset, caret.y + kCaretOffset};
        return true;
    }
    return false;
}

bool ContextSink::Commit(std::wstring_view text) {
    const CommitOutcome outcome = CommitResultString(himc_, list_, text);
    messages_ += outcome.messages;
    return outcome.delivered;
}

} // namespace revaze
