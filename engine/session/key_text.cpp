#include "session/key_text.h"

#include <array>
#include <cstdio>

#include "common/keys.h"

namespace revaze {

namespace {

struct KeyName {
    std::string_view name;
    unsigned vk;
    char ch;
};

constexpr std::array<KeyName, 10> kKeyNames = {{
    {"Enter", kVkReturn, '\r'},
    {"Back", kVkBack, '\b'},
    {"Esc", kVkEscape, '\x1b'},
    {"PgUp", kVkPrior, 0},
    {"PgDn", kVkNext, 0},
    {"Shift", kVkShift, 0},
    {"CapsLock", kVkCapital, 0},
    {"Star", kVkHelp, 0},
    {"LBrace", kVkOem4, '{'},
    {"RBrace", kVkOem6, '}'},
}};

bool isCharacterKey(char c) {
    return c >= 0x20 && c <= 0x7E && c != '{' && c != '}';
}

constexpr std::string_view kCtrl = "Ctrl+";
constexpr std::string_view kUp = " up";
constexpr std::string_view kCaps = " caps";

bool consumeFront(std::string_view& text, std::string_view part) {
    if (!text.starts_with(part)) {
        return false;
    }
    text.remove_prefix(part.size());
    return true;
}

bool consumeBack(std::string_view& text, std::string_view part) {
    if (!text.ends_with(part)) {
        return false;
    }
    text.remove_suffix(part.size());
    return true;
}

// "{vk 2E}" or "{vk 2E ch 41}", as keyName writes them.
std::optional<KeyEvent> unnamedKey(std::string_view text) {
    unsigned vk = 0;
    unsigned ch = 0;
    int used = 0;
    const std::string copy(text);
    const bool withCharacter = std::sscanf(copy.c_str(), "{vk %2X ch %2X}%n", &vk, &ch, &used) == 2;
    if (!withCharacter) {
        ch = 0;
        used = 0;
        std::sscanf(copy.c_str(), "{vk %2X}%n", &vk, &used);
    }
    if (used != static_cast<int>(copy.size())) {
        return std::nullopt;
    }
    KeyEvent key;
    key.vk = vk;
    key.ch = static_cast<char>(ch);
    return key;
}

std::string keyName(unsigned vk, char ch) {
    if (isCharacterKey(ch) && virtualKeyOf(ch) == vk) {
        return std::string(1, ch);
    }
    for (const KeyName& named : kKeyNames) {
        if (named.vk == vk && named.ch == ch) {
            std::string text(1, '{');
            text += named.name;
            text += '}';
            return text;
        }
    }
    char buffer[24];
    if (ch == 0) {
        std::snprintf(buffer, sizeof buffer, "{vk %02X}", vk);
    } else {
        std::snprintf(buffer, sizeof buffer, "{vk %02X ch %02X}", vk,
                      static_cast<unsigned>(static_cast<unsigned char>(ch)));
    }
    return buffer;
}

} // namespace

std::optional<KeyEvent> namedKey(std::string_view name) {
    KeyEvent key;
    if (name.size() == 1 && isCharacterKey(name[0])) {
        key.vk = virtualKeyOf(name[0]);
        key.ch = name[0];
        return key;
    }
    for (const KeyName& named : kKeyNames) {
        if (named.name == name) {
            key.vk = named.vk;
            key.ch = named.ch;
            return key;
        }
    }
    return std::nullopt;
}

std::string keyText(const KeyEvent& key) {
    std::string text = key.ctrl ? std::string(kCtrl) : std::string();
    text += keyName(key.vk & 0xFFu, key.ch);
    if (key.released) {
        text += kUp;
    }
    if (key.capsLock) {
        text += kCaps;
    }
    return text;
}

std::optional<KeyEvent> keyFromText(std::string_view text) {
    const std::string_view whole = text;
    const bool ctrl = consumeFront(text, kCtrl);
    const bool capsLock = consumeBack(text, kCaps);
    const bool released = consumeBack(text, kUp);
    std::optional<KeyEvent> key;
    if (text.size() == 1) {
        key = namedKey(text);
    } else if (text.size() > 2 && text.front() == '{' && text.back() == '}') {
        key = namedKey(text.substr(1, text.size() - 2));
        if (!key) {
            key = unnamedKey(text);
        }
    }
    if (!key) {
        return std::nullopt;
    }
    key->ctrl = ctrl;
    key->released = released;
    key->capsLock = capsLock;
    // Only the spelling keyText writes reads back: one text for one event.
    if (keyText(*key) != whole) {
        return std::nullopt;
    }
    return key;
}

} // namespace revaze
