#include "dictionary/dictionary_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "dictionary/helper_thread.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace revaze {

namespace {

// Four units as one word (the first in the low 16 bits): the high bit of each unit that may be
// an LF. A unit equal to LF becomes zero after the xor, and the classic zero-lane test finds it;
// the first flagged unit is a true LF when there is one, but a borrow can also flag a unit above
// a true LF, so any later flagged unit must be checked.
inline std::uint64_t possibleLineFeeds(std::uint64_t units) {
    constexpr std::uint64_t kLineFeeds = 0x000A000A000A000Aull;
    constexpr std::uint64_t kOnes = 0x0001000100010001ull;
    constexpr std::uint64_t kHighBits = 0x8000800080008000ull;
    const std::uint64_t x = units ^ kLineFeeds;
    return (x - kOnes) & ~x & kHighBits;
}

} // namespace

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
    // Four units at a time.
    std::uint32_t i = from;
    for (; i + 4 <= limit; i += 4) {
        const std::uint64_t zero = possibleLineFeeds(fourUnits(i));
        if (zero != 0) {
            return i + static_cast<std::uint32_t>(std::countr_zero(zero)) / 16;
        }
    }
    while (i < limit && unit(i) != u'\n') {
        ++i;
    }
    return i;
}

#if defined(__SSE2__)
namespace {

// Appends the start of each line that begins after a line feed of a block: `feeds` holds one
// bit for each unit of the block at `base` that is an LF (bit 2u for unit u). Two starts
// are written whatever the block holds, and only the real ones are counted, so a block costs no
// guess about how many lines end in it; a third line feed in one block takes the loop.
inline void appendLineStarts(std::uint32_t* out, std::uint32_t& count, std::uint32_t feeds,
                             std::uint32_t base) {
    const auto next = [&] {
        const auto lane = static_cast<std::uint32_t>(std::countr_zero(feeds | (1u << 31)));
        out[count] = base + lane / 2 + 1;
        count += feeds != 0;
        feeds &= feeds - 1;
    };
    next();
    next();
    while (feeds != 0) {
        next();
    }
}

} // namespace
#endif

std::vector<std::uint32_t> DictionaryText::pieceBoundaries() const {
    return findBoundaries<false>(nullptr, nullptr);
}

std::vector<std::uint32_t> DictionaryText::pieceBoundaries(std::uint8_t* held,
                                                           HelperThread* helper) const {
    return findBoundaries<true>(held, helper);
}

template <bool Mark>
void DictionaryText::scanLines(std::uint8_t* held, std::uint32_t from, std::uint32_t to,
                               std::vector<std::uint32_t>& starts, bool& longLine) const {
    // A copy, which the marks cannot alias: no reload of the units after each mark.
    const DictionaryText self = *this;
    const auto mark = [&](std::uint32_t at, std::uint32_t count) {
        if constexpr (Mark) {
            for (std::uint32_t w = at; w < at + count; w += 4) {
                const std::uint64_t four = self.fourUnits(w);
                held[four & 0xFFFF] = 1;
                held[(four >> 16) & 0xFFFF] = 1;
                held[(four >> 32) & 0xFFFF] = 1;
                held[four >> 48] = 1;
            }
        }
    };
    const auto markOne = [&](std::uint32_t at) {
        if constexpr (Mark) {
            held[self.unit(at)] = 1;
        }
    };
    // The starts are written to a small buffer (which takes a block's starts without a check)
    // and moved to the result a buffer at a time, so no memory is cleared or touched that the
    // result does not keep.
    constexpr std::uint32_t kBlock = 8;
    constexpr std::uint32_t kBuffer = 2048;
    std::uint32_t buffer[kBuffer + 2 * kBlock + 1];
    std::uint32_t count = 0;
    // A line longer than a piece is cut every 2047 units: rare, so looked for here, where the
    // starts are still at hand, and the cuts made in a pass of their own.
    std::uint32_t lastStart = from;
    const auto flush = [&] {
        for (std::uint32_t k = 0; k < count; ++k) {
            longLine |= buffer[k] - lastStart > kMaxLinePiece;
            lastStart = buffer[k];
        }
        starts.insert(starts.end(), buffer, buffer + count);
        count = 0;
    };
    std::uint32_t i = from;
    // The first units one at a time, up to where a block lies within one line of the cache:
    // a read across two lines (or two pages) costs more than the work on its units.
    while (i < to && i < from + kBlock &&
           (reinterpret_cast<std::uintptr_t>(self.units_ + 2 * static_cast<std::size_t>(i)) & 15) !=
               0) {
        markOne(i);
        if (self.unit(i) == u'\n') {
            buffer[count++] = i + 1;
        }
        ++i;
    }
    for (; i + kBlock <= to; i += kBlock) {
        if (count > kBuffer) [[unlikely]] {
            flush();
        }
        mark(i, kBlock);
#if defined(__SSE2__)
        // Eight units at once: one bit pair per unit equal to LF, the even bit kept.
        const __m128i units = _mm_loadu_si128(
            reinterpret_cast<const __m128i*>(self.units_ + 2 * static_cast<std::size_t>(i)));
        const auto feeds = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi16(units, _mm_set1_epi16(u'\n'))) & 0x5555);
        appendLineStarts(buffer, count, feeds, i);
