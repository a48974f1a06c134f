// The search done the long way, kept as the yardstick of the index for tests and benchmarks: the
// dictionary loaded the way the input method first did (every line a std::wstring of its own,
// its CR LF included) and each search compiling a new regular expression and running every line
// through regex_match.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace revaze {

class ReferenceDictionary {
public:
    // Every entry exactly as read, its CR LF included, in file order.
    std::vector<std::wstring> lines;

    // Appends the lines of a file. When the file cannot be opened, writes
    // "open file <path>failed. error code: <errno>" and a newline to `diagnostics` and returns
    // false.
    bool loadFile(const std::filesystem::path& path, std::ostream& diagnostics);
    // Appends the lines held in the raw bytes of a dictionary file (FF FE skipped when present;
    // lines cut into pieces of at most 2047 units; a final odd byte dropped).
    void loadBytes(std::string_view bytes);

    std::size_t size() const { return lines.size(); }
    bool empty() const { return lines.empty(); }
};

// The candidate a line offers: the line without its terminator (a final CR LF, else a final LF);
// a line without one is taken whole.
std::wstring candidateOfLine(std::wstring_view line);

// "^" + the text with every regular-expression metacharacter escaped + ".*$": the typed text is
// literal text, and a line matches when it begins with it.
std::wstring literalPrefixPattern(std::wstring_view text);

// The first 100 lines, in file order and duplicates kept, that match literalPrefixPattern(text)
// as a Perl-syntax expression over the whole line (terminator included). An empty text gives
// none.
std::vector<std::wstring> ReferenceLookupCandidates(const ReferenceDictionary& dictionary,
                                                    std::wstring_view text);

} // namespace revaze
