// Key-script scenarios: each case types a script into a fresh input method, as `revaze type`
// does, and checks what the edit box holds and what the composition window would show.
//
// A scenario file is a list of blocks separated by blank lines:
//   name: wylie double space commits
//   layout: Wylie            (optional, default Wylie)
//   dict: none               (optional: "none", else the test dictionary)
//   script: ka  {Enter}
//   text: U+0F40             (code points of the edit box; "-" for empty)
//   textlength: 120          (instead of text: the number of code units in the box)
//   display: U+0020 U+0F40   (optional: the display line after the last key)
//   candidates: 2            (optional: how many candidates the shown page holds)
//   beeps: 1                 (optional)
//   mode: 3 / soft: 1 / page: 2 / layoutnow: Monlam   (optional state checks)
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.h"
#include "dictionary/test_dictionary.h"
#include "tools/simulator.h"

namespace revaze {
namespace {

const std::filesystem::path kScenarioDir =
    std::filesystem::path(REVAZE_SOURCE_DIR) / "tests" / "scenarios";

struct Scenario {
    std::string file;
    int line = 0;
    std::map<std::string, std::string> fields;
};

std::vector<Scenario> loadScenarios() {
    std::vector<Scenario> all;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kScenarioDir)) {
        if (entry.path().extension() == ".txt" && entry.path().filename() != "dictionary.txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream in(path);
        std::string line;
        Scenario current;
        int number = 0;
        auto flush = [&]() {
            if (!current.fields.empty()) {
                all.push_back(current);
            }
            current = Scenario{};
        };
        while (std::getline(in, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (line.empty()) {
                flush();
                continue;
            }
            if (line[0] == '#') {
                continue;
            }
            std::size_t colon = line.find(": ");
            if (colon == std::string::npos) {
                ADD_FAILURE() << path << ":" << number << ": no 'field: value' in " << line;
                continue;
            }
            if (current.fields.empty()) {
                current.file = path.filename().string();
                current.line = number;
            }
            current.fields[line.substr(0, colon)] = line.substr(colon + 2);
        }
        flush();
    }
    return all;
}

// "U+0F40 U+0F72" or "-" (empty) to code units.
std::wstring parseUnits(const std::string& spec) {
    std::wstring units;
    if (spec == "-") {
        return units;
    }
    std::istringstream in(spec);
    std::string word;
    while (in >> word) {
        units.push_back(static_cast<wchar_t>(std::stoul(word.substr(2), nullptr, 16)));
    }
    return units;
}

Dictionary testDictionary() {
    // The test dictionary: UTF-8 words, one per line, kept in file order.
    std::ifstream in(kScenarioDir / "dictionary.txt");
    std::string line;
    std::vector<std::wstring> words;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '#') {
            words.push_back(utf8ToUnits(line));
        }
    }
    return test::dictionaryOfWords(words);
}

void PrintTo(const Scenario& s, std::ostream* os) {
    *os << s.file << ":" << s.line;
}

class ScenarioTest : public testing::TestWithParam<Scenario> {};

TEST_P(ScenarioTest, Runs) {
    const Scenario& s = GetParam();
    SCOPED_TRACE(s.file + ":" + std::to_string(s.line) + " " + s.fields.at("name"));
    auto field = [&](const std::string& key) -> const std::string* {
        auto it = s.fields.find(key);
        return it == s.fields.end() ? nullptr : &it->second;
    };
    static const Dictionary dictionary = testDictionary();
    static const Dictionary empty;
    const std::string* dict = field("dict");
    Simulator sim(dict != nullptr && *dict == "none" ? &empty : &dictionary);
    if (const std::string* layout = field("layout")) {
        ASSERT_TRUE(sim.chooseLayout(*layout)) << *layout;
    }
    ASSERT_NE(field("script"), nullptr);
    std::string error;
    auto tokens = parseScript(*field("script"), error);
    ASSERT_TRUE(tokens.has_value()) << error;
    for (const ScriptToken& token : *tokens) {
        sim.run(token);
    }
    ASSERT_TRUE(field("text") != nullptr || field("textlength") != nullptr);
    if (const std::string* text = field("text")) {
        EXPECT_EQ(codepointList(sim.text()), codepointList(parseUnits(*text)));
    }
    if (const std::string* length = field("textlength")) {
        EXPECT_EQ(sim.text().size(), std::stoul(*length));
    }
    TraceRecord state = sim.trace("", L"");
    if (const std::string* display = field("display")) {
        EXPECT_EQ(codepointList(state.display), codepointList(parseUnits(*display)));
    }
    if (const std::string* candidates = field("candidates")) {
        EXPECT_EQ(state.candidates.size(), std::stoul(*candidates));
    }
    if (const std::string* beeps = field("beeps")) {
        EXPECT_EQ(sim.beeps(), std::stoi(*beeps));
    }
    if (const std::string* mode = field("mode")) {
        EXPECT_EQ(state.mode, std::stoi(*mode));
    }
    if (const std::string* soft = field("soft")) {
        EXPECT_EQ(state.soft, std::stoi(*soft));
    }
    if (const std::string* page = field("page")) {
        EXPECT_EQ(state.page, std::stoi(*page));
    }
    if (const std::string* layout = field("layoutnow")) {
        EXPECT_EQ(state.layout, *layout);
    }
}

std::string scenarioName(const testing::TestParamInfo<Scenario>& info) {
    std::string name = info.param.file.substr(0, info.param.file.find('.')) + "_" +
                       std::to_string(info.param.line);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScenarioTest, testing::ValuesIn(loadScenarios()), scenarioName);

TEST(ScriptParsing, UnknownBraceTokensAreErrors) {
    std::string error;
    for (const char* bad : {"{Foo}", "ka{", "{Layout:Klingon}", "a}b", "{Shift+}"}) {
        EXPECT_FALSE(parseScript(bad, error).has_value()) << bad;
        EXPECT_FALSE(error.empty());
    }
    auto ok = parseScript("{Shift+}}{LBrace}{Layout:BZD}x", error);
    ASSERT_TRUE(ok.has_value()) << error;
    ASSERT_EQ(ok->size(), 4u);
    EXPECT_EQ((*ok)[0].text, "{Shift+}}");
    EXPECT_EQ((*ok)[0].events.size(), 4u);
}

TEST(Trace, JsonLineHasEveryFieldEscaped) {
    TraceRecord r;
    r.key = "{Enter}";
    r.commit = L"\"\\";
    r.text = L"a\nb";
    r.display = std::wstring{0x0F40};
    r.candidates = {L"x", L"y"};
    r.layout = "Wylie";
    EXPECT_EQ(traceJson(r),
              "{\"key\": \"{Enter}\", \"commit\": \"\\\"\\\\\", \"text\": "
              "\"a\\nb\", \"display\": \"\xE0\xBD\x80\", \"candidates\": [\"x\", "
              "\"y\"], \"mode\": 1, \"layout\": \"Wylie\", \"soft\": 0, \"page\": 1}");
}

} // namespace
} // namespace revaze
