// The word dictionary: UTF-16LE lines, optional FF FE mark, CR LF after every line. Loaded once
// and only read afterwards; every composer searches the same copy.
#pragma once

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace revaze {

// The file name of the dictionary in the Windows system directory.
inline constexpr wchar_t kDictionaryFileName[] = L"ZovovUvoz2.dat";
// A line longer than this many code units is stored as several consecutive entries.
inline constexpr std::size_t kMaxLinePiece = 2047;
// A search returns at most this many candidates.
inline constexpr std::size_t kMaxCandidates = 100;

class Dictionary {
public:
    // Every entry exactly as read, its CR LF included, in file order.
    std::vector<std::wstring> lines;

    // Appends the lines of a file. When the file cannot be opened, writes
    // "open file <path>failed. error code: <errno>" and a newline to `diagnostics`, flushes it and
    // returns false; the dictionary is left as it was.
    bool loadFile(const std::filesystem::path& path, std::ostream& diagnostics);
    // Appends the lines held in the raw bytes of a dictionary file (FF FE skipped when present;
    // a final odd byte, which holds no whole code unit, is dropped).
    void loadBytes(std::string_view bytes);

    std::size_t size() const { return lines.size(); }
    bool empty() const { return lines.empty(); }
};

// The candidate a line offers: the line without its terminator (a final CR LF, else a final LF);
// a line without one is taken whole.
std::wstring candidateOfLine(std::wstring_view line);

// The candidates for `text`: the first 100 lines, in file order and duplicates kept, that begin
// with the text, taken literally: the lines that match "^" + the text with every metacharacter
// escaped + ".*$" as a Perl-syntax regular expression over the whole line. An empty text gives
// none.
std::vector<std::wstring> LookupCandidates(const Dictionary& dictionary, std::wstring_view text);

// The same search done the long way: a new expression for every call and every line run through
// regex_match. Kept for tests and benchmarks as the yardstick of LookupCandidates.
std::vector<std::wstring> ReferenceLookupCandidates(const Dictionary& dictionary,
                                                    std::wstring_view text);

// True when `text` holds a character that a Perl-syntax expression does not take literally.
bool hasRegexMetacharacter(std::wstring_view text);

} // namespace revaze
