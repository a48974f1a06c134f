// Dictionaries for tests: the bytes of a dictionary file made from lines or words, and the
// dictionary read from them.
#pragma once

#include <filesystem>
#include <fstream>
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
