#include "session/key_router.h"

#include <string>

#include "layouts/soft_keyboard_tables.h"
#include "session/key_handlers.h"
#include "session/keys.h"
#include "session/state_actions.h"

namespace revaze {

namespace {

// Keys that always belong to the application: navigation, editing, function and lock keys.
bool isApplicationKey(unsigned vk) {
    switch (vk) {
    case kVkTab:
    case kVkControl:
    case kVkMenu:
    case kVkCapital:
    case kVkEnd:
    case kVkHome:
    case kVkLeft:
    case kVkUp:
    case kVkRight:
    case kVkDown:
    case kVkInsert:
    case kVkDelete:
    case kVkAdd:
    case kVkNumLock:
        return true;
    default:
        return vk >= kVkF1 && vk <= kVkF12;
    }
}

int composerKeyCount(const WylieComposer& composer) {
    return composer.keyCount();
}
template <typename Composer> int composerKeyCount(const Composer& composer) {
    return composer.keyCount;
}

} // namespace

bool KeyRouter::ProcessKey(bool hasContext, unsigned virtualKey, std::uint32_t keyData,
                           const std::uint8_t* keyState) {
    if (!hasContext) {
        return false;
    }
    const bool released = (keyData & kKeyReleased) != 0;
    InputState& state = ime_.state;

    bool loneShiftTap = false;
    if (virtualKey == kVkShift) {
        if (released) {
            loneShiftTap = shiftAlone_;
            shiftAlone_ = false;
        } else {
            shiftAlone_ = true;
        }
    } else {
        shiftAlone_ = false;
    }

    if (released && virtualKey == kVkShift && loneShiftTap) {
        ToggleInputMode(ime_);
        // Whichever way the mode went, the release itself goes nowhere.
        return false;
    }
    if (state.inputMode == kModeEnglish) {
        return false;
    }
    if (isApplicationKey(virtualKey)) {
        return false;
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z' && keyState != nullptr &&
        (keyState[kVkControl] & 0x80) != 0) {
        return false;
    }
    if (released) {
        return false;
    }
    if (virtualKey == kVkBack || virtualKey == kVkReturn) {
        // With nothing composed, Backspace and Enter belong to the application.
        const bool empty = withActiveComposer(
            ime_, [](const auto& composer) { return composerKeyCount(composer) == 0; });
        if (state.inputMode == kModeTibetan && empty) {
            withActiveComposer(ime_, [](auto& composer) { composer.Reset(); });
            ime_.host.HideAndInvalidate();
            ime_.host.RepaintCompWindow();
            return false;
        }
    }
    return true;
}

unsigned KeyRouter::ToAsciiEx(unsigned virtualKey, unsigned scanCode, MessageList messages,
                              ContextHandle himc, bool contextUsable) {
    if ((scanCode & kScanReleased) != 0) {
        return 0;
    }
    if (!contextUsable) {
        return 0;
    }
    const unsigned vk = virtualKey & 0xFFu;
    // The character the keyboard produced arrives in the high word; only its low byte counts.
    const char ch = static_cast<char>((virtualKey >> 16) & 0xFFu);
    InputState& state = ime_.state;

    if (state.softVisible != 0) {
        wchar_t mapped = 0;
        std::wstring_view mappedText;
        if (MapSoftKey(ch, state.softPage, state.layoutIndex, mapped)) {
            mappedText = std::wstring_view(&mapped, 1);
        }
        return HandleSoftKeyboardKey(ime_, ch, vk, mappedText, messages, himc);
    }
    if (state.inputMode == kModeTibetan && state.layoutId == kWylieLayoutId) {
        return HandleWylieKey(ime_, ch, vk, messages, himc);
    }
    if (state.inputMode == kModeTibetan) {
        return HandleLayoutKey(ime_, ch, vk, messages, himc);
    }
    if (state.inputMode == kModeEnglish) {
        return HandleEnglishKey(ime_, ch, vk, messages, himc);
    }
    return 0;
}

} // namespace revaze
