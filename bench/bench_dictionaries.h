// The dictionaries the benchmarks measure: the default one and one of a million lines made from
// it, each written with its prepared index into a folder of the benchmark's own, and each also
// loaded the way the input method first loaded it (the reference).
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "dictionary/dictionary.h"
#include "dictionary/reference_lookup.h"

namespace revaze::bench {

struct BenchDictionary {
    std::string name;
    std::filesystem::path path;          // with its prepared index beside it
    std::filesystem::path unindexedPath; // the same bytes without one
    std::unique_ptr<Dictionary> production;
    // Opened from unindexedPath with its index deferred and never built: every search scans.
    std::unique_ptr<Dictionary> scanning;
    ReferenceDictionary reference;
};

// A file's bytes (empty when it cannot be read).
std::string readAll(const std::filesystem::path& path);

// The default dictionary (REVAZE_DICTIONARY names another); empty when it is missing.
const BenchDictionary& defaultDictionary();
// 1,000,000 lines: the default dictionary's words again and again, each copy after the first
// with a tsheg and the copy's number in Tibetan digits after every word.
const BenchDictionary& millionLineDictionary();

} // namespace revaze::bench
