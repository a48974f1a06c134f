// Building a dictionary's index image (the layout of line_index.h): the sort of its pieces, the
// table of first units, the answers stored for the longest stretches and the range-minimum
// tables. Run by `revaze dict index`, and in memory when no prepared index fits a dictionary.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_text.h"
#include "dictionary/line_index.h"
#include "dictionary/piece_sort.h"

namespace revaze {

struct IndexOptions {
    // How many stretches may carry a stored answer of 100 lines. By default 64 + pieces / 64:
    // every stretch of more than 100 pieces of a real word list fits, and a hostile file cannot
    // make the answers take more than about six bytes per line. Zero leaves every stretch to
    // the range-minimum walk (tests use that).
    std::optional<std::uint32_t> answerBudget;
    // When no prepared index fits, leave the index to Dictionary::buildIndex() (which may run on
    // a thread of its own) instead of building it before the dictionary is returned: searches
    // scan the pieces meanwhile. The tool and the tests build at once.
    bool deferBuild = false;
    // Whether a large dictionary's build may hand half of each pass to a second thread, where
    // the machine has a second processor. The index is the same either way.
    bool secondThread = true;
};

std::string buildIndexImage(const DictionaryText& text, const DictionaryIdentity& identity,
                            const IndexOptions& options = {});

// The same for the file whose bytes are `fileBytes` (`text` is read from them), its identity
// taken as the build goes: with a second thread, its checksum costs the build no time.
std::string buildIndexImage(const DictionaryText& text, std::string_view fileBytes,
                            const IndexOptions& options = {});

// The same from pieces already sorted (the tests and benchmarks give it the reference sort).
std::string buildIndexImage(const DictionaryText& text, const DictionaryIdentity& identity,
                            const IndexOptions& options,
                            const std::vector<std::uint32_t>& boundaries,
                            const SortedPieces& sorted);

} // namespace revaze
