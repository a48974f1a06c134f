// The input method DLL's process-wide objects: the four window objects, created at process
// attach, and the session with its dictionary, created on first use (never under the loader
// lock). Every input context and UI window of the process shares them.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "dictionary/dictionary.h"
#include "imm/immdev.h"
#include "session/session.h"
#include "ui/cui_comp.h"
#include "ui/cui_frame.h"
#include "ui/cui_soft.h"
#include "ui/cui_stat.h"
#include "ui/ui_owner.h"

extern "C" LRESULT CALLBACK UIWndProc(HWND, UINT, WPARAM, LPARAM);
extern "C" LRESULT CALLBACK CompWndProc(HWND, UINT, WPARAM, LPARAM);

namespace revaze {

class ImeModule final : public UiOwner {
public:
    explicit ImeModule(HINSTANCE instance);

    void RegisterWindowClasses();
    void UnregisterWindowClasses();

    // The session; the first call loads the dictionary.
    Session& session();
    // True once the session exists: before that nothing can be composed.
    bool hasSession() const { return session_ != nullptr; }
    // A window of the process was activated: settings changed since take effect now.
    void FollowSettings();
    // Shows a session call's answer: the beep, and the three windows brought up to date.
    void Show(const Result& result);

    // The input context of the key being handled, where the UI window names none.
    HIMC keyContext = nullptr;

    // UiOwner.
    void OnModeButton() override;
    void OnSoftKeyboardButton() override;
    void OnLayoutChosen(LayoutId layout) override;
    void OnSoftPageChosen(int page) override;
    bool CompositionWindowOrigin(POINT& origin) override;

    CUIFrame frame;
    CUIComp comp;
    CUIStat stat;
    CUISoft soft;

private:
    static BOOL CALLBACK createSession(PINIT_ONCE, PVOID module, PVOID*);

    INIT_ONCE sessionOnce_ = INIT_ONCE_STATIC_INIT;
    // Shared with the thread that builds its index when no prepared one fitted.
    std::shared_ptr<const Dictionary> dictionary_;
    std::unique_ptr<Session> session_;
};

// Commits into an input context: ImeToAsciiEx's message list, or the context's message buffer
// when there is none.
class ContextSink final : public CommitSink {
public:
    ContextSink(HIMC himc, TRANSMSGLIST* list) : himc_(himc), list_(list) {}
    bool Commit(std::wstring_view text) override;
    UINT messages() const { return messages_; }

private:
    HIMC himc_;
    TRANSMSGLIST* list_;
    UINT messages_ = 0;
};

} // namespace revaze

// The process-wide objects by the names the rest of the input method knows them by. Valid
// between process attach and detach.
extern HINSTANCE g_hInstance;
extern revaze::ImeModule* g_module;
extern revaze::CUIFrame* g_uiFrame;
extern revaze::CUIComp* g_uiComp;
extern revaze::CUIStat* g_uiStat;
extern revaze::CUISoft* g_uiSoft;
