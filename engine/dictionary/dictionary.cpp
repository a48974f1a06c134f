#include "dictionary/dictionary.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include <boost/regex.hpp>

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

// The typed text is literal text: every metacharacter is escaped, so that punctuation a layout
// composes neither acts as a wildcard nor sends the regex engine into a runaway search.
std::wstring makePattern(std::wstring_view text) {
    std::wstring pattern = L"^";
    for (wchar_t c : text) {
        if (hasRegexMetacharacter(std::wstring_view(&c, 1))) {
            pattern.push_back(L'\\');
        }
        pattern.push_back(c);
    }
    pattern += L".*$";
    return pattern;
}

} // namespace

bool Dictionary::loadFile(const std::filesystem::path& path, std::ostream& diagnostics) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file) {
        int error = errno;
        diagnostics << "open file " << path.string() << "failed. error code: " << error << '\n';
        diagnostics.flush();
        return false;
    }
    std::string bytes;
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.append(chunk, n);
    }
    // A read error ends loading; the lines read so far stay.
    loadBytes(bytes);
    return true;
}

void Dictionary::loadBytes(std::string_view bytes) {
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

bool hasRegexMetacharacter(std::wstring_view text) {
    static constexpr std::wstring_view kMeta = L"\\^$.|?*+()[]{}";
    for (wchar_t c : text) {
        if (kMeta.find(c) != std::wstring_view::npos) {
            return true;
        }
    }
    return false;
}

std::vector<std::wstring> ReferenceLookupCandidates(const Dictionary& dictionary,
                                                    std::wstring_view text) {
    std::vector<std::wstring> result;
    if (text.empty()) {
        return result;
    }
    try {
        boost::wregex expression(makePattern(text));
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

std::vector<std::wstring> LookupCandidates(const Dictionary& dictionary, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    // The expression is the literal text followed by ".*$", and "." matches every code unit, CR and
    // LF included: a line matches exactly when it starts with the text.
    std::vector<std::wstring> result;
    for (const std::wstring& line : dictionary.lines) {
        if (line.size() >= text.size() && std::wstring_view(line).substr(0, text.size()) == text) {
            result.push_back(candidateOfLine(line));
            if (result.size() >= kMaxCandidates) {
                break;
            }
        }
    }
    return result;
}

} // namespace revaze
