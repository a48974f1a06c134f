// The index of a dictionary: its pieces in sorted order, so that the lines beginning with a text
// are one stretch found by binary search, and what picks the 100 earliest of that stretch fast.
// The same bytes are the prepared index file (`revaze dict index`) and the index built in memory,
// so both are read by this one view. Layout and the reasons behind it: README.md.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/dictionary_text.h"
#include "dictionary/range_minimum.h"
#include "dictionary/words.h"

namespace revaze {

// A search returns at most this many candidates.
inline constexpr std::uint32_t kMaxCandidates = 100;

// The lines a search found: the first 100 at most that begin with the text, in file order, each
// named by the position of its first unit. Nothing is copied out of the dictionary yet.
struct Matches {
    std::array<std::uint32_t, kMaxCandidates> lines;
    std::uint32_t count = 0;

    bool empty() const { return count == 0; }
    const std::uint32_t* begin() const { return lines.data(); }
    const std::uint32_t* end() const { return lines.data() + count; }
    bool operator==(const Matches& other) const {
        return count == other.count && std::equal(begin(), end(), other.begin());
    }
};

// The file format, version 2. All fields little-endian. A 96-byte header:
//   0 "RevazeIx"   8 u32 version   12 u32 header bytes (96)
//  16 u64 dictionary file bytes    24 u64 dictionary checksum    32 u64 checksum of the body
//  40 u32 text start (0 or 2)      44 u32 units   48 u32 pieces   52 u32 first units
//  56 u32 answers  60 u32 answer width (100)  64 u32 block width (64)  68 u32 blocks
//  72 u32 sparse levels            76 u32 zero    80 u64 checksum of bytes 0..79   88..95 zero
// then the body, arrays of u32 end to end: order[pieces], firstUnits[first units],
// firstStarts[first units + 1], firstAnswers[first units], answerRanges[2 * answers],
// answerLines[100 * answers], blockMinima[blocks], sparse[...].
inline constexpr char kIndexMagic[8] = {'R', 'e', 'v', 'a', 'z', 'e', 'I', 'x'};
// Version 1 had no checksum of its header: counts changed together could make the intact body
// read as other tables.
inline constexpr std::uint32_t kIndexVersion = 2;
inline constexpr std::size_t kIndexHeaderBytes = 96;

// What identifies the dictionary an index belongs to.
struct DictionaryIdentity {
    std::uint64_t bytes = 0;
    std::uint64_t checksum = 0;
};

namespace index_layout {
struct Body;
} // namespace index_layout

class LineIndex {
public:
    LineIndex() = default;

    // Reads an index image of `text`. Returns nothing, and says why, when the image is not an
    // intact index of a dictionary of that identity: a wrong magic or version, a checksum that
    // fails, a size that does not add up, a table that points outside the dictionary. No count
    // read from the image is used before it is checked.
    static std::optional<LineIndex> open(std::string_view image, const DictionaryText& text,
                                         const DictionaryIdentity& identity, std::string& why);

    // Reads an image that buildIndexImage() has just made of `text` in this process, without
    // checking it again: its counts and tables are taken as they stand.
    static LineIndex fromBuilt(std::string_view image, const DictionaryText& text);

    std::uint32_t pieceCount() const { return static_cast<std::uint32_t>(order_.size()); }
    Matches find(std::wstring_view text) const;

    // The stretch of the sorted order whose pieces begin with `text` (for tests).
    std::pair<std::uint32_t, std::uint32_t> range(std::wstring_view text) const;
    // How many stretches carry a stored answer (for the benchmarks' notes).
    std::uint32_t answerCount() const {
        return static_cast<std::uint32_t>(answerRanges_.size() / 2);
    }

    // Marks a first unit whose stretch has no stored answer.
    static constexpr std::uint32_t kNoAnswer = 0xFFFFFFFF;
    // The number of the answer stored for the stretch [lo, hi) among `ranges` (the stretches'
    // lo, hi pairs, in that order), or kNoAnswer. The builder finds the first units' answers
    // with it too.
    static std::uint32_t storedAnswer(Words ranges, std::uint32_t lo, std::uint32_t hi);

private:
    LineIndex(const DictionaryText& text, const index_layout::Body& body);

    // Where the stretch of the pieces that begin with the text lies, and the number of its stored
    // answer when that is known already (kNoAnswer otherwise); false when it is empty.
    bool locate(std::wstring_view text, std::uint32_t& lo, std::uint32_t& hi,
                std::uint32_t& answer) const;

    DictionaryText text_;
    Words order_;
    Words firstUnits_;
    Words firstStarts_;
    Words firstAnswers_;
    Words answerRanges_;
    Words answerLines_;
    RangeMinimum minimum_;
};

} // namespace revaze
