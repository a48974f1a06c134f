// What one GUI thread of the host has of the input method: its session and its four window
// objects. IMM32 gives every thread its own input contexts and its own IME UI window, so each
// thread composes on its own and never sees another thread's composition. Used only by its own
// thread; the registry in ime_module.h finds it.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "dictionary/dictionary.h"
#include "session/session.h"
#include "settings/settings.h"
#include "ui/cui_comp.h"
#include "ui/cui_frame.h"
#include "ui/cui_soft.h"
#include "ui/cui_stat.h"
#include "ui/ui_owner.h"

namespace revaze {

class ImeThread final : public UiOwner {
public:
    ImeThread(HINSTANCE instance, WNDPROC uiProcedure, WNDPROC compProcedure);
    // Lets go of windows that still exist (the thread is ending): they no longer reach us.
    ~ImeThread() override;

    // The thread's session; the first call makes it, over the process's dictionary.
    Session& session();
    // True once the session exists: before that nothing can be composed.
    bool hasSession() const { return session_ != nullptr; }
    // Shows a session call's answer: the beep, and the three windows brought up to date.
    void Show(const Result& result);
    // The same for a key handed over for `himc`: the composition window goes beside that
    // context's caret, now and for the clicks until the next key.
    void Show(const Result& result, HIMC himc);
    // Settings read again: the session takes their key policy when it differs from its own.
    void FollowSettings(const Settings& settings);

    // UiOwner.
    void OnModeButton() override;
    void OnSoftKeyboardButton() override;
    void OnLayoutChosen(LayoutId layout) override;
    void OnSoftPageChosen(int page) override;
    bool CompositionAnchor(TextAnchor& anchor) override;

    CUIFrame frame;
    CUIComp comp;
    CUIStat stat;
    CUISoft soft;

private:
    std::unique_ptr<Session> session_;
    // The input context of the last key, where the UI window names none.
    HIMC keyContext_ = nullptr;
};

} // namespace revaze
