#include "platform/trace.h"

#include <windows.h>

#include <cstdio>
#include <string_view>

#include "session/key_event.h"
#include "session/view.h"

namespace revaze {

namespace {

// A line in a fixed buffer: whatever does not fit is cut, nothing is allocated.
class Line {
public:
    Line& operator<<(std::wstring_view text) {
        for (wchar_t c : text) {
            put(c);
        }
        return *this;
    }
    Line& operator<<(const char* text) {
        for (; text != nullptr && *text != '\0'; ++text) {
            put(static_cast<unsigned char>(*text));
        }
        return *this;
    }
    Line& operator<<(unsigned number) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%u", number);
        return *this << digits;
    }
    Line& hex(unsigned number) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "0x%02X", number);
        return *this << digits;
    }
    void write() {
        text_[length_] = L'\n';
        text_[length_ + 1] = L'\0';
        OutputDebugStringW(text_);
    }

private:
    void put(wchar_t c) {
        if (length_ < kCapacity) {
            text_[length_++] = c;
        }
    }

    static constexpr std::size_t kCapacity = 510;
    wchar_t text_[kCapacity + 2];
    std::size_t length_ = 0;
};

} // namespace

void TraceFailure(const char* where, const char* what) noexcept {
    Line line;
    line << "Revaze: " << where
         << " stopped an exception: " << (what != nullptr ? what : "not a std::exception");
    line.write();
}

bool KeyTraceOn() noexcept {
    static const bool on = [] {
        wchar_t value[4] = {};
        return GetEnvironmentVariableW(L"REVAZE_TRACE", value, 4) == 1 && value[0] == L'1';
    }();
    return on;
}

void TraceKey(const char* where, const KeyEvent& key, const Result& result) noexcept {
    if (!KeyTraceOn()) {
        return;
    }
    const View& view = result.view;
    Line line;
    line << "Revaze key " << where << ": " << (key.released ? "release " : "press ");
    line.hex(key.vk);
    if (key.ch > ' ' && key.ch < 0x7F) {
        const char typed[] = {' ', '\'', key.ch, '\'', '\0'};
        line << typed;
    }
    line << (key.ctrl ? " ctrl" : "") << (key.capsLock ? " caps" : "");
    line << (result.taken ? " -> taken" : " -> passed") << (result.beep ? ", beep" : "");
    if (!result.committed.empty()) {
        line << ", committed \"" << result.committed << "\"";
    }
    if (result.commitFailed) {
        line << ", commit failed";
    }
    line << " | " << (view.mode == InputMode::Tibetan ? "Tibetan" : "English") << ", layout "
         << static_cast<unsigned>(view.state.layoutId);
    if (view.state.softVisible) {
        line << ", soft keyboard page " << static_cast<unsigned>(view.state.softPage);
    }
    if (view.composing) {
        line << ", composing \"" << std::wstring_view(view.displayLine) << "\"";
    }
    if (view.candidateCount != 0) {
        line << ", " << static_cast<unsigned>(view.candidateCount) << " candidates";
    }
    line.write();
}

} // namespace revaze