#else
        // Four units to a word, each flagged unit checked.
        for (std::uint32_t w = i; w < i + kBlock; w += 4) {
            for (std::uint64_t zero = possibleLineFeeds(self.fourUnits(w)); zero != 0;
                 zero &= zero - 1) {
                const std::uint32_t at =
                    w + static_cast<std::uint32_t>(std::countr_zero(zero)) / 16;
                if (self.unit(at) == u'\n') {
                    buffer[count++] = at + 1;
                }
            }
        }
#endif
    }
    // The last units, fewer than a block.
    for (; i < to; ++i) {
        markOne(i);
        if (self.unit(i) == u'\n') {
            buffer[count++] = i + 1;
        }
    }
    flush();
}

template <bool Mark>
std::vector<std::uint32_t> DictionaryText::findBoundaries(std::uint8_t* held,
                                                          HelperThread* helper) const {
    // The start of every line, then the end of the text.
    std::vector<std::uint32_t> starts;
    // Most dictionary lines are longer than eight units: a guess that avoids regrowing.
    starts.reserve(count_ / 8 + 2);
    starts.push_back(0);
    bool longLine = false;
    // With a second thread (which the builder starts only for a long text), the text is cut at
    // line starts into chunks that the two threads share; the helper marks the units of its
    // chunks in a table of its own.
    constexpr std::uint32_t kChunks = 8;
    std::vector<std::uint32_t> cuts{0};
    if (helper != nullptr && helper->running()) {
        for (std::uint32_t k = 1; k < kChunks; ++k) {
            const std::uint32_t from = std::max(cuts.back(), count_ / kChunks * k);
            const std::uint32_t cut = std::min(nextLineFeed(from, count_) + 1, count_);
            if (cut > cuts.back() && cut < count_) {
                cuts.push_back(cut);
            }
        }
    }
    cuts.push_back(count_);
    if (cuts.size() > 2) {
        const auto chunks = static_cast<std::uint32_t>(cuts.size() - 1);
        // Chunk 0's starts are the result's; each later chunk's are appended in turn.
        std::vector<std::vector<std::uint32_t>> later(chunks);
        std::vector<std::uint8_t> helperHeld(Mark ? 0x10000 : 0, 0);
        std::vector<std::uint8_t> longLines(chunks, 0);
        helper->share(chunks, [&](std::uint32_t c, unsigned worker) {
            std::vector<std::uint32_t>& out = c == 0 ? starts : later[c];
            if (c > 0) {
                out.reserve((cuts[c + 1] - cuts[c]) / 8 + 2);
            }
            bool chunkLong = false;
            scanLines<Mark>(worker == 0 ? held : helperHeld.data(), cuts[c], cuts[c + 1], out,
                            chunkLong);
            longLines[c] = chunkLong;
        });
        for (std::uint32_t c = 1; c < chunks; ++c) {
            starts.insert(starts.end(), later[c].begin(), later[c].end());
        }
        longLine = std::find(longLines.begin(), longLines.end(), 1) != longLines.end();
        if constexpr (Mark) {
            for (std::size_t u = 0; u < 0x10000; ++u) {
                held[u] |= helperHeld[u];
            }
        }
    } else {
        scanLines<Mark>(held, 0, count_, starts, longLine);
    }
    if (starts.back() != count_) {
        longLine |= count_ - starts.back() > kMaxLinePiece;
        starts.push_back(count_);
    }
    const auto lines = static_cast<std::uint32_t>(starts.size());
    if (!longLine) [[likely]] {
        return starts;
    }
    std::vector<std::uint32_t> boundaries;
    boundaries.reserve(lines + count_ / kMaxLinePiece);
    for (std::uint32_t k = 0; k + 1 < lines; ++k) {
        for (std::uint32_t at = starts[k]; at < starts[k + 1]; at += kMaxLinePiece) {
            boundaries.push_back(at);
        }
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
