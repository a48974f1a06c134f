// Dictionaries for tests: the bytes of a dictionary file made from lines or words, and the
// dictionary read from them.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"

namespace revaze::test {

// UTF-16LE code units of `text`, each wchar_t taken as one 16-bit unit.
inline std::string utf16le(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(2 * text.size());
    for (wchar_t c : text) {
        const auto u = static_cast<unsigned>(c) & 0xFFFFu;
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

// A dictionary file: FF FE, then the lines exactly as given (terminators included).
inline std::string dictionaryBytesOfLines(const std::vector<std::wstring>& lines) {
    std::string bytes = "\xFF\xFE";
    for (const std::wstring& line : lines) {
        bytes += utf16le(line);
    }
    return bytes;
}

// A dictionary of the given words, CR LF after each.
inline std::string dictionaryBytesOfWords(const std::vector<std::wstring>& words) {
    std::string bytes = "\xFF\xFE";
    for (const std::wstring& word : words) {
        bytes += utf16le(word);
        bytes += utf16le(L"\r\n");
    }
    return bytes;
}

inline Dictionary dictionaryOfWords(const std::vector<std::wstring>& words) {
    return Dictionary::fromBytes(dictionaryBytesOfWords(words));
}

// How a test's dictionary searches: through the index built at once, or by the scan of its
// pieces that answers while a deferred index is pending.
enum class Search { Index, Scan };

inline const char* searchName(Search search) {
    return search == Search::Index ? "Index" : "Scan";
}

// How GoogleTest prints a test's parameter.
inline void PrintTo(Search search, std::ostream* out) {
    *out << searchName(search);
}

// The dictionary of `bytes` searching as asked (the scan: its index deferred and never built).
inline Dictionary dictionarySearching(Search search, std::string bytes, IndexOptions options = {}) {
    options.deferBuild = search == Search::Scan;
    return Dictionary::fromBytes(std::move(bytes), options);
}

// Words of one to four syllables over a small alphabet, so that many prefixes are shared by more
// than a hundred lines, in an order that is neither sorted nor random: sorted blocks shuffled.
inline std::vector<std::wstring> stretchedWords(std::size_t count, unsigned seed) {
    const std::wstring letters = L"\u0F40\u0F41\u0F42\u0F44\u0F66";
    const std::wstring vowels = L"\u0F72\u0F74\u0F7A";
    std::mt19937 random(seed);
    std::vector<std::wstring> words;
    for (std::size_t i = 0; i < count; ++i) {
        std::wstring word;
        const int syllables = 1 + static_cast<int>(random() % 4);
        for (int s = 0; s < syllables; ++s) {
            if (s > 0) {
                word += L'\u0F0B';
            }
            word += letters[random() % letters.size()];
            if (random() % 2 == 0) {
                word += vowels[random() % vowels.size()];
            }
        }
        words.push_back(word);
    }
    for (std::size_t from = 0; from < words.size(); from += 500) {
        std::sort(words.begin() + from, words.begin() + std::min(words.size(), from + 500));
    }
    return words;
}

// A folder of its own under the temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() /
                ("revaze-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace revaze::test
