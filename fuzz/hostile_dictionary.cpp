#include "fuzz/hostile_dictionary.h"

#include <array>
#include <sstream>

#include "dictionary/reference_lookup.h"
#include "dictionary/test_dictionary.h"

namespace revaze::fuzz {

namespace {

// Words the composers reach with a few keys: "bkra shis" and its longer forms, "ka", "kha",
// a word longer than a 99-unit string area, and a line without its CR.
const std::array<std::wstring, 7> kOrdinaryWords = {
    L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\u0F56\u0F51\u0F7A\u0F0B\u0F63\u0F7A\u0F42"
    L"\u0F66\u0F0D\r\n",
    L"\u0F56\u0F40\u0FB2\u0F0B\u0F64\u0F72\u0F66\u0F0B\r\n",
    L"\u0F40\u0F0B\u0F41\u0F0D\r\n",
    L"\u0F40\r\n",
    L"\u0F41\u0F0B\u0F63\u0F42\r\n",
    std::wstring(150, L'\u0F40') + L"\r\n",
    L"\u0F42\u0F0B\n",
};

// Units that are not Tibetan but that a hostile file may hold anywhere.
constexpr std::array<wchar_t, 22> kOddUnits = {
    L'.', L'*', L'+', L'?',  L'(',  L')',  L'[',   L']',   L'{',   L'}',   L'\\',
    L'|', L'^', L'$', L'\r', L'\n', L'\0', 0xD800, 0xDC00, 0xFEFF, 0xFFFF, L' ',
};

wchar_t hostileUnit(FuzzedDataProvider& input) {
    const auto pick = input.ConsumeIntegral<std::uint8_t>();
    if (pick < 0xC0) {
        return static_cast<wchar_t>(0x0F00 + pick); // the Tibetan block
    }
    if (pick < 0xC0 + kOddUnits.size()) {
        return kOddUnits[pick - 0xC0];
    }
    return static_cast<wchar_t>(input.ConsumeIntegral<std::uint16_t>());
}

std::wstring hostileLine(FuzzedDataProvider& input) {
    std::wstring line;
    const auto kind = input.ConsumeIntegralInRange<int>(0, 7);
    if (kind == 0) {
        // Longer than a line piece: stored as several entries.
        const wchar_t unit = hostileUnit(input);
        line.assign(input.ConsumeIntegralInRange<std::size_t>(kMaxLinePiece - 2, 3 * kMaxLinePiece),
                    unit);
    } else {
        const auto length = input.ConsumeIntegralInRange<std::size_t>(0, 40);
        for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i) {
            line.push_back(hostileUnit(input));
        }
    }
    switch (input.ConsumeIntegralInRange<int>(0, 4)) {
    case 0:
        line += L"\n";
        break;
    case 1:
        line += L"\r";
        break;
    case 2:
        break; // runs into the next line
    default:
        line += L"\r\n";
        break;
    }
    return line;
}

} // namespace

std::string hostileDictionaryBytes(FuzzedDataProvider& input) {
    std::wstring text;
    const auto lines = input.ConsumeIntegralInRange<int>(0, 12);
    const auto ordinaryAt = input.ConsumeIntegralInRange<int>(0, lines);
    for (int i = 0; i <= lines; ++i) {
        if (i == ordinaryAt) {
            for (const std::wstring& word : kOrdinaryWords) {
                text += word;
            }
        } else {
            text += hostileLine(input);
        }
    }
    std::string bytes;
    if (input.ConsumeBool()) {
        bytes = "\xFF\xFE";
    }
    bytes += test::utf16le(text);
    if (input.ConsumeBool()) {
        bytes.push_back('\x0F'); // an odd byte at the end holds no whole unit
    }
    return bytes;
}

std::unique_ptr<Dictionary> dictionaryFromBytes(const std::string& bytes) {
    return std::make_unique<Dictionary>(Dictionary::fromBytes(bytes));
}

namespace {

std::unordered_set<std::wstring> candidatesOf(const ReferenceDictionary& reference) {
    std::unordered_set<std::wstring> offered;
    for (const std::wstring& line : reference.lines) {
        offered.insert(candidateOfLine(line));
    }
    return offered;
}

} // namespace

std::unordered_set<std::wstring> offeredCandidates(const std::string& bytes) {
    ReferenceDictionary reference;
    reference.loadBytes(bytes);
    return candidatesOf(reference);
}

std::unordered_set<std::wstring> offeredCandidates(const std::filesystem::path& file) {
    ReferenceDictionary reference;
    std::ostringstream ignored;
    reference.loadFile(file, ignored);
    return candidatesOf(reference);
}

} // namespace revaze::fuzz
