// The word dictionary: UTF-16LE lines, optional FF FE mark, CR LF after every line, mapped
// read-only and searched through its index. Opened once and only read afterwards; every composer
// searches the same dictionary, from any thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_text.h"
#include "dictionary/index_build.h"
#include "dictionary/line_index.h"
#include "dictionary/mapped_file.h"

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
    // Where the index being used came from.
    enum class IndexSource { Prepared, Built };

    // A dictionary without lines.
    Dictionary();
    ~Dictionary();
    Dictionary(Dictionary&&) noexcept;
    Dictionary& operator=(Dictionary&&) noexcept;

    // A dictionary held in memory: the bytes of a dictionary file (tests, the tool). The index
    // is built at once. More than kMaxDictionaryBytes gives a dictionary without lines.
    static Dictionary fromBytes(std::string bytes, const IndexOptions& options = {});

    // The number of entries (line pieces).
    std::size_t size() const { return index_.pieceCount(); }
    bool empty() const { return size() == 0; }

    // The first 100 lines, in file order and duplicates kept, that begin with `text` (taken
    // literally, unit for unit). An empty text gives none.
    Matches find(std::wstring_view text) const { return index_.find(text); }
    // The candidate a found line offers: the line without its terminator.
    std::wstring candidate(std::uint32_t line) const { return text_.candidate(line); }

    IndexSource indexSource() const { return source_; }
    const LineIndex& index() const { return index_; }
    const DictionaryIdentity& identity() const { return identity_; }
    // The bytes of this dictionary's prepared index file.
    std::string_view indexImage() const;
    // Memory the dictionary holds for itself, apart from what it maps from files.
    std::size_t privateBytes() const;

private:
    friend std::unique_ptr<Dictionary> openDictionary(const std::filesystem::path&, std::ostream&,
                                                      const IndexOptions&);
    // Reads `file` as a dictionary; uses `prepared` as its index when that fits, else builds one.
    Dictionary(std::unique_ptr<MappedFile> file, std::unique_ptr<MappedFile> prepared,
               const IndexOptions& options, std::string& note);

    std::unique_ptr<MappedFile> file_;
    std::unique_ptr<MappedFile> indexFile_;
    DictionaryText text_;
    DictionaryIdentity identity_;
    LineIndex index_;
    IndexSource source_ = IndexSource::Built;
};

// Opens the dictionary at `path` with the prepared index beside it. A missing or unreadable file,
// a path that is no regular file and a file over kMaxDictionaryBytes are refused: one line on
// `diagnostics` ("open file <path>failed. error code: <errno>" when it cannot be opened) and
// nothing returned. A prepared index that is missing, stale, truncated or damaged is not used:
// the index is built in memory instead (a note says why, except when there is none).
std::unique_ptr<Dictionary> openDictionary(const std::filesystem::path& path,
                                           std::ostream& diagnostics,
                                           const IndexOptions& options = {});

// The candidates for `text` as text: Dictionary::find, each line without its terminator.
std::vector<std::wstring> LookupCandidates(const Dictionary& dictionary, std::wstring_view text);

} // namespace revaze
