// Any text through the EWTS parser, as UTF-8 (what `revaze ewts` reads) and byte for byte as
// keys (what the composer hands over): it never fails, no NUL appears that the input did not
// hold, and the same text always gives the same Tibetan.
#include <cstdint>
#include <string>

#include "common/text.h"
#include "ewts/ewts_parser.h"
#include "fuzz/fuzz_check.h"

namespace {

void checkConversion(const std::wstring& text) {
    const std::wstring tibetan = revaze::ewtsToTibetan(text);
    FUZZ_CHECK(tibetan == revaze::ewtsToTibetan(text));
    if (text.find(L'\0') == std::wstring::npos) {
        FUZZ_CHECK(tibetan.find(L'\0') == std::wstring::npos);
    }
    // Every key writes at most one stack's worth of units (kSh, a vowel on a-chen, ...).
    FUZZ_CHECK(tibetan.size() <= 4 * text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkConversion(revaze::utf8ToUnits(bytes));
    std::wstring keys;
    for (unsigned char byte : bytes) {
        keys.push_back(static_cast<wchar_t>(byte));
    }
    checkConversion(keys);
    return 0;
}
