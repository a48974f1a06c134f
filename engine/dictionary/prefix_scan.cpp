#include "dictionary/prefix_scan.h"

#include <algorithm>
#include <bit>

namespace revaze {

namespace {

constexpr std::uint64_t kOnes = 0x0001000100010001ull;
constexpr std::uint64_t kHighBits = 0x8000800080008000ull;

// The high bit of each 16-bit lane of x that is zero, without the final mask (the caller ands
// the high bits once for all). Every zero lane is marked; a lane of 1 just above a zero lane is
// marked too (the borrow), so a mark is only worth a look, and a word has a mark only when it
// has a zero lane.
std::uint64_t zeroLanesUnmasked(std::uint64_t x) {
    return (x - kOnes) & ~x;
}

std::uint64_t everyLane(std::uint32_t unit) {
    return unit * kOnes;
}

// The text is read in blocks. When the block before held a line start, no piece of this block can
// reach 2047 units before it starts (two blocks are shorter than that), so its pieces start
// exactly where its lines do: such a block is read four units at a time, line starts and the
// text's first unit found as lane masks of one word, without a branch unless a piece there begins
// with that unit. Any other block (inside a line of more than 2047 units, and the end of the
// text) is read unit by unit, pieces cut every 2047 units.
constexpr std::uint32_t kBlockUnits = 1020;
static_assert(kBlockUnits % 4 == 0 && 2 * kBlockUnits < kMaxLinePiece);

class Scan {
public:
    Scan(const DictionaryText& text, std::wstring_view prefix)
        : text_(text), prefix_(prefix), first_(unitValue(prefix[0])), firsts_(everyLane(first_)) {}

    Matches run() {
        const std::uint32_t count = text_.unitCount();
        bool lineStarted = true; // position 0 starts a line
        bool pieceStartKnown = true;
        for (std::uint32_t from = 0; from < count && matches_.count < kMaxCandidates;) {
            const std::uint32_t to = std::min(count, from + kBlockUnits);
            if (lineStarted && to - from == kBlockUnits) {
                lineStarted = wordByWord(from, to);
                pieceStartKnown = false;
            } else {
                if (!pieceStartKnown) {
                    pieceStart_ = pieceStartBefore(from);
                    pieceStartKnown = true;
                }
                lineStarted = unitByUnit(from, to);
            }
            from = to;
        }
        return matches_;
    }

private:
    // Whether any line starts in [from, to). Stops early when the page is full (the answer no
    // longer matters then).
    bool wordByWord(std::uint32_t from, std::uint32_t to) {
        const std::uint64_t lineFeeds = everyLane(u'\n');
        const std::uint64_t firsts = firsts_;
        std::uint64_t before = before_;
        std::uint64_t anyStart = 0;
        for (std::uint32_t i = from; i < to; i += 4) {
            // No call in this loop, so that everything it carries stays in registers: it goes
            // on to the next piece that begins with the text's first unit.
            std::uint64_t worthALook = 0;
            for (; i < to; i += 4) {
                const std::uint64_t units = text_.fourUnits(i);
                const std::uint64_t starts =
                    zeroLanesUnmasked(((units << 16) | before) ^ lineFeeds) & kHighBits;
                anyStart |= starts;
                worthALook = starts & zeroLanesUnmasked(units ^ firsts);
                before = units >> 48;
                if (worthALook != 0) {
                    break;
                }
            }
            for (; worthALook != 0; worthALook &= worthALook - 1) {
                const std::uint32_t at =
                    i + static_cast<std::uint32_t>(std::countr_zero(worthALook)) / 16;
                const bool lineStart = at == 0 || text_.unit(at - 1) == u'\n';
                if (lineStart && text_.unit(at) == first_ && offer(at)) {
                    return true;
                }
            }
        }
        before_ = before;
        return anyStart != 0;
    }

    bool unitByUnit(std::uint32_t from, std::uint32_t to) {
        bool lineStarted = false;
        for (std::uint32_t i = from; i < to; ++i) {
            const std::uint32_t unit = text_.unit(i);
            const bool afterLineFeed = before_ == u'\n';
            lineStarted = lineStarted || afterLineFeed;
            if (afterLineFeed || i == pieceStart_ + kMaxLinePiece) {
                pieceStart_ = i;
                if (unit == first_ && offer(i)) {
                    return true;
                }
            }
            before_ = unit;
        }
        return lineStarted;
    }

    // The last piece start before `at` (> 0): the last line start, and every 2047 units after it.
    // Asked only at most two blocks after a line start, so the search back is short.
    std::uint32_t pieceStartBefore(std::uint32_t at) const {
        std::uint32_t lineStart = at - 1;
        while (lineStart > 0 && text_.unit(lineStart - 1) != u'\n') {
            --lineStart;
        }
        return lineStart + (at - 1 - lineStart) / kMaxLinePiece * kMaxLinePiece;
    }

    // A piece start whose first unit is the text's. True when the page is full.
    bool offer(std::uint32_t start) {
        if (text_.comparePrefix(start, prefix_, 1) == 0) {
            matches_.lines[matches_.count++] = start;
        }
        return matches_.count == kMaxCandidates;
    }

    const DictionaryText& text_;
    const std::wstring_view prefix_;
    const std::uint32_t first_;
    const std::uint64_t firsts_;
    Matches matches_;
    std::uint64_t before_ = u'\n'; // the unit before the next one read: the text starts a line
    std::uint32_t pieceStart_ = 0; // the last piece start, after a block read unit by unit
};

} // namespace

Matches scanPieces(const DictionaryText& text, std::wstring_view prefix) {
    if (prefix.empty() || prefix.size() > kMaxLinePiece || unitValue(prefix[0]) > 0xFFFF) {
        return Matches();
    }
    return Scan(text, prefix).run();
}

} // namespace revaze
