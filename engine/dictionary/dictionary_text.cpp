#include "dictionary/dictionary_text.h"

#include <algorithm>
#include <bit>

namespace revaze {

DictionaryText::DictionaryText(std::string_view fileBytes) {
    if (fileBytes.size() < 2) {
        return;
    }
    if (static_cast<unsigned char>(fileBytes[0]) == 0xFF &&
        static_cast<unsigned char>(fileBytes[1]) == 0xFE) {
        start_ = 2;
    }
    units_ = fileBytes.data() + start_;
    count_ = static_cast<std::uint32_t>((fileBytes.size() - start_) / 2);
}

std::uint32_t DictionaryText::pieceEnd(std::uint32_t start) const {
    const std::uint32_t limit = std::min(count_, start + kMaxLinePiece);
    const std::uint32_t lineFeed = nextLineFeed(start, limit);
    return lineFeed < limit ? lineFeed + 1 : limit;
}

std::uint32_t DictionaryText::nextLineFeed(std::uint32_t from, std::uint32_t limit) const {
    // Four units at a time: a unit equal to LF becomes zero after the xor, and the classic
    // zero-lane test finds the first one.
    constexpr std::uint64_t kLineFeeds = 0x000A000A000A000Aull;
    constexpr std::uint64_t kOnes = 0x0001000100010001ull;
    constexpr std::uint64_t kHighBits = 0x8000800080008000ull;
    std::uint32_t i = from;
    for (; i + 4 <= limit; i += 4) {
        const std::uint64_t x = fourUnits(i) ^ kLineFeeds;
        const std::uint64_t zero = (x - kOnes) & ~x & kHighBits;
        if (zero != 0) {
            return i + static_cast<std::uint32_t>(std::countr_zero(zero)) / 16;
        }
    }
    while (i < limit && unit(i) != u'\n') {
        ++i;
    }
    return i;
}

std::vector<std::uint32_t> DictionaryText::pieceBoundaries() const {
    std::vector<std::uint32_t> boundaries;
    // Most dictionary lines are short: a guess that avoids regrowing for typical files.
    boundaries.reserve(count_ / 8 + 2);
    std::uint32_t pieceStart = 0;
    // Every piece up to the LF at `lineFeed`: a line longer than a piece is cut every 2047 units.
    const auto endLineAt = [&](std::uint32_t lineFeed) {
        while (lineFeed + 1 - pieceStart > kMaxLinePiece) {
            boundaries.push_back(pieceStart);
            pieceStart += kMaxLinePiece;
        }
        boundaries.push_back(pieceStart);
        pieceStart = lineFeed + 1;
    };
    // One pass over the text, four units at a time, as in nextLineFeed(). The zero-lane test
    // can also flag a lane above a true LF (a borrow), so each flagged unit is checked.
    constexpr std::uint64_t kLineFeeds = 0x000A000A000A000Aull;
    constexpr std::uint64_t kOnes = 0x0001000100010001ull;
    constexpr std::uint64_t kHighBits = 0x8000800080008000ull;
    std::uint32_t i = 0;
    for (; i + 4 <= count_; i += 4) {
        const std::uint64_t x = fourUnits(i) ^ kLineFeeds;
        for (std::uint64_t zero = (x - kOnes) & ~x & kHighBits; zero != 0; zero &= zero - 1) {
            const std::uint32_t at = i + static_cast<std::uint32_t>(std::countr_zero(zero)) / 16;
            if (unit(at) == u'\n') {
                endLineAt(at);
            }
        }
    }
    for (; i < count_; ++i) {
        if (unit(i) == u'\n') {
            endLineAt(i);
        }
    }
    while (pieceStart < count_) {
        boundaries.push_back(pieceStart);
        pieceStart = std::min(count_, pieceStart + kMaxLinePiece);
    }
    boundaries.push_back(count_);
    return boundaries;
}

int DictionaryText::comparePrefix(std::uint32_t start, std::wstring_view text,
                                  std::uint32_t from) const {
    for (std::uint32_t i = from; i < text.size(); ++i) {
        if (pieceEndsAt(start, i)) {
            return -1;
        }
        const std::uint32_t u = unit(start + i);
        const std::uint32_t t = unitValue(text[i]);
        if (u != t) {
            return u < t ? -1 : 1;
        }
    }
    return 0;
}

std::wstring DictionaryText::candidate(std::uint32_t start) const {
    if (start >= count_) {
        return {};
    }
    std::uint32_t end = pieceEnd(start);
    if (unit(end - 1) == u'\n') {
        --end;
        if (end > start && unit(end - 1) == u'\r') {
            --end;
        }
    }
    std::wstring text(end - start, L'\0');
    for (std::uint32_t i = start; i < end; ++i) {
        text[i - start] = static_cast<wchar_t>(unit(i));
    }
    return text;
}

} // namespace revaze
