// The candidate search and the dictionary's loading, production against the reference in one
// run, on the default dictionary and on a generated one of 1,000,000 lines.
//
// Search variants: "reference" (a new regex per call, every line through regex_match),
// "previous" (the search before the index: a prefix scan over the lines in memory),
// "production" (the index: the lines found, nothing copied), "production+text" (the same,
// each candidate then made a std::wstring, as `revaze lookup` does) and "scan" (the search that
// answers while a deferred index is built: the mapped pieces in file order, nothing copied). Load
// variants: "reference" (every line read into a std::wstring, as the input method first did),
// "production" (mapped, with the prepared index), "production-building" (mapped, no prepared index:
// built in memory) and "production-deferred" (mapped, no prepared index, its build left for later:
// what the input method waits for before its first search when the index is built by a thread of
// its own). Build variants: the index image built from the mapped units ("production"), the same
// with the merge sort the builder had before ("reference",
// engine/dictionary/reference_piece_sort.h) and the pieces found, the one pass over the file every
// build starts with ("read-once"). After the run, a table of the times and the ratios against the
// reference and the previous search measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_dictionaries.h"
#include "dictionary/checksum.h"
#include "dictionary/index_build.h"
#include "dictionary/reference_piece_sort.h"

namespace {

using namespace revaze;
using revaze::bench::BenchDictionary;

struct Case {
    const char* name;
    std::wstring text;
};

const Case kCases[] = {
    {"one_syllable", {0x0F56, 0x0F40, 0x0FB2}},                          // bkra
    {"two_syllables", {0x0F56, 0x0F40, 0x0FB2, 0x0F0B, 0x0F64, 0x0F72}}, // bkra shi
    {"letter_ka", {0x0F40}},                                             // early in the file
    {"letter_sa", {0x0F66}},                                             // spread through it
    {"absent", {0x0F40, 0x0F40, 0x0F40, 0x0F40}},
    {"absent_five_syllables", // ka kha ga nga ca: five syllables that make no word
     {0x0F40, 0x0F0B, 0x0F41, 0x0F0B, 0x0F42, 0x0F0B, 0x0F44, 0x0F0B, 0x0F45}},
};

// The search before the index, as it was: a plain prefix scan over the lines in memory (texts
// with regex metacharacters went to the reference; the cases here have none).
std::vector<std::wstring> previousLookupCandidates(const ReferenceDictionary& dictionary,
                                                   std::wstring_view text) {
    std::vector<std::wstring> result;
    if (text.empty()) {
        return result;
    }
    for (const std::wstring& line : dictionary.lines) {
        if (line.size() >= text.size() && std::wstring_view(line).substr(0, text.size()) == text) {
            result.push_back(candidateOfLine(line));
            if (result.size() >= kMaxCandidates) {
                break;
            }
        }
    }
    return result;
}

enum class Variant { Reference, Previous, Production, ProductionText, Scan };

void searchBench(benchmark::State& state, const BenchDictionary& (*source)(), const Case* c,
                 Variant variant) {
    const BenchDictionary& d = source();
    if (d.production == nullptr) {
        state.SkipWithError("the default dictionary is missing: run scripts/setup.sh and "
                            "scripts/make-default-dictionary.sh");
        return;
    }
    std::size_t found = 0;
    for (auto _ : state) {
        switch (variant) {
        case Variant::Reference: {
            auto result = ReferenceLookupCandidates(d.reference, c->text);
            found = result.size();
            benchmark::DoNotOptimize(result);
            break;
        }
        case Variant::Previous: {
            auto result = previousLookupCandidates(d.reference, c->text);
            found = result.size();
            benchmark::DoNotOptimize(result);
            break;
        }
        case Variant::Production: {
            Matches result = d.production->find(c->text);
            found = result.count;
            benchmark::DoNotOptimize(result);
            break;
        }
        case Variant::Scan: {
            Matches result = d.scanning->find(c->text);
            found = result.count;
            benchmark::DoNotOptimize(result);
            break;
        }
        case Variant::ProductionText: {
            auto result = LookupCandidates(*d.production, c->text);
            found = result.size();
            benchmark::DoNotOptimize(result);
            break;
        }
        }
    }
    state.counters["candidates"] = static_cast<double>(found);
}

// Bytes the reference holds: the vector of lines and every line's own allocation.
double referenceBytes(const ReferenceDictionary& d) {
    double bytes = static_cast<double>(d.lines.capacity() * sizeof(std::wstring));
    for (const std::wstring& line : d.lines) {
        // Short strings live inside the std::wstring; longer ones on the heap, with malloc's
        // bookkeeping (16 bytes here).
        if (line.capacity() * sizeof(wchar_t) >= sizeof(std::wstring) - sizeof(std::size_t)) {
            bytes += static_cast<double>((line.capacity() + 1) * sizeof(wchar_t) + 16);
        }
    }
    return bytes;
}

enum class Load { Reference, Prepared, Building, BuildingOneThread, Deferred };

void loadBench(benchmark::State& state, const BenchDictionary& (*source)(), Load load) {
    const BenchDictionary& d = source();
    if (d.production == nullptr) {
        state.SkipWithError("the default dictionary is missing");
        return;
    }
    double privateBytes = 0;
    for (auto _ : state) {
        std::ostringstream diagnostics;
        if (load == Load::Reference) {
            ReferenceDictionary reference;
            reference.loadFile(d.path, diagnostics);
            state.PauseTiming();
            privateBytes = referenceBytes(reference);
            state.ResumeTiming();
            benchmark::DoNotOptimize(reference);
        } else {
            IndexOptions options;
            options.deferBuild = load == Load::Deferred;
            options.secondThread = load != Load::BuildingOneThread;
            auto dictionary = openDictionary(load == Load::Prepared ? d.path : d.unindexedPath,
                                             diagnostics, options);
            privateBytes = static_cast<double>(dictionary->privateBytes());
            benchmark::DoNotOptimize(dictionary);
        }
    }
    state.counters["private_bytes_per_line"] =
        privateBytes / static_cast<double>(d.reference.size());
}

enum class Build { Production, OneThread, Reference, ReadOnce };

void buildBench(benchmark::State& state, const BenchDictionary& (*source)(), Build build) {
    const BenchDictionary& d = source();
    if (d.production == nullptr) {
        state.SkipWithError("the default dictionary is missing");
        return;
    }
    const std::string bytes = bench::readAll(d.unindexedPath);
    const DictionaryText text(bytes);
    const DictionaryIdentity identity{bytes.size(), checksum64(bytes)};
    const std::vector<std::uint32_t> pieces = text.pieceBoundaries();
    if (buildIndexImage(text, identity, {}, pieces, referenceSortPieces(text, pieces)) !=
        buildIndexImage(text, identity)) {
        state.SkipWithError("the index differs from the one built with the reference sort");
        return;
    }
    for (auto _ : state) {
        if (build == Build::Production) {
            benchmark::DoNotOptimize(buildIndexImage(text, identity));
        } else if (build == Build::OneThread) {
            IndexOptions oneThread;
            oneThread.secondThread = false;
            benchmark::DoNotOptimize(buildIndexImage(text, identity, oneThread));
        } else {
            const std::vector<std::uint32_t> boundaries = text.pieceBoundaries();
            if (build == Build::Reference) {
                benchmark::DoNotOptimize(buildIndexImage(text, identity, {}, boundaries,
                                                         referenceSortPieces(text, boundaries)));
            }
            benchmark::DoNotOptimize(boundaries);
        }
    }
}

// The console table, then every production time against the reference and the previous search.
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
        std::printf("\nsame-run times (us) and how many times faster production is\n");
        std::printf("%-38s %11s %10s %10s %10s %9s %9s %9s %9s\n", "case", "reference", "previous",
                    "prod", "prod+text", "ref/prod", "ref/text", "prev/prod", "prev/text");
        for (const char* source : {"default", "million"}) {
            for (const Case& c : kCases) {
                const std::string group = std::string("search/") + source + "/" + c.name;
                row(group, "/reference", "/previous", "/production", "/production+text");
            }
        }
        std::printf("\nthe scan before a deferred index (us), against the index and the previous "
                    "search\n");
        std::printf("%-38s %10s %10s %10s %10s %10s\n", "case", "scan", "prod", "previous",
                    "scan/prod", "prev/scan");
        for (const char* source : {"default", "million"}) {
            for (const Case& c : kCases) {
                const std::string group = std::string("search/") + source + "/" + c.name;
                const double scan = time(group + "/scan");
                const double prod = time(group + "/production");
                const double prev = time(group + "/previous");
                if (scan <= 0 || prod <= 0 || prev <= 0) {
                    continue;
                }
                std::printf("%-38s %10.3f %10.4f %10.3f %10.0f %10.1f\n", group.c_str(), scan, prod,
                            prev, scan / prod, prev / scan);
            }
        }
        std::printf("\n%-38s %11s %10s %10s %10s %10s %9s %9s %9s\n", "load", "reference",
                    "prepared", "building", "1 thread", "deferred", "ref/prep", "ref/build",
                    "1th/build");
        for (const char* source : {"default", "million"}) {
            const std::string group = std::string("load/") + source;
            const double ref = time(group + "/reference");
            const double prepared = time(group + "/production");
            const double building = time(group + "/production-building");
            const double one = time(group + "/production-building-one-thread");
            const double deferred = time(group + "/production-deferred");
            if (ref <= 0 || prepared <= 0 || building <= 0) {
                continue;
            }
            std::printf("%-38s %11.1f %10.2f %10.1f %10.1f %10.2f %9.0f %9.1f %9.2f\n",
                        group.c_str(), ref, prepared, building, one, deferred, ref / prepared,
                        ref / building, one / building);
        }
        // Wall-clock times: the build may hand half its work to a second thread, which the
        // calling thread's CPU time would not count.
        std::printf("\n%-38s %10s %10s %10s %10s %10s %10s %10s\n", "index build (us)", "reference",
                    "1 thread", "prod", "read-once", "ref/prod", "1th/prod", "prod/read");
        for (const char* source : {"default", "million"}) {
            const std::string group = std::string("build/") + source;
            const double ref = time(group + "/reference");
            const double one = time(group + "/one-thread");
            const double prod = time(group + "/production");
            const double once = time(group + "/read-once");
            if (ref <= 0 || prod <= 0 || once <= 0) {
                continue;
            }
            std::printf("%-38s %10.0f %10.0f %10.0f %10.0f %10.2f %10.2f %10.2f\n", group.c_str(),
                        ref, one, prod, once, ref / prod, one / prod, prod / once);
        }
    }

