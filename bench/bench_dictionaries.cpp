#include "bench/bench_dictionaries.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include <unistd.h>

namespace revaze::bench {

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {

void writeAll(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A folder for the generated files, removed when the program ends.
const std::filesystem::path& workFolder() {
    struct Folder {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("revaze-bench-" + std::to_string(getpid()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

BenchDictionary make(const std::string& name, const std::string& bytes) {
    BenchDictionary d;
    d.name = name;
    if (bytes.empty()) {
        return d;
    }
    d.path = workFolder() / (name + ".dat");
    d.unindexedPath = workFolder() / (name + "-unindexed.dat");
    writeAll(d.path, bytes);
    writeAll(d.unindexedPath, bytes);
    writeAll(indexPathFor(d.path), Dictionary::fromBytes(bytes).indexImage());
    std::ostringstream diagnostics;
    d.production = openDictionary(d.path, diagnostics);
    if (d.production == nullptr ||
        d.production->indexSource() != Dictionary::IndexSource::Prepared) {
        std::cerr << "bench: " << name << ": " << diagnostics.str();
        std::exit(1);
    }
    d.scanning =
        openDictionary(d.unindexedPath, diagnostics, {.answerBudget = {}, .deferBuild = true});
    if (d.scanning == nullptr || d.scanning->indexSource() != Dictionary::IndexSource::Pending) {
        std::cerr << "bench: " << name << " without its index: " << diagnostics.str();
        std::exit(1);
    }
    d.reference.loadBytes(bytes);
    return d;
}

std::string defaultBytes() {
    const char* path = std::getenv("REVAZE_DICTIONARY");
    return readAll(path != nullptr ? path : REVAZE_DEFAULT_DICTIONARY);
}

} // namespace

const BenchDictionary& defaultDictionary() {
    static const BenchDictionary d = make("default", defaultBytes());
    return d;
}

const BenchDictionary& millionLineDictionary() {
    static const BenchDictionary d = [] {
        const ReferenceDictionary& base = defaultDictionary().reference;
        if (base.empty()) {
            return BenchDictionary{};
        }
        std::wstring text;
        std::size_t lines = 0;
        for (std::size_t copy = 0; lines < 1000000; ++copy) {
            std::wstring suffix;
            if (copy > 0) {
                suffix.push_back(static_cast<wchar_t>(0x0F0B));
                for (char digit : std::to_string(copy)) {
                    suffix.push_back(static_cast<wchar_t>(0x0F20 + (digit - '0')));
                }
            }
            for (std::size_t i = 0; i < base.size() && lines < 1000000; ++i, ++lines) {
                text += candidateOfLine(base.lines[i]) + suffix + L"\r\n";
            }
        }
        std::string bytes = "\xFF\xFE";
        bytes.reserve(2 + 2 * text.size());
        for (wchar_t c : text) {
            bytes.push_back(static_cast<char>(c & 0xFF));
            bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
        }
        return make("million", bytes);
    }();
    return d;
}

} // namespace revaze::bench
