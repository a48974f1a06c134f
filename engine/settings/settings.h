// The user's settings: their names, types and defaults, how a stored value is read and checked,
// and what a session starts with. Where they are stored is a SettingsSource's business (the
// registry on Windows, a table in the tests and the tool); with nothing stored every setting is
// its default and the input method behaves as a freshly installed one.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layouts/layouts.h"
#include "session/session_options.h"

namespace revaze {

// A value as a store holds it: text (REG_SZ) or a number (REG_DWORD); any other kind is Other.
struct StoredValue {
    enum class Type { Text, Number, Other } type = Type::Other;
    std::string text;
    std::uint32_t number = 0;

    static StoredValue Text(std::string_view text) { return {Type::Text, std::string(text), 0}; }
    static StoredValue Number(std::uint32_t number) { return {Type::Number, {}, number}; }
    bool operator==(const StoredValue&) const = default;
};

inline constexpr std::string_view kStartLayoutName = "StartLayout";
inline constexpr std::string_view kRememberLayoutName = "RememberLayout";
inline constexpr std::string_view kStartModeName = "StartMode";
inline constexpr std::string_view kCapsLockName = "CapsLock";
inline constexpr std::string_view kShiftTogglesName = "ShiftToggles";

struct Settings {
    // Unset: Wylie, or the layout of the language profile the user chose (Dzongkha's profile
    // starts in Dzongkha).
    std::optional<LayoutId> startLayout;
    bool rememberLayout = false; // choosing a layout also stores it as StartLayout
    InputMode startMode = InputMode::Tibetan;
    CapsLockPolicy capsLock = CapsLockPolicy::Letters;
    bool shiftToggles = true;

    bool operator==(const Settings&) const = default;

    KeyPolicy Keys() const { return {capsLock, shiftToggles}; }
    SessionStart Start(LayoutId profileLayout = LayoutId::Wylie) const {
        return {startMode, startLayout.value_or(profileLayout), Keys()};
    }
};

// Reads one stored value into `settings`. An unknown name, a value of the wrong type or one that
// is none of the setting's values changes nothing; the answer then says why, in one line.
std::optional<std::string> ApplySetting(Settings& settings, std::string_view name,
                                        const StoredValue& value);
// The tool's `NAME=VALUE`: digits are a number, anything else text; then as ApplySetting.
std::optional<std::string> ApplySettingArgument(Settings& settings, std::string_view argument);

// Where values are kept. A source hands out every value it holds, with its name.
class SettingsSource {
public:
    using Visitor = std::function<void(std::string_view name, const StoredValue& value)>;
    virtual ~SettingsSource() = default;
    virtual void ForEach(const Visitor& visit) const = 0;
};

// A source that can be written: the user's own values.
class SettingsStore : public SettingsSource {
public:
    virtual bool Write(std::string_view name, const StoredValue& value) = 0;
};

// One line for each value that was ignored (the Windows layer hands it to the debugger).
using SettingsDiagnostic = std::function<void(std::string_view line)>;

// Reads the sources in order, each over the ones before: the machine's defaults first, then the
// user's own values. Never fails: whatever cannot be read is left at its default.
Settings LoadSettings(std::initializer_list<const SettingsSource*> sources,
                      const SettingsDiagnostic& diagnose);

// A setting's stored form (StartLayout only when it is set).
std::vector<std::pair<std::string_view, StoredValue>> StoredSettings(const Settings& settings);
// Writes the settings of `after` whose stored form differs from `before`'s; false when a write
// failed.
bool SaveChangedSettings(const Settings& before, const Settings& after, SettingsStore& store);

// The values in a table, in the order written: the tests' and the tool's store.
class TableSettings final : public SettingsStore {
public:
    TableSettings() = default;
    TableSettings(std::initializer_list<std::pair<std::string, StoredValue>> values)
        : values_(values) {}
    void ForEach(const Visitor& visit) const override;
    bool Write(std::string_view name, const StoredValue& value) override;
    const StoredValue* find(std::string_view name) const;

private:
    std::vector<std::pair<std::string, StoredValue>> values_;
};

} // namespace revaze
