#include "imm/ime_thread.h"

#include "imm/ime_module.h"
#include "imm/immdev.h"
#include "platform/registry_settings.h"

namespace revaze {

namespace {

// The composition window's top-left sits this far right of and below the caret: a line of text
// and a gap below it (or the gap above the caret when there is no room below).
constexpr int kCaretOffset = 28;
constexpr int kCaretGap = 4;
constexpr int kCaretLine = kCaretOffset - kCaretGap;

} // namespace

ImeThread::ImeThread(HINSTANCE instance, WNDPROC uiProcedure, WNDPROC compProcedure)
    : frame(instance, *this, uiProcedure), comp(instance, *this, compProcedure),
      stat(instance, *this), soft(instance, *this) {}

ImeThread::~ImeThread() {
    comp.ForgetWindow();
    stat.ForgetWindow();
    soft.ForgetWindow();
}

Session& ImeThread::session() {
    if (!session_) {
        session_ =
            std::make_unique<Session>(g_module->dictionary(), ProcessSettings().Current().Start());
    }
    return *session_;
}

void ImeThread::Show(const Result& result) {
    if (result.beep) {
        MessageBeep(0);
    }
    comp.Show(result.view);
    stat.Show(result.view);
    soft.Show(result.view);
}

void ImeThread::Show(const Result& result, HIMC himc) {
    keyContext_ = himc;
    Show(result);
}

void ImeThread::OnModeButton() {
    Show(session().ToggleInputMode());
}

void ImeThread::OnSoftKeyboardButton() {
    Show(session().ToggleSoftKeyboard());
}

void ImeThread::OnLayoutChosen(LayoutId layout) {
    Show(session().SelectLayout(layout));
    RememberLayout(ProcessSettings().Current(), layout);
}

void ImeThread::FollowSettings(const Settings& settings) {
    if (session_ && !(session_->keyPolicy() == settings.Keys())) {
        Show(session_->SetKeyPolicy(settings.Keys()));
    }
}

void ImeThread::OnSoftPageChosen(int page) {
    Show(session().ShowSoftPage(page));
}

bool ImeThread::CompositionAnchor(TextAnchor& anchor) {
    // The context of the key at hand first: ImeToAsciiEx has just locked it. The UI window's
    // word names the active context too, but under Wine 8 it holds a handle that IMM32 does not
    // know, and every lock of such a handle leaves five memory blocks of the host's behind (after
    // some ten thousand keys the host's next input context cannot be made, and it crashes).
    HIMC candidates[2] = {keyContext_, nullptr};
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
        anchor = {{caret.x, caret.y, caret.x, caret.y + kCaretLine}, kCaretOffset, kCaretGap};
        return true;
    }
    return false;
}

} // namespace revaze
