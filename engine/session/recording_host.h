// A host without windows: it keeps what a commit hands over and what the windows would show, for
// the revaze tool and the tests.
#pragma once

#include <string>
#include <vector>

#include "session/host.h"

namespace revaze {

// What a commit placed in the message list: the two messages of a result string.
struct RecordedMessage {
    unsigned message;
    unsigned long wParam;
    unsigned long lParam;
};

class RecordingHost : public ImeHost {
public:
    void PlaceNearCaret() override;
    void ShowAndInvalidate() override;
    void HideAndInvalidate() override;
    void HideCompWindow() override;
    void InvalidateCompWindow() override;
    void RepaintCompWindow() override;
    void RefreshCompWindowNow() override;
    void MessageBeep() override;
    // Null `himc` means no input context: nothing is committed and 0 is returned. A non-null
    // `messages` must point to an array of at least two RecordedMessage.
    unsigned CommitResultString(ContextHandle himc, MessageList messages,
                                std::wstring_view text) override;
    void InvalidateStatusWindow() override;
    void RefreshStatusWindowNow() override;
    void ShowSoftKeyboardWindow() override;
    void HideSoftKeyboardWindow() override;
    void SoftKeyboardLabelsChanged() override;

    std::vector<std::wstring> commits; // every committed text, in order
    int beeps = 0;
    bool compVisible = false;
    bool softKeyboardVisible = false;
    int softLabelReloads = 0;
    std::vector<std::string> calls; // the name of every host call, in order
};

} // namespace revaze
