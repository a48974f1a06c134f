// Any bytes as the prepared index of one fixed small dictionary: either the index is refused, or
// every search through it finds exactly what the dictionary finds without an index (its scan).
// The first byte says how the rest arrives: as it is (damage, which the checksums must catch), or
// signed anew with the dictionary's identity, as a forger would (then the checks of the counts and
// tables must hold: a forged index may answer wrongly, as a forged dictionary may, but every line
// it gives lies inside the dictionary and no search leaves its tables).
//
// REVAZE_FUZZ_SEEDS=DIR writes the seed corpus: the dictionary's index with every answer stored,
// one stored and none (each as it is and signed anew), and a few small corruptions.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/checksum.h"
#include "dictionary/dictionary.h"
#include "dictionary/index_build.h"
#include "dictionary/index_layout.h"
#include "dictionary/test_dictionary.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace revaze;

// About 250 pieces (four blocks of the range-minimum tables): two nested stretches of more than
// 100 (answers to store, or to leave to the walk), duplicates, an empty line and a line cut into
// two pieces.
std::string dictionaryBytes() {
    const std::wstring ka = L"\u0F40";
    const std::wstring tsheg = L"\u0F0B";
    const std::wstring letters = L"\u0F41\u0F42\u0F44\u0F45\u0F46\u0F47\u0F49\u0F4F\u0F50\u0F51";
    std::vector<std::wstring> lines;
    for (wchar_t a : letters) {
        for (wchar_t b : letters) {
            lines.push_back(ka + tsheg + a + b); // 100 lines under "ka-tsheg"
        }
        for (wchar_t b : letters) {
            lines.push_back(std::wstring(1, a) + tsheg + b);
        }
        lines.push_back(ka + a);
        lines.push_back(ka + tsheg + a);
        lines.push_back(std::wstring(1, a) + tsheg + ka);
        lines.push_back(std::wstring(1, a)); // and again: duplicates
        lines.push_back(std::wstring(1, a));
    }
    lines.push_back(L"");
    lines.push_back(std::wstring(kMaxLinePiece + 40, L'\u0F66'));
    std::string bytes = "\xFF\xFE";
    for (const std::wstring& line : lines) {
        bytes += test::utf16le(line + L"\r\n");
    }
    return bytes;
}

struct Fixture {
    std::string bytes = dictionaryBytes();
    DictionaryText text{bytes};
    DictionaryIdentity identity{bytes.size(), checksum64(bytes)};
    // Every prefix of up to four units of every piece, a few texts found nowhere, and what the
    // scan finds for each.
    std::vector<std::pair<std::wstring, Matches>> expected;

    Fixture() {
        IndexOptions scan;
        scan.deferBuild = true;
        const Dictionary unindexed = Dictionary::fromBytes(bytes, scan);
        std::vector<std::wstring> texts{L"\u0F40\u0F40", L"x", L"\u0F0B", L"\r\n"};
        for (std::uint32_t start : text.pieceBoundaries()) {
            for (std::uint32_t n = 1; n <= 4 && start + n <= text.unitCount(); ++n) {
                std::wstring prefix;
                for (std::uint32_t i = 0; i < n; ++i) {
                    prefix.push_back(static_cast<wchar_t>(text.unit(start + i)));
                }
                texts.push_back(prefix);
            }
        }
        std::sort(texts.begin(), texts.end());
        texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
        for (const std::wstring& t : texts) {
            expected.emplace_back(t, unindexed.find(t));
        }
    }

    std::string image(std::uint32_t budget) const {
        IndexOptions options;
        options.answerBudget = budget;
        return buildIndexImage(text, identity, options);
    }
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

// What a forger writes: the dictionary's identity, then both checksums.
void forge(std::string& image) {
    using namespace index_layout;
    const Fixture& f = fixture();
    put64(image, kDictionaryBytes, f.identity.bytes);
    put64(image, kDictionaryChecksum, f.identity.checksum);
    put32(image, kTextStart, f.text.textStart());
    put32(image, kUnits, f.text.unitCount());
    signImage(image);
}

void writeSeeds(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::vector<std::string> seeds;
    for (std::uint32_t budget : {1000u, 1u, 0u}) {
        const std::string image = fixture().image(budget);
        seeds.push_back('\0' + image);
        seeds.push_back('\1' + image);
    }
    const std::string image = fixture().image(1000);
    std::string flipped = image;
    flipped[index_layout::kSparseLevels] ^= 0x40; // the header byte that once shifted by 64
    seeds.push_back('\0' + flipped);
    seeds.push_back('\1' + flipped);
    seeds.push_back('\0' + image.substr(0, image.size() / 2));
    std::string body = image;
    body[kIndexHeaderBytes + 8] ^= 0x01;
    seeds.push_back('\1' + body);
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream(folder / ("seed-" + std::to_string(i)), std::ios::binary) << seeds[i];
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* folder = std::getenv("REVAZE_FUZZ_SEEDS")) {
        writeSeeds(folder);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const Fixture& f = fixture();
    const bool forged = (data[0] & 1) != 0;
    std::string image(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (forged && image.size() >= kIndexHeaderBytes) {
        forge(image);
    }
    std::string why;
    const std::optional<LineIndex> index = LineIndex::open(image, f.text, f.identity, why);
    if (!index) {
        FUZZ_CHECK(!why.empty());
        return 0;
    }
    for (const auto& [text, expected] : f.expected) {
        const Matches found = index->find(text);
        if (!forged) {
            FUZZ_CHECK(found == expected);
        }
        FUZZ_CHECK(found.count <= kMaxCandidates);
        for (std::uint32_t line : found) {
            FUZZ_CHECK(line < f.text.unitCount());
            FUZZ_CHECK(f.text.candidate(line).size() <= kMaxLinePiece);
        }
    }
    return 0;
}
