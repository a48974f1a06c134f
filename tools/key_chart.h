// The key charts of the help document, derived from the engine's own tables with the engine's own
// lookups, so that a printed chart cannot say something the input method does not do.
// `revaze tables` prints them as JSON (key_chart_json.cpp); the help renderer draws from that.
#pragma once

#include <string>
#include <vector>

#include "layouts/layouts.h"

namespace revaze {

// Keys typed one after the other and the text they give.
struct ChartEntry {
    std::string keys;
    std::wstring text;
};

// What the keys of one table-driven layout do.
struct LayoutChart {
    const Layout* layout = nullptr;
    // Keys that commit their character at once while nothing is composed.
    std::vector<ChartEntry> direct;
    // Keys that start a character of the composition (the first row of each key wins).
    std::vector<ChartEntry> composed;
    // Composing keys whose own character is a placeholder outside the Tibetan block (an arrow or
    // the Latin key itself) that the next key turns into a subjoined letter or a sign.
    std::string prefixKeys;
    // Two to four keys that build one character, in table order: only the rows that win their
    // lookup and that typing can reach (each shorter sequence must compose first, and a digit 1
    // to 5 while composing chooses a candidate instead).
    std::vector<ChartEntry> sequences;
};

// The Wylie layout, from its own tables.
struct WylieChart {
    std::vector<ChartEntry> direct;  // with nothing composed
    std::vector<ChartEntry> vowels;  // the sign each vowel key writes (a writes none)
    std::vector<ChartEntry> letters; // one key, one letter
    std::vector<ChartEntry> stacks;  // two to four keys spelling a letter or a stack
};

// The EWTS layout, from its own tables; every text is what the parser makes of the keys.
struct EwtsChart {
    std::vector<ChartEntry> consonants; // each with its inherent a, as typed
    std::vector<ChartEntry> vowels;     // on a-chen
    std::vector<ChartEntry> marks;      // typed on a-chen (aM)
    std::vector<ChartEntry> symbols;    // outside a syllable
    std::vector<ChartEntry> stacks;     // a few stacks made with "+"
};

LayoutChart layoutChart(const Layout& layout);
WylieChart wylieChart();
EwtsChart ewtsChart();

// The labels of one soft keyboard page of a layout, in key index order (57 keys).
std::wstring softPageLabels(int page, int layoutIndex);

// Everything above for every layout, with the soft keyboard's keys and the version, as one JSON
// object (`revaze tables`).
std::string keyChartsJson();

} // namespace revaze
