#include "dictionary/reference_lookup.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include <boost/regex.hpp>

#include "dictionary/dictionary_text.h"
#include "dictionary/line_index.h"
#include "dictionary/mapped_file.h"

namespace revaze {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::FILE* openForReading(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

} // namespace

bool ReferenceDictionary::loadFile(const std::filesystem::path& path, std::ostream& diagnostics) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file) {
        reportOpenFailure(diagnostics, path, errno);
        return false;
    }
    std::string bytes;
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.append(chunk, n);
    }
    loadBytes(bytes);
    return true;
}

void ReferenceDictionary::loadBytes(std::string_view bytes) {
    if (bytes.size() < 2) {
        return;
    }
    std::size_t pos = 0;
    if (static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        pos = 2;
    }
    std::wstring piece;
    piece.reserve(64);
    for (; pos + 1 < bytes.size(); pos += 2) {
        wchar_t unit = static_cast<wchar_t>(static_cast<unsigned char>(bytes[pos]) |
                                            (static_cast<unsigned char>(bytes[pos + 1]) << 8));
        piece.push_back(unit);
        if (unit == L'\n' || piece.size() == kMaxLinePiece) {
            lines.push_back(std::move(piece));
            piece.clear();
        }
    }
    if (!piece.empty()) {
        lines.push_back(std::move(piece));
    }
}

std::wstring candidateOfLine(std::wstring_view line) {
    if (line.size() >= 2 && line[line.size() - 2] == L'\r' && line.back() == L'\n') {
        line.remove_suffix(2);
    } else if (!line.empty() && line.back() == L'\n') {
        line.remove_suffix(1);
    }
    return std::wstring(line);
}

std::wstring literalPrefixPattern(std::wstring_view text) {
    static constexpr std::wstring_view kMeta = L"\\^$.|?*+()[]{}";
    std::wstring pattern = L"^";
    for (wchar_t c : text) {
        if (kMeta.find(c) != std::wstring_view::npos) {
            pattern.push_back(L'\\');
        }
        pattern.push_back(c);
    }
    pattern += L".*$";
    return pattern;
}

std::vector<std::wstring> ReferenceLookupCandidates(const ReferenceDictionary& dictionary,
                                                    std::wstring_view text) {
    std::vector<std::wstring> result;
    if (text.empty()) {
        return result;
    }
    try {
        boost::wregex expression(literalPrefixPattern(text));
        for (const std::wstring& line : dictionary.lines) {
            if (boost::regex_match(line, expression)) {
                result.push_back(candidateOfLine(line));
            }
            if (result.size() >= kMaxCandidates) {
                break;
            }
        }
    } catch (const std::exception&) {
        result.clear();
    }
    return result;
}

} // namespace revaze
