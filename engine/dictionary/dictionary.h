// The word dictionary: UTF-16LE lines, optional FF FE mark, CR LF after every line, mapped
// read-only and searched through its index (or, until a deferred index is built, by a scan of
// its lines). Opened once and only read afterwards; every composer searches the same dictionary,
// from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_text.h"
#include "dictionary/index_build.h"
#include "dictionary/line_index.h"
#include "dictionary/mapped_file.h"
#include "dictionary/prefix_scan.h"

namespace revaze {

// The file name of the dictionary in the Windows system directory.
inline constexpr wchar_t kDictionaryFileName[] = L"ZovovUvoz2.dat";
// A larger dictionary is refused: an input method lives in other programs' processes.
inline constexpr std::uint64_t kMaxDictionaryBytes = std::uint64_t{256} << 20;
// A prepared index of a dictionary of the largest size stays below this.
inline constexpr std::uint64_t kMaxIndexBytes = std::uint64_t{1} << 30;

// Where the prepared index of a dictionary lies: beside it, the dictionary's name with its
// extension replaced by ".idx" (added when it has none): ZovovUvoz2.dat -> ZovovUvoz2.idx.
std::filesystem::path indexPathFor(const std::filesystem::path& dictionary);

class Dictionary {
public:
    // Where the index being used came from. Pending: none yet (opened with deferBuild, and
    // buildIndex() has not finished): searches scan the pieces in file order meanwhile.
    enum class IndexSource { Prepared, Built, Pending };

    // A dictionary without lines.
    Dictionary();
    ~Dictionary();
    // Not while buildIndex() runs on either dictionary.
    Dictionary(Dictionary&&) noexcept;
    Dictionary& operator=(Dictionary&&) noexcept;

    // A dictionary held in memory: the bytes of a dictionary file (tests, the tool). The index
    // is built at once unless the options defer it. More than kMaxDictionaryBytes gives a
    // dictionary without lines.
    static Dictionary fromBytes(std::string bytes, const IndexOptions& options = {});

    // The number of entries (line pieces); counted anew while the index is pending.
    std::size_t size() const;
    bool empty() const { return size() == 0; }

    // The first 100 lines, in file order and duplicates kept, that begin with `text` (taken
    // literally, unit for unit). An empty text gives none. Through the index once it is there,
    // by a scan of the pieces before: the same lines either way, so a candidate list made
    // before the switch stays valid after it.
    Matches find(std::wstring_view text) const {
        const Index* index = index_.load(std::memory_order_acquire);
        return index != nullptr ? index->lines.find(text) : scanPieces(text_, text);
    }
    // The candidate a found line offers: the line without its terminator.
    std::wstring candidate(std::uint32_t line) const { return text_.candidate(line); }

    // Builds the index of a dictionary whose searches still scan, and switches them to it. May
    // run on another thread while any number of threads search: the scan reads only the
    // dictionary's units, which never change, and the index is published whole (release; every
    // search acquires). Does nothing when the index is there or another call is building it.
    // Throws std::bad_alloc when memory runs out: the searches then keep scanning.
    void buildIndex();

    IndexSource indexSource() const;
    // The index being used; an empty one while it is pending.
    const LineIndex& index() const;
    // The bytes of this dictionary's prepared index file; empty while the index is pending.
    std::string_view indexImage() const;
    // Memory the dictionary holds for itself, apart from what it maps from files.
    std::size_t privateBytes() const;

private:
    friend std::unique_ptr<Dictionary> openDictionary(const std::filesystem::path&, std::ostream&,
                                                      const IndexOptions&);
    // Reads `file` as a dictionary; uses `prepared` as its index when that fits, else builds one
    // (or leaves it to buildIndex() when the options defer it).
    Dictionary(std::unique_ptr<MappedFile> file, std::unique_ptr<MappedFile> prepared,
               const IndexOptions& options, std::string& note);

    // An index and the bytes it reads, published once and never changed.
    struct Index {
        std::unique_ptr<MappedFile> image;
        LineIndex lines;
        IndexSource source;
    };

    std::unique_ptr<MappedFile> file_;
    DictionaryText text_;
    IndexOptions options_;
    // Known when a prepared index was checked; written only before any buildIndex() call.
    std::optional<DictionaryIdentity> identity_;
    std::atomic<const Index*> index_{nullptr};
    // Claimed by the one buildIndex() call that builds.
    std::atomic<bool> building_{false};
};

// Opens the dictionary at `path` with the prepared index beside it. A missing or unreadable file,
// a path that is no regular file and a file over kMaxDictionaryBytes are refused: one line on
// `diagnostics` ("open file <path>failed. error code: <errno>" when it cannot be opened) and
// nothing returned. A prepared index that is missing, stale, truncated or damaged is not used:
// the index is built in memory instead (a note says why, except when there is none), before
// this returns or, with options.deferBuild, by Dictionary::buildIndex().
std::unique_ptr<Dictionary> openDictionary(const std::filesystem::path& path,
                                           std::ostream& diagnostics,
                                           const IndexOptions& options = {});

// The candidates for `text` as text: Dictionary::find, each line without its terminator.
std::vector<std::wstring> LookupCandidates(const Dictionary& dictionary, std::wstring_view text);

} // namespace revaze
