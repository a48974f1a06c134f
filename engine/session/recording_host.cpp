#include "session/recording_host.h"

#include "session/keys.h"

namespace revaze {

void RecordingHost::PlaceNearCaret() {
    calls.emplace_back("PlaceNearCaret");
    compVisible = true;
}
void RecordingHost::ShowAndInvalidate() {
    calls.emplace_back("ShowAndInvalidate");
    compVisible = true;
}
void RecordingHost::HideAndInvalidate() {
    calls.emplace_back("HideAndInvalidate");
    compVisible = false;
}
void RecordingHost::HideCompWindow() {
    calls.emplace_back("HideCompWindow");
    compVisible = false;
}
void RecordingHost::InvalidateCompWindow() {
    calls.emplace_back("InvalidateCompWindow");
}
void RecordingHost::RepaintCompWindow() {
    calls.emplace_back("RepaintCompWindow");
}
void RecordingHost::RefreshCompWindowNow() {
    calls.emplace_back("RefreshCompWindowNow");
}
void RecordingHost::MessageBeep() {
    calls.emplace_back("MessageBeep");
    ++beeps;
}
unsigned RecordingHost::CommitResultString(ContextHandle himc, MessageList messages,
                                           std::wstring_view text) {
    calls.emplace_back("CommitResultString");
    if (himc == nullptr) {
        return 0;
    }
    commits.emplace_back(text);
    if (messages != nullptr) {
        auto* list = static_cast<RecordedMessage*>(messages);
        list[0] = {kWmImeComposition, 0, kGcsResultStr};
        list[1] = {kWmImeEndComposition, 0, 0};
    }
    return 2;
}
void RecordingHost::InvalidateStatusWindow() {
    calls.emplace_back("InvalidateStatusWindow");
}
void RecordingHost::RefreshStatusWindowNow() {
    calls.emplace_back("RefreshStatusWindowNow");
}
void RecordingHost::ShowSoftKeyboardWindow() {
    calls.emplace_back("ShowSoftKeyboardWindow");
    softKeyboardVisible = true;
}
void RecordingHost::HideSoftKeyboardWindow() {
    calls.emplace_back("HideSoftKeyboardWindow");
    softKeyboardVisible = false;
}
void RecordingHost::SoftKeyboardLabelsChanged() {
    calls.emplace_back("SoftKeyboardLabelsChanged");
    ++softLabelReloads;
}

} // namespace revaze
