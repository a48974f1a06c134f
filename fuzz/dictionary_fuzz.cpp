// Any dictionary bytes and any search text: the indexed dictionary holds the same pieces as the
// reference loader reads, and finds exactly what the reference's regular expression finds (at
// most 100 lines, in file order, each beginning with the text taken literally); the scan that
// answers before a deferred index is built finds the same lines.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "dictionary/dictionary.h"
#include "dictionary/reference_lookup.h"
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

void checkSearch(const revaze::Dictionary& dictionary, const revaze::Dictionary& scanning,
                 const revaze::ReferenceDictionary& reference, const std::wstring& text) {
    const revaze::Matches matches = dictionary.find(text);
    FUZZ_CHECK(scanning.find(text) == matches);
    FUZZ_CHECK(matches.count <= revaze::kMaxCandidates);
    for (std::uint32_t i = 1; i < matches.count; ++i) {
        FUZZ_CHECK(matches.lines[i - 1] < matches.lines[i]); // file order, each line once
    }
    const std::vector<std::wstring> found = revaze::LookupCandidates(dictionary, text);
    FUZZ_CHECK(found.size() == matches.count);
    FUZZ_CHECK(found == revaze::ReferenceLookupCandidates(reference, text));
    for (const std::wstring& candidate : found) {
        // A text that runs into the terminator matches the whole line, not its candidate.
        FUZZ_CHECK((candidate + L"\r\n").starts_with(text) ||
                   (candidate + L"\n").starts_with(text));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The search text as UTF-16LE bytes first (short, as typed), then the file.
    const std::string textBytes = input.ConsumeRandomLengthString(64);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const revaze::Dictionary dictionary = revaze::Dictionary::fromBytes(bytes);
    revaze::IndexOptions deferred;
    deferred.deferBuild = true;
    const revaze::Dictionary scanning = revaze::Dictionary::fromBytes(bytes, deferred);
    revaze::ReferenceDictionary reference;
    reference.loadBytes(bytes);
    FUZZ_CHECK(dictionary.size() == reference.size());
    const std::wstring text = unitsOf(textBytes);
    FUZZ_CHECK(revaze::LookupCandidates(dictionary, L"").empty());
    // Every prefix of the text, as a composition grows key by key.
    for (std::size_t n = 1; n <= text.size(); ++n) {
        checkSearch(dictionary, scanning, reference, text.substr(0, n));
    }
    return 0;
}
