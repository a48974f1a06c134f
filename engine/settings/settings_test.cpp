#include <gtest/gtest.h>

#include "session/session.h"
#include "settings/settings.h"

namespace revaze {
namespace {

using Value = StoredValue;

Settings loaded(const TableSettings& user, std::vector<std::string>* lines = nullptr) {
    return LoadSettings({&user}, [&](std::string_view line) {
        if (lines != nullptr) {
            lines->emplace_back(line);
        }
    });
}

TEST(Settings, NothingStoredIsAFreshInputMethod) {
    const Settings settings = loaded({});
    EXPECT_EQ(settings, Settings{});
    EXPECT_EQ(settings.Start(), SessionStart{});
    EXPECT_EQ(settings.Start(LayoutId::Dzongkha).layout, LayoutId::Dzongkha);
}

TEST(Settings, EveryValueOfEverySetting) {
    struct Row {
        const char* name;
        Value value;
        Settings expected;
    };
    std::vector<Row> rows;
    for (const Layout& layout : allLayouts()) {
        Settings s;
        s.startLayout = layout.id;
        rows.push_back({"StartLayout", Value::Text(layout.name), s});
    }
    Settings remember, english, ignore, capsEnglish, noShift;
    remember.rememberLayout = true;
    english.startMode = InputMode::English;
    ignore.capsLock = CapsLockPolicy::Ignore;
    capsEnglish.capsLock = CapsLockPolicy::English;
    noShift.shiftToggles = false;
    rows.insert(rows.end(), {
                                {"RememberLayout", Value::Number(1), remember},
                                {"RememberLayout", Value::Number(0), {}},
                                {"StartMode", Value::Text("English"), english},
                                {"StartMode", Value::Text("Tibetan"), {}},
                                {"CapsLock", Value::Text("Letters"), {}},
                                {"CapsLock", Value::Text("Ignore"), ignore},
                                {"CapsLock", Value::Text("English"), capsEnglish},
                                {"ShiftToggles", Value::Number(0), noShift},
                                {"ShiftToggles", Value::Number(1), {}},
                            });
    for (const Row& row : rows) {
        std::vector<std::string> lines;
        EXPECT_EQ(loaded({{row.name, row.value}}, &lines), row.expected) << row.name;
        EXPECT_TRUE(lines.empty()) << row.name;
        // What is stored reads back as the same settings.
        TableSettings table;
        for (const auto& [name, value] : StoredSettings(row.expected)) {
            table.Write(name, value);
        }
        EXPECT_EQ(loaded(table), row.expected) << row.name;
    }
}

TEST(Settings, WhatCannotBeReadIsAbsentWithOneLine) {
    const std::pair<std::string, Value> rows[] = {
        {"StartLayout", Value::Number(20)},
        {"StartLayout", Value::Text("wylie")},
        {"StartLayout", Value::Text("")},
        {"RememberLayout", Value::Text("1")},
        {"RememberLayout", Value::Number(2)},
        {"StartMode", Value::Text("Chinese")},
        {"StartMode", Value{}},
        {"CapsLock", Value::Number(1)},
        {"CapsLock", Value::Text("ignore")},
        {"ShiftToggles", Value::Text("0")},
        {"ShiftTogles", Value::Number(0)},
        {"", Value::Text("Wylie")},
    };
    for (const auto& row : rows) {
        std::vector<std::string> lines;
        EXPECT_EQ(loaded({row}, &lines), Settings{}) << row.first;
        ASSERT_EQ(lines.size(), 1u) << row.first;
        EXPECT_EQ(lines[0].find("setting " + row.first + ": "), 0u) << lines[0];
    }
    // The others still count.
    std::vector<std::string> lines;
    const Settings s =
        loaded({{"CapsLock", Value::Number(2)}, {"StartMode", Value::Text("English")}}, &lines);
    EXPECT_EQ(s.startMode, InputMode::English);
    EXPECT_EQ(lines.size(), 1u);
}

TEST(Settings, TheUsersValueWinsOverTheMachines) {
    const TableSettings machine = {{"StartLayout", Value::Text("Monlam")},
                                   {"CapsLock", Value::Text("Ignore")},
                                   {"ShiftToggles", Value::Number(0)}};
    const TableSettings user = {{"StartLayout", Value::Text("BZD")},
                                {"ShiftToggles", Value::Text("yes")}};
    const Settings s = LoadSettings({&machine, &user}, nullptr);
    EXPECT_EQ(s.startLayout, LayoutId::Bzd);
    EXPECT_EQ(s.capsLock, CapsLockPolicy::Ignore);
    EXPECT_FALSE(s.shiftToggles); // the user's value cannot be read: the machine's holds
    EXPECT_EQ(s.Start(LayoutId::Dzongkha).layout, LayoutId::Bzd);
}

TEST(Settings, OnlyChangedValuesAreWritten) {
    Settings before;
    Settings after = before;
    after.capsLock = CapsLockPolicy::English;
    TableSettings store;
    ASSERT_TRUE(SaveChangedSettings(before, after, store));
    EXPECT_EQ(loaded(store), after);
    ASSERT_NE(store.find("CapsLock"), nullptr);
    EXPECT_EQ(*store.find("CapsLock"), Value::Text("English"));
    EXPECT_EQ(store.find("StartLayout"), nullptr); // unset stays unset: a profile's own layout
    EXPECT_EQ(store.find("ShiftToggles"), nullptr);
}

TEST(Settings, ToolArguments) {
    Settings s;
    EXPECT_EQ(ApplySettingArgument(s, "StartLayout=Sambhota-2"), std::nullopt);
    EXPECT_EQ(ApplySettingArgument(s, "ShiftToggles=0"), std::nullopt);
    EXPECT_EQ(s.startLayout, LayoutId::Sambhota2);
    EXPECT_FALSE(s.shiftToggles);
    for (const char* bad : {"StartLayout", "=Wylie", "StartLayout=12", "ShiftToggles=no",
                            "ShiftToggles=", "Colour=red", "CapsLock=English=1"}) {
        Settings unchanged = s;
        EXPECT_NE(ApplySettingArgument(unchanged, bad), std::nullopt) << bad;
        EXPECT_EQ(unchanged, s) << bad;
    }
}

TEST(Settings, ASessionStartsAsTheSettingsSay) {
    Settings s;
    s.startLayout = LayoutId::Monlam;
    s.startMode = InputMode::English;
    s.shiftToggles = false;
    const Session session(nullptr, s.Start());
    EXPECT_EQ(session.view().state.layoutId, LayoutId::Monlam);
    EXPECT_EQ(session.view().state.layoutIndex(), findLayout(LayoutId::Monlam)->index);
    EXPECT_EQ(session.view().mode, InputMode::English);
    EXPECT_FALSE(session.keyPolicy().shiftToggles);
}

} // namespace
} // namespace revaze
