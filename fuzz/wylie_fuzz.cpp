// Any Latin text through the Wylie syllable parser: the spelling stays within its 15 units and is
// terminated, holds Tibetan and space units only, is the same from a parser that spelled other
// syllables before, and nothing at all comes of a syllable longer than 15 characters.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "wylie/syllable_parser.h"

namespace {

void checkSpelling(const revaze::WylieSyllableParser& parser, const std::string& syllable) {
    using Parser = revaze::WylieSyllableParser;
    FUZZ_CHECK(parser.outputCount >= 0 && parser.outputCount <= Parser::kMaxSyllable);
    FUZZ_CHECK(parser.output[parser.outputCount] == L'\0');
    FUZZ_CHECK(parser.stemLength >= 0 && parser.stemLength <= Parser::kMaxSyllable);
    FUZZ_CHECK(parser.stem[sizeof parser.stem - 1] == '\0');
    for (wchar_t unit : parser.Output()) {
        FUZZ_CHECK((unit >= 0x0F00 && unit <= 0x0FFF) || unit == L' ');
    }
    if (syllable.size() > static_cast<std::size_t>(Parser::kMaxSyllable)) {
        FUZZ_CHECK(parser.outputCount == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Syllables separated by NUL, as the composer hands them over one at a time.
    const std::string all(reinterpret_cast<const char*>(data), size);
    revaze::WylieSyllableParser reused;
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find('\0', start);
        if (end == std::string::npos) {
            end = all.size();
        }
        const std::string syllable = all.substr(start, end - start);
        reused.Parse(syllable.c_str());
        checkSpelling(reused, syllable);
        revaze::WylieSyllableParser fresh;
        fresh.Parse(syllable.c_str());
        FUZZ_CHECK(fresh.Output() == reused.Output());
        start = end + 1;
    }
    revaze::WylieSyllableParser none;
    none.Parse(nullptr);
    FUZZ_CHECK(none.outputCount == 0);
    return 0;
}
