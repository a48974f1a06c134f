// revaze: type keys into the input method's engine and see what it would commit.
//
//   revaze parse [--codepoints] SYLLABLE...
//   revaze ewts [--codepoints] TEXT...
//   revaze lookup [--dict FILE] [--codepoints] TEXT
//   revaze type [--layout NAME] [--setting NAME=VALUE]... [--dict FILE | --no-dict] [--codepoints]
//               [--trace] SCRIPT
//   revaze dict build WORDLIST -o FILE
//   revaze dict index FILE
//   revaze tables
//   revaze --version | --help | help
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "common/text.h"
#include "dictionary/dictionary.h"
#include "ewts/ewts_parser.h"
#include "revaze_version.h"
#include "settings/settings.h"
#include "tools/key_chart.h"
#include "tools/simulator.h"
#include "tools/word_list.h"
#include "wylie/syllable_parser.h"

namespace {

using namespace revaze;

constexpr int kBadArguments = 2;

int fail(const std::string& message) {
    std::cerr << "revaze: " << message << '\n';
    return kBadArguments;
}

std::string usage() {
    return "usage: revaze parse|ewts|lookup|type|dict build|dict index|tables ... (revaze --help)";
}

constexpr const char* kHelp =
    "usage:\n"
    "  revaze parse [--codepoints] SYLLABLE...\n"
    "  revaze ewts [--codepoints] TEXT...\n"
    "  revaze lookup [--dict FILE] [--codepoints] TEXT\n"
    "  revaze type [--layout NAME] [--setting NAME=VALUE]... [--dict FILE | --no-dict]\n"
    "              [--codepoints] [--trace] SCRIPT\n"
    "  revaze dict build WORDLIST -o FILE\n"
    "  revaze dict index FILE\n"
    "  revaze tables\n"
    "  revaze --version | --help | help\n"
    "\n"
    "parse    the Tibetan spelling of each Wylie syllable, one per line\n"
    "ewts     the Tibetan of each Extended Wylie text (whole strings), one per line\n"
    "lookup   the dictionary candidates for a Tibetan text, in dictionary order\n"
    "type     what the input method leaves in an empty edit box after SCRIPT: every printable\n"
    "         character but { and } is a key; {Enter} {Back} {Esc} {PgUp} {PgDn} {Shift}\n"
    "         {Shift+c} {CapsLock} {Star} {Soft} {Mode} {Layout:NAME} {LBrace} {RBrace} are the\n"
    "         others. The input method has no stored settings but those given by --setting:\n"
    "         StartLayout=NAME StartMode=Tibetan|English CapsLock=Letters|Ignore|English\n"
    "         ShiftToggles=0|1 RememberLayout=0|1\n"
    "dict     build: writes a UTF-8 word list as a dictionary file, with its index;\n"
    "         index: writes the prepared index beside a dictionary (name.dat: name.idx)\n"
    "tables   the key charts of the nine layouts and the soft keyboard pages, as JSON\n"
    "\n"
    "Layouts: Wylie Wylie-F Himalaya Dzongkha Sambhota-1 Sambhota-2 Monlam BZD EWTS.\n"
    "The default dictionary is REVAZE_DICTIONARY, else the one built with the tool.\n";

std::string defaultDictionaryPath() {
    if (const char* path = std::getenv("REVAZE_DICTIONARY")) {
        return path;
    }
    return REVAZE_DEFAULT_DICTIONARY;
}

// Opens a dictionary file with its prepared index; a file that is refused is a bad argument.
// Notes about an index that is not used are not the tool's output.
std::unique_ptr<Dictionary> loadDictionary(const std::string& path, std::string& error) {
    std::ostringstream diagnostics;
    std::unique_ptr<Dictionary> dictionary = openDictionary(path, diagnostics);
    if (dictionary == nullptr) {
        error = diagnostics.str();
        if (!error.empty() && error.back() == '\n') {
            error.pop_back();
        }
    }
    return dictionary;
}

// Writes a whole file under a temporary name, then puts it in place: a process that has the old
// file mapped keeps reading the old file, never a half-written one.
bool writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temporary = path;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

// Writes the prepared index of the dictionary at `path` beside it.
bool writeIndex(const std::filesystem::path& path, std::string& error) {
    const std::filesystem::path indexPath = indexPathFor(path);
    if (indexPath == path) {
        error = "a dictionary named *.idx has no place for its index";
        return false;
    }
    std::unique_ptr<Dictionary> dictionary = loadDictionary(path.string(), error);
    if (dictionary == nullptr) {
        return false;
    }
    if (!writeFile(indexPath, dictionary->indexImage())) {
        error = "cannot write " + indexPath.string();
        return false;
    }
    return true;
}

std::string render(std::wstring_view text, bool codepoints) {
    return codepoints ? codepointList(text) : unitsToUtf8(text);
}

// parse and ewts: [--codepoints] and texts, each converted and printed on a line of its own.
template <typename Convert>
int convertEach(const std::string& command, const std::string& what,
                const std::vector<std::string>& args, Convert convert) {
    bool codepoints = false;
    std::vector<std::string> texts;
    for (const std::string& arg : args) {
        if (arg == "--codepoints") {
            codepoints = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return fail(command + ": unknown option " + arg);
        } else {
            texts.push_back(arg);
        }
    }
    if (texts.empty()) {
        return fail(command + ": no " + what + " given");
    }
    std::string out;
    for (const std::string& text : texts) {
        out += render(convert(text), codepoints) + "\n";
    }
    std::cout << out;
    return 0;
}

int cmdParse(const std::vector<std::string>& args) {
    WylieSyllableParser parser;
    return convertEach("parse", "syllable", args, [&parser](const std::string& syllable) {
        parser.Parse(syllable.c_str());
        return std::wstring(parser.Output());
    });
}

int cmdEwts(const std::vector<std::string>& args) {
    return convertEach("ewts", "text", args,
                       [](const std::string& text) { return ewtsToTibetan(utf8ToUnits(text)); });
}

int cmdLookup(const std::vector<std::string>& args) {
    bool codepoints = false;
    std::string dictPath = defaultDictionaryPath();
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--codepoints") {
            codepoints = true;
        } else if (args[i] == "--dict") {
            if (++i >= args.size()) {
                return fail("lookup: --dict needs a file");
            }
            dictPath = args[i];
        } else if (args[i].size() > 1 && args[i][0] == '-' && args[i][1] == '-') {
            return fail("lookup: unknown option " + args[i]);
        } else {
            texts.push_back(args[i]);
        }
    }
    if (texts.size() != 1) {
        return fail("lookup: give exactly one TEXT");
    }
    std::string error;
    std::unique_ptr<Dictionary> dictionary = loadDictionary(dictPath, error);
    if (dictionary == nullptr) {
        return fail(error);
    }
    std::string out;
    for (const std::wstring& candidate : LookupCandidates(*dictionary, utf8ToUnits(texts[0]))) {
        out += render(candidate, codepoints) + "\n";
    }
    std::cout << out;
    return 0;
}

