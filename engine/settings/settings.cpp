#include "settings/settings.h"

#include <algorithm>
#include <charconv>

namespace revaze {

namespace {

// One text setting's words and what each means.
template <typename T> struct Word {
    std::string_view text;
    T value;
};

constexpr Word<InputMode> kModes[] = {{"Tibetan", InputMode::Tibetan},
                                      {"English", InputMode::English}};
constexpr Word<CapsLockPolicy> kCapsPolicies[] = {{"Letters", CapsLockPolicy::Letters},
                                                  {"Ignore", CapsLockPolicy::Ignore},
                                                  {"English", CapsLockPolicy::English}};

template <typename T, std::size_t N>
std::optional<T> wordValue(const Word<T> (&words)[N], std::string_view text) {
    for (const Word<T>& word : words) {
        if (word.text == text) {
            return word.value;
        }
    }
    return std::nullopt;
}

template <typename T, std::size_t N> std::string_view wordText(const Word<T> (&words)[N], T value) {
    for (const Word<T>& word : words) {
        if (word.value == value) {
            return word.text;
        }
    }
    return words[0].text;
}

std::optional<LayoutId> layoutValue(std::string_view text) {
    const Layout* layout = findLayoutByName(text);
    return layout != nullptr ? std::optional<LayoutId>(layout->id) : std::nullopt;
}

std::string quotedText(const StoredValue& value) {
    return "\"" + value.text + "\"";
}

// A text setting: one of its words.
template <typename T, typename Parse>
std::optional<std::string> readText(const StoredValue& value, Parse parse, T& into) {
    if (value.type != StoredValue::Type::Text) {
        return std::string("not a text");
    }
    const std::optional<T> parsed = parse(value.text);
    if (!parsed) {
        return quotedText(value) + " is not one of its values";
    }
    into = *parsed;
    return std::nullopt;
}

// A number setting: 0 or 1.
std::optional<std::string> readFlag(const StoredValue& value, bool& into) {
    if (value.type != StoredValue::Type::Number) {
        return std::string("not a number");
    }
    if (value.number > 1) {
        return std::to_string(value.number) + " is neither 0 nor 1";
    }
    into = value.number == 1;
    return std::nullopt;
}

std::optional<std::string> applyKnown(Settings& s, std::string_view name, const StoredValue& v) {
    if (name == kStartLayoutName) {
        LayoutId layout = LayoutId::Wylie;
        auto why = readText(v, layoutValue, layout);
        if (!why) {
            s.startLayout = layout;
        }
        return why;
    }
    if (name == kRememberLayoutName) {
        return readFlag(v, s.rememberLayout);
    }
    if (name == kStartModeName) {
        return readText(
            v, [](std::string_view t) { return wordValue(kModes, t); }, s.startMode);
    }
    if (name == kCapsLockName) {
        return readText(
            v, [](std::string_view t) { return wordValue(kCapsPolicies, t); }, s.capsLock);
    }
    if (name == kShiftTogglesName) {
        return readFlag(v, s.shiftToggles);
    }
    return std::string("unknown setting");
}

} // namespace

std::optional<std::string> ApplySetting(Settings& settings, std::string_view name,
                                        const StoredValue& value) {
    Settings changed = settings;
    std::optional<std::string> why = applyKnown(changed, name, value);
    if (why) {
        return "setting " + std::string(name) + ": " + *why;
    }
    settings = changed;
    return std::nullopt;
}

std::optional<std::string> ApplySettingArgument(Settings& settings, std::string_view argument) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        return "setting " + std::string(argument) + ": give NAME=VALUE";
    }
    const std::string_view name = argument.substr(0, equals);
    const std::string_view text = argument.substr(equals + 1);
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool digits = !text.empty() && error == std::errc() && end == text.data() + text.size();
    return ApplySetting(settings, name,
                        digits ? StoredValue::Number(number) : StoredValue::Text(text));
}

Settings LoadSettings(std::initializer_list<const SettingsSource*> sources,
                      const SettingsDiagnostic& diagnose) {
    Settings settings;
    for (const SettingsSource* source : sources) {
        if (source == nullptr) {
            continue;
        }
        source->ForEach([&](std::string_view name, const StoredValue& value) {
            const std::optional<std::string> why = ApplySetting(settings, name, value);
            if (why && diagnose) {
                diagnose(*why + ", ignored");
            }
        });
    }
    return settings;
}

std::vector<std::pair<std::string_view, StoredValue>> StoredSettings(const Settings& settings) {
    std::vector<std::pair<std::string_view, StoredValue>> stored;
    if (settings.startLayout) {
        const Layout* layout = findLayout(*settings.startLayout);
        stored.emplace_back(kStartLayoutName,
                            StoredValue::Text(layout != nullptr ? layout->name : "Wylie"));
    }
    stored.emplace_back(kRememberLayoutName, StoredValue::Number(settings.rememberLayout ? 1 : 0));
    stored.emplace_back(kStartModeName, StoredValue::Text(wordText(kModes, settings.startMode)));
    stored.emplace_back(kCapsLockName,
                        StoredValue::Text(wordText(kCapsPolicies, settings.capsLock)));
    stored.emplace_back(kShiftTogglesName, StoredValue::Number(settings.shiftToggles ? 1 : 0));
    return stored;
}

bool SaveChangedSettings(const Settings& before, const Settings& after, SettingsStore& store) {
    const auto old = StoredSettings(before);
    bool written = true;
    for (const auto& [name, value] : StoredSettings(after)) {
        const bool same = std::find(old.begin(), old.end(), std::pair(name, value)) != old.end();
        if (!same && !store.Write(name, value)) {
            written = false;
        }
    }
    return written;
}

void TableSettings::ForEach(const Visitor& visit) const {
    for (const auto& [name, value] : values_) {
        visit(name, value);
    }
}

bool TableSettings::Write(std::string_view name, const StoredValue& value) {
    for (auto& [stored, old] : values_) {
        if (stored == name) {
            old = value;
            return true;
        }
    }
    values_.emplace_back(std::string(name), value);
    return true;
}

const StoredValue* TableSettings::find(std::string_view name) const {
    for (const auto& [stored, value] : values_) {
        if (stored == name) {
            return &value;
        }
    }
    return nullptr;
}

} // namespace revaze
