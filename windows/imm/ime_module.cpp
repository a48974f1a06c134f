#include "imm/ime_module.h"

#include "imm/commit.h"
#include "platform/registry_settings.h"
#include "ui/system_dictionary.h"

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

} // namespace

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
    module->dictionary_ = LoadSystemDictionary();
    module->session_ =
        std::make_unique<Session>(module->dictionary_.get(), ProcessSettings().Current().Start());
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
    RememberLayout(ProcessSettings().Current(), layout);
}

void ImeModule::FollowSettings() {
    bool changed = false;
    const Settings settings = ProcessSettings().Current(&changed);
    if (changed && hasSession()) {
        Show(session().SetKeyPolicy(settings.Keys()));
    }
}

void ImeModule::OnSoftPageChosen(int page) {
    Show(session().ShowSoftPage(page));
}

bool ImeModule::CompositionWindowOrigin(POINT& origin) {
    // The context of the key at hand first: ImeToAsciiEx has just locked it. The UI window's
    // word names the active context too, but under Wine 8 it holds a handle that IMM32 does not
    // know, and every lock of such a handle leaves five memory blocks of the host's behind (after
    // some ten thousand keys the host's next input context cannot be made, and it crashes).
    HIMC candidates[2] = {keyContext, nullptr};
    if (IsWindow(frame.window)) {
        candidates[1] = reinterpret_cast<HIMC>(GetWindowLongPtrW(frame.window, IMMGWLP_IMC));
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
