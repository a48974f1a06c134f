// The charts of the help document checked against what typing does: every entry is typed through
// a fresh session and must give the text the chart prints.
#include "tools/key_chart.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "layouts/soft_keyboard_tables.h"
#include "tools/simulator.h"

namespace revaze {
namespace {

// A key spelled as a script token ("{" and "}" are tokens of their own).
std::string token(char key) {
    if (key == '{') {
        return "{LBrace}";
    }
    if (key == '}') {
        return "{RBrace}";
    }
    return std::string(1, key);
}

std::string script(const std::string& keys) {
    std::string out;
    for (char key : keys) {
        out += token(key);
    }
    return out;
}

// What an empty edit box holds after typing `text` in `layout` without a dictionary.
std::wstring typed(std::string_view layout, const std::string& text) {
    Dictionary none;
    Simulator simulator(&none);
    simulator.chooseLayout(layout);
    std::string error;
    auto tokens = parseScript(text, error);
    EXPECT_TRUE(tokens.has_value()) << error;
    for (const ScriptToken& t : tokens.value_or(std::vector<ScriptToken>{})) {
        simulator.run(t);
    }
    return simulator.text();
}

// A key that starts a character of its own, commits nothing directly and joins no sequence with
// `next`: typed first, it opens a composition without changing what `next` does.
char leadKeyFor(const LayoutChart& chart, char next) {
    for (const ChartEntry& lead : chart.composed) {
        char key = lead.keys[0];
        bool direct = false;
        for (const ChartEntry& d : chart.direct) {
            direct = direct || d.keys[0] == key;
        }
        bool joins = multiKeyCode(chart.layout->tables, std::string{key, next}) != L'\0';
        if (!direct && !joins && key != '{' && key != '}') {
            return key;
        }
    }
    return '\0';
}

std::wstring leadText(const LayoutChart& chart, char lead) {
    for (const ChartEntry& e : chart.composed) {
        if (e.keys[0] == lead) {
            return e.text;
        }
    }
    return {};
}

class TableLayouts : public ::testing::TestWithParam<const Layout*> {};

TEST_P(TableLayouts, DirectKeysCommitTheirCharacterAtOnce) {
    LayoutChart chart = layoutChart(*GetParam());
    ASSERT_FALSE(chart.direct.empty());
    for (const ChartEntry& e : chart.direct) {
        EXPECT_EQ(typed(GetParam()->name, script(e.keys)), e.text)
            << GetParam()->name << " key " << e.keys;
    }
}

// Keys and sequences typed after a lead key, so that a key the layout also maps directly
// composes instead of committing, then Enter.
void expectComposes(const LayoutChart& chart, const ChartEntry& e) {
    char lead = leadKeyFor(chart, e.keys[0]);
    ASSERT_NE(lead, '\0') << chart.layout->name << " has no lead key for " << e.keys;
    std::wstring expected = leadText(chart, lead) + e.text;
    EXPECT_EQ(typed(chart.layout->name, token(lead) + script(e.keys) + "{Enter}"), expected)
        << chart.layout->name << " keys " << lead << e.keys << " give "
        << codepointList(typed(chart.layout->name, token(lead) + script(e.keys) + "{Enter}"));
}

TEST_P(TableLayouts, ComposingKeysAndSequencesGiveTheirCharacter) {
    LayoutChart chart = layoutChart(*GetParam());
    ASSERT_FALSE(chart.composed.empty());
    ASSERT_FALSE(chart.sequences.empty());
    for (const ChartEntry& e : chart.composed) {
        expectComposes(chart, e);
    }
    for (const ChartEntry& e : chart.sequences) {
        expectComposes(chart, e);
    }
}

std::vector<const Layout*> tableLayouts() {
    std::vector<const Layout*> out;
    for (const Layout& layout : allLayouts()) {
        if (layout.id != LayoutId::Wylie && layout.id != LayoutId::Ewts) {
            out.push_back(&layout);
        }
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(Charts, TableLayouts, ::testing::ValuesIn(tableLayouts()),
                         [](const auto& info) {
                             std::string name(info.param->name);
                             std::erase(name, '-');
                             return name;
                         });

TEST(KeyChart, PrefixKeysAndUnreachableRowsStayOffTheChart) {
    LayoutChart wylieF = layoutChart(*findLayout(LayoutId::WylieF));
    EXPECT_EQ(wylieF.prefixKeys, "f");
    LayoutChart himalaya = layoutChart(*findLayout(LayoutId::Himalaya));
    EXPECT_EQ(himalaya.prefixKeys, "Mm");
    EXPECT_EQ(layoutChart(*findLayout(LayoutId::Dzongkha)).prefixKeys, "`");
    EXPECT_EQ(layoutChart(*findLayout(LayoutId::Bzd)).prefixKeys, "f");
    for (const ChartEntry& e : himalaya.sequences) {
        // While m composes, 1 to 5 choose candidates.
        EXPECT_FALSE(e.keys[0] == 'm' && e.keys[1] >= '1' && e.keys[1] <= '5') << e.keys;
    }
    for (const ChartEntry& e : himalaya.composed) {
        EXPECT_FALSE(e.keys[0] >= '1' && e.keys[0] <= '5') << e.keys;
    }
    // Wylie-F's R has a row but is not a key of the layout.
    for (const ChartEntry& e : wylieF.sequences) {
        EXPECT_EQ(e.keys.find('R'), std::string::npos) << e.keys;
    }
}

// Every entry of the EWTS chart, typed in the EWTS layout and committed, gives the chart's text.
TEST(KeyChart, EwtsChartIsWhatTypingGives) {
    const EwtsChart chart = ewtsChart();
    for (const auto* part :
         {&chart.consonants, &chart.vowels, &chart.marks, &chart.symbols, &chart.stacks}) {
        ASSERT_FALSE(part->empty());
        for (const ChartEntry& e : *part) {
            // A space with nothing composed commits its tsheg at once.
            const std::string commit = e.keys == " " ? "" : "{Enter}";
            EXPECT_EQ(typed("EWTS", script(e.keys) + commit), e.text) << "keys " << e.keys;
        }
    }
}

TEST(KeyChart, WylieDirectKeysCommitAtOnce) {
    WylieChart chart = wylieChart();
    ASSERT_FALSE(chart.direct.empty());
    for (const ChartEntry& e : chart.direct) {
        EXPECT_EQ(typed("Wylie", script(e.keys)), e.text) << "key " << e.keys;
    }
}

TEST(KeyChart, WylieLettersWithTheirVowelSpellTheLetter) {
    WylieChart chart = wylieChart();
    ASSERT_EQ(chart.vowels.size(), 11u);
    for (const ChartEntry& e : chart.letters) {
        if (e.keys == "a" || e.text[0] >= 0x0F71) {
            continue; // the a-chen and the visarga H are not consonants to put a vowel on
        }
        EXPECT_EQ(typed("Wylie", e.keys + "a{Enter}"), e.text) << "letter " << e.keys;
        EXPECT_EQ(typed("Wylie", e.keys + "i{Enter}"), e.text + L"\u0F72") << "letter " << e.keys;
    }
}

TEST(KeyChart, WylieStacksWithTheInherentVowelSpellTheStack) {
    WylieChart chart = wylieChart();
    ASSERT_GT(chart.stacks.size(), 100u);
    for (const ChartEntry& e : chart.stacks) {
        EXPECT_EQ(typed("Wylie", e.keys + "a{Enter}"), e.text) << "stack " << e.keys;
    }
}

TEST(KeyChart, SoftPagesFollowTheStarKey) {
    EXPECT_EQ(softPageLabels(1, kHimalaya).size(), 57u);
    EXPECT_EQ(softPageLabels(1, kHimalaya)[kSoftKeySpace], L'\u0F0B');
    EXPECT_EQ(softPageLabels(6, kHimalaya), std::wstring(57, L' '));
}

} // namespace
} // namespace revaze
