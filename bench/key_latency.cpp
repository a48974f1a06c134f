// The time of each key through the session, as the input method spends it: a script typed again
// and again into a fresh session (the tool's simulator), every token (press and release) timed.
// For no dictionary, the default dictionary and the million-line one (both mapped with their
// prepared index), in Wylie and in a table layout. Prints p50, p99 and the maximum.
//
//     key_latency [PASSES]        (50 by default)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_dictionaries.h"
#include "tools/simulator.h"

namespace {

using namespace revaze;

struct Script {
    const char* layout;
    const char* keys;
};

// Running text: phrases committed with Enter, candidates paged and chosen now and then.
const Script kScripts[] = {
    {"Wylie", "bod kyi skad yig ni{Enter}bkra shis bde legs{Enter}thugs rje che{Enter}"
              "nga bod pa yin{Enter}khyed rang gi ming la ga re zer{Enter}sangs rgyas{PgDn}1"
              "chos dang tshogs kyi mchog rnams la{Enter}byang chub bar du{Back}{Back}du{Enter}"
              "bdag ni skyabs su mchi{Enter}rgyal ba'i bstan pa{Enter}ka kha ga nga{Esc}"},
    {"Wylie-F", "bodkyiskadyig{Enter}bkrashisbdelegs{Enter}thugsrjeche{Enter}ngabodpayin{Enter}"
                "khyedranggiming{PgDn}1sangsrgyaschos{Back}{Back}{Enter}kakhaganga{Esc}"
                "bdagniskyabssumchi{Enter}rgyalbabstanpa{Enter}"},
};

struct Percentiles {
    double p50;
    double p99;
    double max;
    std::size_t keys;
};

Percentiles measure(const Dictionary* dictionary, const Script& script, int passes) {
    std::string error;
    const auto tokens = parseScript(script.keys, error);
    if (!tokens) {
        std::fprintf(stderr, "key_latency: %s\n", error.c_str());
        std::exit(1);
    }
    std::vector<double> micros;
    micros.reserve(tokens->size() * static_cast<std::size_t>(passes));
    for (int pass = 0; pass < passes; ++pass) {
        Simulator simulator(dictionary);
        simulator.chooseLayout(script.layout);
        for (const ScriptToken& token : *tokens) {
            const auto start = std::chrono::steady_clock::now();
            simulator.run(token);
            const auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) {
        return micros[std::min(micros.size() - 1, static_cast<std::size_t>(q * micros.size()))];
    };
    return {at(0.50), at(0.99), micros.back(), micros.size()};
}

} // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const bench::BenchDictionary& defaults = bench::defaultDictionary();
    if (defaults.production == nullptr) {
        std::fprintf(stderr, "key_latency: the default dictionary is missing: run "
                             "scripts/make-default-dictionary.sh\n");
        return 1;
    }
    const bench::BenchDictionary& million = bench::millionLineDictionary();
    struct Source {
        const char* name;
        const Dictionary* dictionary;
    };
    const Source sources[] = {{"none", nullptr},
                              {"default", defaults.production.get()},
                              {"million", million.production.get()}};
    std::printf("per key through the session, microseconds (%d passes of each script)\n", passes);
    std::printf("%-10s %-8s %7s %8s %8s %9s\n", "dictionary", "layout", "keys", "p50", "p99",
                "max");
    for (const Script& script : kScripts) {
        for (const Source& source : sources) {
            const Percentiles p = measure(source.dictionary, script, passes);
            std::printf("%-10s %-8s %7zu %8.2f %8.2f %9.1f\n", source.name, script.layout, p.keys,
                        p.p50, p.p99, p.max);
        }
    }
    return 0;
}
