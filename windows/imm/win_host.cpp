#include "imm/win_host.h"

#include "imm/commit.h"
#include "imm/dll_globals.h"
#include "ui/cui_comp.h"
#include "ui/cui_soft.h"
#include "ui/cui_stat.h"

namespace revaze {

void WinHost::PlaceNearCaret() {
    g_uiComp->PlaceNearCaret();
}

void WinHost::ShowAndInvalidate() {
    g_uiComp->ShowAndInvalidate();
}

void WinHost::HideAndInvalidate() {
    g_uiComp->HideAndInvalidate();
}

void WinHost::HideCompWindow() {
    g_uiComp->HideWindow();
}

void WinHost::InvalidateCompWindow() {
    if (IsWindow(g_uiComp->window)) {
        InvalidateRect(g_uiComp->window, nullptr, FALSE);
    }
}

void WinHost::RepaintCompWindow() {
    if (IsWindow(g_uiComp->window)) {
        RECT client{};
        GetClientRect(g_uiComp->window, &client);
        InvalidateRect(g_uiComp->window, &client, TRUE);
    }
}

void WinHost::RefreshCompWindowNow() {
    g_uiComp->ReloadSkinAndPaint();
}

void WinHost::MessageBeep() {
    ::MessageBeep(0);
}

unsigned WinHost::CommitResultString(ContextHandle himc, MessageList messages,
                                     std::wstring_view text) {
    return revaze::CommitResultString(static_cast<HIMC>(himc), static_cast<TRANSMSGLIST*>(messages),
                                      text.data(), text.size());
}

void WinHost::InvalidateStatusWindow() {
    g_uiStat->Invalidate();
}

void WinHost::RefreshStatusWindowNow() {
    g_uiStat->RefreshNow();
}

void WinHost::ShowSoftKeyboardWindow() {
    g_uiSoft->ShowKeyboardWindow();
}

void WinHost::HideSoftKeyboardWindow() {
    g_uiSoft->HideKeyboardWindow();
}

void WinHost::SoftKeyboardLabelsChanged() {
    g_uiSoft->LoadPageLabels();
}

} // namespace revaze
