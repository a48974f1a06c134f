// Any dictionary bytes and any search text: loading keeps every unit, in order, in pieces that
// end at LF or at the piece limit; a search returns at most 100 candidates, each a line of the
// dictionary without its terminator, in file order; a text without metacharacters finds exactly
// the first lines that start with it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "dictionary/dictionary.h"
#include "fuzz/fuzz_check.h"

namespace {

std::wstring unitsOf(const std::string& bytes) {
    std::wstring units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return units;
}

void checkLoaded(const revaze::Dictionary& dictionary, const std::string& bytes) {
    std::wstring expected = unitsOf(bytes);
    if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0) {
        expected.erase(0, 1);
    }
    std::wstring joined;
    for (std::size_t i = 0; i < dictionary.lines.size(); ++i) {
        const std::wstring& line = dictionary.lines[i];
        FUZZ_CHECK(!line.empty() && line.size() <= revaze::kMaxLinePiece);
        // A piece ends at its LF, at the piece limit, or at the end of the file.
        FUZZ_CHECK(line.back() == L'\n' || line.size() == revaze::kMaxLinePiece ||
                   i + 1 == dictionary.lines.size());
        FUZZ_CHECK(line.find(L'\n') == line.size() - 1 || line.find(L'\n') == std::wstring::npos);
        joined += line;
    }
    FUZZ_CHECK(joined == expected);
}

void checkSearch(const revaze::Dictionary& dictionary, const std::wstring& text) {
    const std::vector<std::wstring> found = revaze::LookupCandidates(dictionary, text);
    FUZZ_CHECK(found.size() <= revaze::kMaxCandidates);
    if (text.empty()) {
        FUZZ_CHECK(found.empty());
        return;
    }
    // Every candidate is a line without its terminator, in file order.
    std::size_t next = 0;
    for (const std::wstring& candidate : found) {
        while (next < dictionary.lines.size() &&
               revaze::candidateOfLine(dictionary.lines[next]) != candidate) {
            ++next;
        }
        FUZZ_CHECK(next < dictionary.lines.size());
        ++next;
    }
    if (!revaze::hasRegexMetacharacter(text)) {
        std::vector<std::wstring> expected;
        for (const std::wstring& line : dictionary.lines) {
            if (expected.size() < revaze::kMaxCandidates &&
                line.compare(0, text.size(), text) == 0 && line.size() >= text.size()) {
                expected.push_back(revaze::candidateOfLine(line));
            }
        }
        FUZZ_CHECK(found == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The search text as UTF-16LE bytes first (short, as typed), then the file.
    const std::string textBytes = input.ConsumeRandomLengthString(64);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    revaze::Dictionary dictionary;
    dictionary.loadBytes(bytes);
    checkLoaded(dictionary, bytes);
    const std::wstring text = unitsOf(textBytes);
    checkSearch(dictionary, text);
    // Every prefix of the text, as a composition grows key by key.
    for (std::size_t n = 1; n < text.size(); ++n) {
        checkSearch(dictionary, text.substr(0, n));
    }
    return 0;
}
