// `revaze tables`: the key charts and the soft keyboard as one JSON object for the help renderer.
#include "tools/key_chart.h"

#include "common/text.h"
#include "layouts/soft_keyboard_tables.h"
#include "revaze_version.h"
#include "tools/simulator.h"

namespace revaze {
namespace {

std::string text(std::wstring_view units) {
    return jsonString(unitsToUtf8(units));
}

std::string entries(const std::vector<ChartEntry>& rows) {
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out += i > 0 ? ", " : "";
        out += "{\"keys\": " + jsonString(rows[i].keys) + ", \"text\": " + text(rows[i].text) + "}";
    }
    return out + "]";
}

std::string softKeys() {
    std::string out = "[";
    for (int key = 0; key < kSoftKeyCount; ++key) {
        const SoftKeyGeometry& g = kSoftKeyGeometry[key];
        out += key > 0 ? ",\n    " : "\n    ";
        out += "{\"name\": " + text(g_softKeyTable[key].name) + ", \"x\": " + std::to_string(g.x) +
               ", \"y\": " + std::to_string(g.y) + ", \"width\": " + std::to_string(g.width) +
               ", \"height\": " + std::to_string(g.height) + "}";
    }
    return out + "]";
}

// The pages the star key steps through from page 1, in order.
std::string softPages(const Layout& layout) {
    std::string out = "[";
    int page = 1;
    do {
        out += page > 1 ? ",\n      " : "\n      ";
        out += text(softPageLabels(page, layout.index));
        page = NextSoftPage(page, layout.id);
    } while (page != 1);
    return out + "]";
}

std::string layoutJson(const Layout& layout) {
    std::string out = "{\"name\": " + jsonString(layout.name);
    out += ", \"id\": " + std::to_string(static_cast<int>(layout.id));
    out += ", \"index\": " + std::to_string(layout.index);
    out += ", \"menu\": " + text(layout.menuText);
    if (layout.id != LayoutId::Wylie && layout.id != LayoutId::Ewts) {
        LayoutChart chart = layoutChart(layout);
        out += ",\n    \"prefixKeys\": " + jsonString(chart.prefixKeys);
        out += ",\n    \"direct\": " + entries(chart.direct);
        out += ",\n    \"composed\": " + entries(chart.composed);
        out += ",\n    \"sequences\": " + entries(chart.sequences);
    }
    out += ",\n    \"softPages\": " + softPages(layout) + "}";
    return out;
}

} // namespace

std::string keyChartsJson() {
    std::string out = "{\"version\": " + jsonString(REVAZE_VERSION_STRING);
    out += ",\n  \"softKeys\": " + softKeys();
    out += ",\n  \"layouts\": [";
    bool first = true;
    for (const Layout& layout : allLayouts()) {
        out += first ? "\n    " : ",\n    ";
        out += layoutJson(layout);
        first = false;
    }
    WylieChart wylie = wylieChart();
    out += "],\n  \"wylie\": {\"direct\": " + entries(wylie.direct);
    out += ",\n    \"vowels\": " + entries(wylie.vowels);
    out += ",\n    \"letters\": " + entries(wylie.letters);
    out += ",\n    \"stacks\": " + entries(wylie.stacks) + "}";
    EwtsChart ewts = ewtsChart();
    out += ",\n  \"ewts\": {\"consonants\": " + entries(ewts.consonants);
    out += ",\n    \"vowels\": " + entries(ewts.vowels);
    out += ",\n    \"marks\": " + entries(ewts.marks);
    out += ",\n    \"symbols\": " + entries(ewts.symbols);
    out += ",\n    \"stacks\": " + entries(ewts.stacks) + "}}\n";
    return out;
}

} // namespace revaze