// What `revaze type` was asked to do.
struct TypeRequest {
    bool codepoints = false;
    bool trace = false;
    bool noDict = false;
    std::string dictPath = defaultDictionaryPath();
    std::string layout;
    Settings settings;
    std::string script;
};

// Reads the arguments of `type`; a message for the first that is wrong.
std::optional<std::string> readTypeArguments(const std::vector<std::string>& args,
                                             TypeRequest& request) {
    bool dictGiven = false;
    std::vector<std::string> scripts;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--codepoints") {
            request.codepoints = true;
        } else if (a == "--trace") {
            request.trace = true;
        } else if (a == "--no-dict") {
            request.noDict = true;
        } else if (a == "--dict" || a == "--layout" || a == "--setting") {
            if (i + 1 >= args.size()) {
                return a + " needs a value";
            }
            if (a == "--dict") {
                request.dictPath = args[++i];
                dictGiven = true;
            } else if (a == "--setting") {
                if (auto why = ApplySettingArgument(request.settings, args[++i])) {
                    return *why;
                }
            } else {
                request.layout = args[++i];
            }
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return "unknown option " + a;
        } else {
            scripts.push_back(a);
        }
    }
    if (request.noDict && dictGiven) {
        return "--dict and --no-dict exclude each other";
    }
    if (scripts.size() != 1) {
        return "give exactly one SCRIPT";
    }
    if (!request.layout.empty() && findLayoutByName(request.layout) == nullptr) {
        return "unknown layout " + request.layout;
    }
    request.script = scripts[0];
    return std::nullopt;
}

