#include "tools/key_chart.h"

#include "common/text.h"
#include "ewts/ewts_parser.h"
#include "ewts/ewts_tables.h"
#include "layouts/soft_keyboard_tables.h"
#include "wylie/wylie_tables.h"

#include <set>

namespace revaze {
namespace {

bool choosesCandidate(char key) {
    return key >= '1' && key <= '5';
}

// Every key a US keyboard types without Ctrl or Alt, the space included.
std::string printableKeys() {
    std::string keys;
    for (char c = ' '; c <= '~'; ++c) {
        keys += c;
    }
    return keys;
}

// Can typing reach the row `keys` (two to four keys) as one group? The first key must start a
// character, and every shorter sequence must itself be a winning row.
bool reachable(const LayoutTables& tables, const std::string& keys) {
    if (!isLayoutKey(tables, keys[0]) || choosesCandidate(keys[0]) ||
        oneKeyCode(tables, keys[0]) == L'\0') {
        return false;
    }
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (!isLayoutKey(tables, keys[i]) || choosesCandidate(keys[i])) {
            return false;
        }
        if (i + 1 < keys.size() && multiKeyCode(tables, keys.substr(0, i + 1)) == L'\0') {
            return false;
        }
    }
    return true;
}

// The rows of one multi-key table that typing reaches and that win their lookup, each once.
void addSequences(const LayoutTables& tables, std::span<const KeyRow> rows,
                  std::vector<ChartEntry>& out) {
    std::set<std::string> seen;
    for (const KeyRow& row : rows) {
        std::string keys(row.keys);
        if (keys.size() < 2 || !seen.insert(keys).second) {
            continue;
        }
        if (multiKeyCode(tables, keys) == row.code && reachable(tables, keys)) {
            out.push_back({keys, std::wstring(1, row.code)});
        }
    }
}

// A spelling can be typed only when each of its keys composes (R has a letter but is no key).
bool wylieKeys(std::string_view keys) {
    for (char key : keys) {
        if (!isWylieKey(key)) {
            return false;
        }
    }
    return !keys.empty();
}

template <std::size_t Units>
void addClusters(std::span<const ClusterEntry<Units>> rows, std::vector<ChartEntry>& out) {
    for (const auto& row : rows) {
        if (wylieKeys(row.key)) {
            out.push_back({std::string(row.key), std::wstring(row.spelling())});
        }
    }
}

} // namespace

LayoutChart layoutChart(const Layout& layout) {
    LayoutChart chart;
    chart.layout = &layout;
    const LayoutTables& tables = layout.tables;
    for (char key : printableKeys()) {
        const DirectRow* direct = findDirectRow(tables, key);
        if (direct != nullptr && direct->code != L'\0') {
            chart.direct.push_back({std::string(1, key), std::wstring(1, direct->code)});
        }
        // While composing, a digit 1 to 5 chooses a candidate: it never composes.
        wchar_t code =
            isLayoutKey(tables, key) && !choosesCandidate(key) ? oneKeyCode(tables, key) : L'\0';
        if (code != L'\0') {
            chart.composed.push_back({std::string(1, key), std::wstring(1, code)});
        }
    }
    addSequences(tables, tables.twoKey, chart.sequences);
    addSequences(tables, tables.threeKey, chart.sequences);
    addSequences(tables, tables.fourKey, chart.sequences);
    for (const ChartEntry& e : chart.composed) {
        bool starts = false;
        for (const ChartEntry& sequence : chart.sequences) {
            starts = starts || sequence.keys[0] == e.keys[0];
        }
        if (starts && (e.text[0] < 0x0F00 || e.text[0] > 0x0FFF)) {
            chart.prefixKeys += e.keys;
        }
    }
    return chart;
}

WylieChart wylieChart() {
    WylieChart chart;
    std::set<char> seen;
    for (const DirectKey& row : DirectKeyTable) {
        if (row.key != '\0' && seen.insert(row.key).second) {
            chart.direct.push_back({std::string(1, row.key), std::wstring(1, row.unit)});
        }
    }
    for (const VowelEntry& row : VowelTable) {
        chart.vowels.push_back(
            {std::string(1, row.key), row.sign == 0 ? std::wstring() : std::wstring(1, row.sign)});
    }
    for (const LetterEntry& row : LetterTable) {
        if (wylieKeys(row.key)) {
            chart.letters.push_back({std::string(row.key), std::wstring(1, row.unit)});
        }
    }
    addClusters<2>(PairTable, chart.stacks);
    addClusters<3>(TripleTable, chart.stacks);
    addClusters<3>(QuadTable, chart.stacks);
    return chart;
}

EwtsChart ewtsChart() {
    EwtsChart chart;
    auto entry = [](std::string keys, std::string_view typed) {
        return ChartEntry{std::move(keys), ewtsToTibetan(widenKeys(typed))};
    };
    for (const EwtsConsonant& row : EwtsConsonantTable) {
        // The spellings with "-" and "+" repeat a letter of the table under another name.
        if (row.key.find_first_of("-+") == std::string_view::npos) {
            const std::string keys = std::string(row.key) + "a";
            chart.consonants.push_back(entry(keys, keys));
        }
    }
    for (const EwtsVowel& row : EwtsVowelTable) {
        chart.vowels.push_back(entry(std::string(row.key), row.key));
    }
    for (const EwtsMark& row : EwtsMarkTable) {
        const std::string keys = "a" + std::string(row.key);
        chart.marks.push_back(entry(keys, keys));
    }
    for (const EwtsSymbol& row : EwtsSymbolTable) {
        chart.symbols.push_back({std::string(row.key), std::wstring(row.text)});
    }
    for (const char* keys : {"pad+ma", "badz+ra", "sat+twa", "sid+dhi", "k+Sha", "shrI", "drwa",
                             "g+ha", "rtswa", "hUM", "oM", "g.yag"}) {
        chart.stacks.push_back(entry(keys, keys));
    }
    return chart;
}

std::wstring softPageLabels(int page, int layoutIndex) {
    std::wstring labels;
    for (int key = 0; key < kSoftKeyCount; ++key) {
        labels += SoftPageLabel(page, layoutIndex, key);
    }
    return labels;
}

} // namespace revaze
