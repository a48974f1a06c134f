// The candidate search against its reference, on the default dictionary and on a generated
// dictionary of 1,000,000 lines, for a common one-syllable prefix, a two-syllable prefix and a
// text that matches nothing. After the run, each production time is printed as a ratio of the
// reference time measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "dictionary/dictionary.h"

namespace {

using revaze::Dictionary;

const Dictionary& defaultDictionary() {
    static const Dictionary d = [] {
        Dictionary dict;
        const char* path = std::getenv("REVAZE_DICTIONARY");
        std::ostringstream diagnostics;
        dict.loadFile(path != nullptr ? path : REVAZE_DEFAULT_DICTIONARY, diagnostics);
        return dict;
    }();
    return d;
}

// One million lines made from the default dictionary: its lines in order, again and again, each
// copy after the first with a tsheg and the copy's number in Tibetan digits before the CR LF.
const Dictionary& millionLineDictionary() {
    static const Dictionary d = [] {
        Dictionary big;
        const Dictionary& base = defaultDictionary();
        if (base.empty()) {
            return big;
        }
        big.lines.reserve(1000000);
        for (std::size_t copy = 0; big.lines.size() < 1000000; ++copy) {
            std::wstring suffix;
            if (copy > 0) {
                suffix.push_back(static_cast<wchar_t>(0x0F0B));
                for (char digit : std::to_string(copy)) {
                    suffix.push_back(static_cast<wchar_t>(0x0F20 + (digit - '0')));
                }
            }
            for (const std::wstring& line : base.lines) {
                if (big.lines.size() == 1000000) {
                    break;
                }
                std::wstring entry = revaze::candidateOfLine(line) + suffix + L"\r\n";
                big.lines.push_back(std::move(entry));
            }
        }
        return big;
    }();
    return d;
}

struct Case {
    const char* name;
    std::wstring text;
};

const Case kCases[] = {
    {"one_syllable", {0x0F56, 0x0F40, 0x0FB2}},                          // bkra
    {"two_syllables", {0x0F56, 0x0F40, 0x0FB2, 0x0F0B, 0x0F64, 0x0F72}}, // bkra shi
    {"no_match", {0x0F40, 0x0F40, 0x0F40, 0x0F40}},
};

template <bool Reference>
void searchBench(benchmark::State& state, const Dictionary& (*dictionary)(), const Case* c) {
    const Dictionary& d = dictionary();
    if (d.empty()) {
        state.SkipWithError("the default dictionary is missing: run scripts/setup.sh and "
                            "scripts/make-default-dictionary.sh");
        return;
    }
    std::size_t found = 0;
    for (auto _ : state) {
        auto result = Reference ? revaze::ReferenceLookupCandidates(d, c->text)
                                : revaze::LookupCandidates(d, c->text);
        found = result.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["candidates"] = static_cast<double>(found);
    state.counters["lines"] = static_cast<double>(d.size());
}

// Prints the usual console table, then production time over reference time per case.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred) {
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::cout << "\nproduction / reference (real time, same run):\n";
        for (const auto& [name, time] : times_) {
            const std::string prefix = "production/";
            if (name.rfind(prefix, 0) != 0) {
                continue;
            }
            auto reference = times_.find("reference/" + name.substr(prefix.size()));
            if (reference != times_.end() && reference->second > 0) {
                std::cout << "  " << name.substr(prefix.size()) << ": " << time / reference->second
                          << " (reference is " << reference->second / time << "x slower)\n";
            }
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    struct Source {
        const char* name;
        const Dictionary& (*dictionary)();
    };
    const Source sources[] = {{"default", defaultDictionary}, {"million", millionLineDictionary}};
    for (const Source& source : sources) {
        for (const Case& c : kCases) {
            std::string name = std::string(source.name) + "/" + c.name;
            benchmark::RegisterBenchmark(("reference/" + name).c_str(), searchBench<true>,
                                         source.dictionary, &c)
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(("production/" + name).c_str(), searchBench<false>,
                                         source.dictionary, &c)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