// Types the tokens into a fresh simulator: a trace line after each token, or the edit box.
std::string typeTokens(const TypeRequest& request, const std::vector<ScriptToken>& tokens,
                       const Dictionary* dictionary) {
    Simulator simulator(dictionary, request.settings.Start());
    if (!request.layout.empty()) {
        simulator.chooseLayout(request.layout);
    }
    std::string out;
    for (const ScriptToken& token : tokens) {
        std::size_t before = simulator.commits().size();
        simulator.run(token);
        if (request.trace) {
            std::wstring committed;
            for (std::size_t i = before; i < simulator.commits().size(); ++i) {
                committed += simulator.commits()[i];
            }
            out += traceJson(simulator.trace(token.text, committed)) + "\n";
        }
    }
    if (!request.trace) {
        out = render(simulator.text(), request.codepoints) + "\n";
    }
    return out;
}

int cmdType(const std::vector<std::string>& args) {
    TypeRequest request;
    if (auto why = readTypeArguments(args, request)) {
        return fail("type: " + *why);
    }
    std::string error;
    auto tokens = parseScript(request.script, error);
    if (!tokens) {
        return fail("type: " + error);
    }
    std::unique_ptr<Dictionary> dictionary;
    if (!request.noDict) {
        dictionary = loadDictionary(request.dictPath, error);
        if (dictionary == nullptr) {
            return fail(error);
        }
    }
    std::cout << typeTokens(request, *tokens, dictionary.get());
    return 0;
}

int cmdDictIndex(const std::vector<std::string>& args) {
    if (args.size() != 2 || (args[1].size() > 1 && args[1][0] == '-')) {
        return fail("dict index: usage: revaze dict index FILE");
    }
    std::string error;
    if (!writeIndex(args[1], error)) {
        return fail("dict index: " + error);
    }
    std::cerr << "revaze: index written to " << indexPathFor(args[1]).string() << '\n';
    return 0;
}

int cmdDict(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "index") {
        return cmdDictIndex(args);
    }
    if (args.empty() || args[0] != "build") {
        return fail("dict: only 'dict build WORDLIST -o FILE' and 'dict index FILE' are known");
    }
    std::string input;
    std::string output;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (++i >= args.size()) {
                return fail("dict build: -o needs a file");
            }
            output = args[i];
        } else if (input.empty() && !(args[i].size() > 1 && args[i][0] == '-')) {
            input = args[i];
        } else {
            return fail("dict build: unexpected argument " + args[i]);
        }
    }
    if (input.empty() || output.empty()) {
        return fail("dict build: usage: revaze dict build WORDLIST -o FILE");
    }
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        return fail("dict build: cannot read " + input);
    }
    std::ostringstream content;
    content << in.rdbuf();
    std::vector<std::wstring> words = orderedWords(content.str());
    if (!writeFile(output, dictionaryFileBytes(words))) {
        return fail("dict build: cannot write " + output);
    }
    std::string error;
    if (!writeIndex(output, error)) {
        return fail("dict build: " + error);
    }
    std::cerr << "revaze: " << words.size() << " words written to " << output << ", its index to "
              << indexPathFor(output).string() << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc < 2) {
            return fail(usage());
        }
        std::string command = argv[1];
        std::vector<std::string> args(argv + 2, argv + argc);
        if (command == "parse") {
            return cmdParse(args);
        }
        if (command == "ewts") {
            return cmdEwts(args);
        }
        if (command == "lookup") {
            return cmdLookup(args);
        }
        if (command == "type") {
            return cmdType(args);
        }
        if (command == "dict") {
            return cmdDict(args);
        }
        if (command == "tables" && args.empty()) {
            std::cout << keyChartsJson();
            return 0;
        }
        if ((command == "--help" || command == "help") && args.empty()) {
            std::cout << kHelp;
            return 0;
        }
        if (command == "--version" && args.empty()) {
            std::cout << "revaze " << REVAZE_VERSION_STRING << '\n';
            return 0;
        }
        return fail("unknown command " + command + "; " + usage());
    } catch (const std::exception& e) {
        std::cerr << "revaze: " << e.what() << '\n';
        return 1;
    }
}
