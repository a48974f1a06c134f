// The host the key handling acts through inside the DLL: the real composition, status and soft
// keyboard windows, the system beep and the commit into the input context.
#pragma once

#include "session/host.h"

namespace revaze {

class WinHost final : public ImeHost {
public:
    void PlaceNearCaret() override;
    void ShowAndInvalidate() override;
    void HideAndInvalidate() override;
    void HideCompWindow() override;
    void InvalidateCompWindow() override;
    void RepaintCompWindow() override;
    void RefreshCompWindowNow() override;
    void MessageBeep() override;
    unsigned CommitResultString(ContextHandle himc, MessageList messages,
                                std::wstring_view text) override;
    void InvalidateStatusWindow() override;
    void RefreshStatusWindowNow() override;
    void ShowSoftKeyboardWindow() override;
    void HideSoftKeyboardWindow() override;
    void SoftKeyboardLabelsChanged() override;
};

} // namespace revaze
