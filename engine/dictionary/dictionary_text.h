// The code units of a dictionary file, read where they lie: UTF-16LE after an optional FF FE, a
// final odd byte dropped, nothing translated. Lines are cut into pieces of at most 2047 units (a
// longer line is several consecutive pieces, as the loader has always stored it) and a piece is
// named by the position of its first unit. Pieces lie end to end, so the text needs no table of
// them: a piece ends after its LF, after 2047 units, or at the end of the text.
//
// The units are read from the file's bytes, never through a wchar_t pointer: wchar_t is 16 bits on
// Windows and 32 on Linux, the file holds 16-bit units on both.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace revaze {

class HelperThread;

static_assert(std::endian::native == std::endian::little,
              "the dictionary and its index are read in place as little-endian data");

// A line longer than this many code units is stored as several consecutive pieces.
inline constexpr std::uint32_t kMaxLinePiece = 2047;

class DictionaryText {
public:
    DictionaryText() = default;
    // `fileBytes` must outlive the text and hold at most 2^32 - 1 units.
    explicit DictionaryText(std::string_view fileBytes);

    std::uint32_t unitCount() const { return count_; }
    // 2 when the file starts with FF FE, else 0.
    std::uint32_t textStart() const { return start_; }

    char16_t unit(std::uint32_t i) const {
        char16_t u;
        std::memcpy(&u, units_ + 2 * static_cast<std::size_t>(i), sizeof u);
        return u;
    }
    // Four units from position i as one word, the first in the low 16 bits (i + 4 <= unitCount).
    std::uint64_t fourUnits(std::uint32_t i) const {
        std::uint64_t w;
        std::memcpy(&w, units_ + 2 * static_cast<std::size_t>(i), sizeof w);
        return w;
    }

    // Asks for the memory of unit i ahead of its use (a unit past the end asks for the last).
    void prefetch(std::uint32_t i) const {
        __builtin_prefetch(units_ + 2 * static_cast<std::size_t>(std::min(i, count_)));
    }

    // True when the piece starting at `start` has no unit at offset i (i > 0 means the units
    // before it belong to the piece).
    bool pieceEndsAt(std::uint32_t start, std::uint32_t i) const {
        return i == kMaxLinePiece || start + i >= count_ || (i > 0 && unit(start + i - 1) == u'\n');
    }
    // The position just after the piece that starts at `start` (start < unitCount()): after its
    // LF, or kMaxLinePiece units on, or the end of the text, whichever comes first.
    std::uint32_t pieceEnd(std::uint32_t start) const;
    // The start of every piece in file order, then unitCount() as the end of the last.
    std::vector<std::uint32_t> pieceBoundaries() const;
    // The same, and each unit of the text marked with 1 in `held`, a table of every unit. With
    // a helper, each of the two threads takes half of the text.
    std::vector<std::uint32_t> pieceBoundaries(std::uint8_t* held,
                                               HelperThread* helper = nullptr) const;

    // How the piece at `start` compares with `text`, over the text's length only: negative when
    // the piece sorts before every line that begins with the text, zero when it begins with the
    // text, positive when it sorts after them. The first `from` units are known to be equal.
    int comparePrefix(std::uint32_t start, std::wstring_view text, std::uint32_t from = 0) const;

    // What the user sees: the piece without its terminator (a final CR LF, else a final LF).
    std::wstring candidate(std::uint32_t start) const;

private:
    template <bool Mark>
    std::vector<std::uint32_t> findBoundaries(std::uint8_t* held, HelperThread* helper) const;
    // Appends the start of each line that begins after an LF in [from, to), which begins a
    // line; sets longLine where a line from `from` on is longer than a piece.
    template <bool Mark>
    void scanLines(std::uint8_t* held, std::uint32_t from, std::uint32_t to,
                   std::vector<std::uint32_t>& starts, bool& longLine) const;
    // The first LF in [from, limit), or limit.
    std::uint32_t nextLineFeed(std::uint32_t from, std::uint32_t limit) const;

    const char* units_ = nullptr;
    std::uint32_t count_ = 0;
    std::uint32_t start_ = 0;
};

// A text's code unit as the dictionary's units compare: a unit of a 32-bit wchar_t above U+FFFF
// sorts after every 16-bit unit and so matches none.
inline std::uint32_t unitValue(wchar_t c) {
    return static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(c));
}

} // namespace revaze