private:
    double time(const std::string& name) const {
        auto it = times_.find(name);
        return it == times_.end() ? 0.0 : it->second;
    }
    void row(const std::string& group, const char* ref, const char* prev, const char* prod,
             const char* text) const {
        const double r = time(group + ref);
        const double p = time(group + prev);
        const double x = time(group + prod);
        const double t = time(group + text);
        if (x <= 0 || t <= 0) {
            return;
        }
        std::printf("%-38s %11.2f %10.3f %10.4f %10.3f %9.0f %9.0f %9.0f %9.1f\n", group.c_str(), r,
                    p, x, t, r / x, r / t, p / x, p / t);
    }

    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv) {
    struct Source {
        const char* name;
        const BenchDictionary& (*dictionary)();
    };
    const Source sources[] = {{"default", bench::defaultDictionary},
                              {"million", bench::millionLineDictionary}};
    const std::pair<const char*, Variant> variants[] = {
        {"reference", Variant::Reference},
        {"previous", Variant::Previous},
        {"production", Variant::Production},
        {"production+text", Variant::ProductionText},
        {"scan", Variant::Scan},
    };
    for (const Source& source : sources) {
        for (const Case& c : kCases) {
            for (const auto& [name, variant] : variants) {
                const std::string full =
                    std::string("search/") + source.name + "/" + c.name + "/" + name;
                benchmark::RegisterBenchmark(full.c_str(), searchBench, source.dictionary, &c,
                                             variant)
                    ->Unit(benchmark::kMicrosecond);
            }
        }
        const std::pair<const char*, Load> loads[] = {
            {"reference", Load::Reference},
            {"production", Load::Prepared},
            {"production-building", Load::Building},
            {"production-building-one-thread", Load::BuildingOneThread},
            {"production-deferred", Load::Deferred}};
        for (const auto& [name, load] : loads) {
            const std::string full = std::string("load/") + source.name + "/" + name;
            benchmark::RegisterBenchmark(full.c_str(), loadBench, source.dictionary, load)
                ->Unit(benchmark::kMicrosecond);
        }
        const std::pair<const char*, Build> builds[] = {{"production", Build::Production},
                                                        {"one-thread", Build::OneThread},
                                                        {"reference", Build::Reference},
                                                        {"read-once", Build::ReadOnce}};
        for (const auto& [name, build] : builds) {
            const std::string full = std::string("build/") + source.name + "/" + name;
            benchmark::RegisterBenchmark(full.c_str(), buildBench, source.dictionary, build)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
