#include "dictionary/line_index.h"

#include <algorithm>

#include "dictionary/checksum.h"
#include "dictionary/index_layout.h"

namespace revaze {

namespace index_layout {

bool countsAgree(const Counts& c, std::uint32_t units) {
    return c.pieces <= units && c.firstUnits <= c.pieces && c.firstUnits <= 0x10000 &&
           c.answers <= c.pieces &&
           c.blocks == (std::uint64_t{c.pieces} + kMinimumBlock - 1) / kMinimumBlock &&
           c.sparseLevels == sparseLevelsFor(c.blocks);
}

Offsets offsetsOf(const Counts& c) {
    Offsets o{};
    o.order = 0;
    o.firstUnits = o.order + c.pieces;
    o.firstStarts = o.firstUnits + c.firstUnits;
    o.firstAnswers = o.firstStarts + std::uint64_t{c.firstUnits} + 1;
    o.answerRanges = o.firstAnswers + c.firstUnits;
    o.answerLines = o.answerRanges + 2 * std::uint64_t{c.answers};
    o.blockMinima = o.answerLines + std::uint64_t{kMaxCandidates} * c.answers;
    o.sparse = o.blockMinima + c.blocks;
    o.end = o.sparse + sparseWordsFor(c.blocks);
    return o;
}

void signImage(std::string& image) {
    put64(image, kBodyChecksum, checksum64(std::string_view(image).substr(kIndexHeaderBytes)));
    put64(image, kHeaderChecksum, checksum64(std::string_view(image).substr(0, kHeaderChecksum)));
}

// The body's arrays, where counts that passed readHeader() (or the builder's own) place them.
struct Body {
    Words order, firstUnits, firstStarts, firstAnswers, answerRanges, answerLines, blockMinima,
        sparse;
};

} // namespace index_layout

namespace {

using namespace index_layout;

bool allBelow(Words words, std::uint32_t limit) {
    // One pass without branches: the largest word decides.
    std::uint32_t largest = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        largest = std::max(largest, words[i]);
    }
    return words.size() == 0 || largest < limit;
}

bool strictlyIncreasing(Words words) {
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] <= words[i - 1]) {
            return false;
        }
    }
    return true;
}

// The stored answers' stretches: each longer than an answer, inside the order, sorted.
bool answerRangesValid(Words ranges, std::uint32_t pieces) {
    for (std::size_t i = 0; i + 1 < ranges.size(); i += 2) {
        const std::uint32_t lo = ranges[i];
        const std::uint32_t hi = ranges[i + 1];
        if (lo >= hi || hi > pieces || hi - lo <= kMaxCandidates) {
            return false;
        }
        if (i > 0 && !(ranges[i - 2] < lo || (ranges[i - 2] == lo && ranges[i - 1] < hi))) {
            return false;
        }
    }
    return true;
}

// The counts the header gives, as they stand.
Counts countsOf(std::string_view image) {
    Counts counts;
    counts.pieces = get32(image, kPieces);
    counts.firstUnits = get32(image, kFirstUnits);
    counts.answers = get32(image, kAnswers);
    counts.blocks = get32(image, kBlocks);
    counts.sparseLevels = get32(image, kSparseLevels);
    return counts;
}

// What the header says, checked in the order that lets nothing read from it reach arithmetic
// before it has passed: what the file is, that its header is intact, whose index it is, then
// counts that agree with each other and with the file's size. Empty, with `why`, otherwise.
std::optional<Counts> readHeader(std::string_view image, const DictionaryText& text,
                                 const DictionaryIdentity& identity, std::string& why) {
    if (image.size() < kIndexHeaderBytes) {
        why = "it is shorter than its header";
        return std::nullopt;
    }
    if (std::memcmp(image.data(), kIndexMagic, sizeof kIndexMagic) != 0 ||
        get32(image, kVersion) != kIndexVersion ||
        get32(image, kHeaderBytes) != kIndexHeaderBytes) {
        why = "it is no index of this version";
        return std::nullopt;
    }
    if (checksum64(image.substr(0, kHeaderChecksum)) != get64(image, kHeaderChecksum) ||
        get32(image, kReserved) != 0 || get64(image, kReservedTail) != 0) {
        why = "its header checksum fails: it is damaged";
        return std::nullopt;
    }
    if (get64(image, kDictionaryBytes) != identity.bytes ||
        get64(image, kDictionaryChecksum) != identity.checksum ||
        get32(image, kTextStart) != text.textStart() || get32(image, kUnits) != text.unitCount()) {
        why = "it belongs to another version of the dictionary";
        return std::nullopt;
    }
    const Counts counts = countsOf(image);
    std::optional<std::uint64_t> bytes;
    if (countsAgree(counts, text.unitCount()) && get32(image, kAnswerWidth) == kMaxCandidates &&
        get32(image, kBlockWidth) == kMinimumBlock) {
        const std::optional<std::uint64_t> body = checkedProduct(4, offsetsOf(counts).end);
        bytes = body ? checkedSum(kIndexHeaderBytes, *body) : std::nullopt;
    }
    if (!bytes || *bytes != image.size()) {
        why = "it is truncated or its sizes do not add up";
        return std::nullopt;
    }
    if (checksum64(image.substr(kIndexHeaderBytes)) != get64(image, kBodyChecksum)) {
        why = "its checksum fails: it is damaged";
        return std::nullopt;
    }
    return counts;
}

Body bodyOf(std::string_view image, const Counts& counts) {
    const Offsets offsets = offsetsOf(counts);
    const std::string_view body = image.substr(kIndexHeaderBytes);
    const auto words = [&](std::uint64_t from, std::uint64_t to) {
        return Words(body.data() + 4 * from, static_cast<std::size_t>(to - from));
    };
    return Body{words(offsets.order, offsets.firstUnits),
                words(offsets.firstUnits, offsets.firstStarts),
                words(offsets.firstStarts, offsets.firstAnswers),
                words(offsets.firstAnswers, offsets.answerRanges),
                words(offsets.answerRanges, offsets.answerLines),
                words(offsets.answerLines, offsets.blockMinima),
                words(offsets.blockMinima, offsets.sparse),
                words(offsets.sparse, offsets.end)};
}

// Each first unit's answer, when it names one, is the answer of that unit's stretch.
bool firstAnswersValid(const Body& body) {
    for (std::size_t slot = 0; slot < body.firstAnswers.size(); ++slot) {
        const std::uint32_t answer = body.firstAnswers[slot];
        if (answer != LineIndex::kNoAnswer &&
            (answer >= body.answerRanges.size() / 2 ||
             body.answerRanges[2 * answer] != body.firstStarts[slot] ||
             body.answerRanges[2 * answer + 1] != body.firstStarts[slot + 1])) {
            return false;
        }
    }
    return true;
}

// A checksum catches damage, not a crafted file: whatever the tables say, every position they
// give must lie inside the dictionary and the order, so that a search stays in bounds.
bool bodyValid(const Body& body, const Counts& counts, std::uint32_t units) {
    return allBelow(body.order, units) && allBelow(body.answerLines, units) &&
           allBelow(body.sparse, counts.blocks) && allBelow(body.firstUnits, 0x10000) &&
           strictlyIncreasing(body.firstUnits) && body.firstStarts[0] == 0 &&
           strictlyIncreasing(body.firstStarts) &&
           body.firstStarts[counts.firstUnits] == counts.pieces &&
           answerRangesValid(body.answerRanges, counts.pieces) && firstAnswersValid(body);
}

} // namespace

std::optional<LineIndex> LineIndex::open(std::string_view image, const DictionaryText& text,
                                         const DictionaryIdentity& identity, std::string& why) {
    const std::optional<Counts> counts = readHeader(image, text, identity, why);
    if (!counts) {
        return std::nullopt;
    }
    const Body body = bodyOf(image, *counts);
    if (!bodyValid(body, *counts, text.unitCount())) {
        why = "its tables point outside the dictionary";
        return std::nullopt;
    }
    return LineIndex(text, body);
}

LineIndex LineIndex::fromBuilt(std::string_view image, const DictionaryText& text) {
    return LineIndex(text, bodyOf(image, countsOf(image)));
}

LineIndex::LineIndex(const DictionaryText& text, const index_layout::Body& body)
    : text_(text), order_(body.order), firstUnits_(body.firstUnits), firstStarts_(body.firstStarts),
      firstAnswers_(body.firstAnswers), answerRanges_(body.answerRanges),
      answerLines_(body.answerLines), minimum_(body.order, body.blockMinima, body.sparse) {}

bool LineIndex::locate(std::wstring_view text, std::uint32_t& lo, std::uint32_t& hi,
                       std::uint32_t& answer) const {
    if (text.empty() || text.size() > kMaxLinePiece) {
        return false;
    }
    // The first unit picks its stretch from a short table.
    const std::uint32_t unit = unitValue(text[0]);
    std::size_t first = 0;
    std::size_t last = firstUnits_.size();
    while (first < last) {
        const std::size_t mid = (first + last) / 2;
        if (firstUnits_[mid] < unit) {
            first = mid + 1;
        } else {
            last = mid;
        }
    }
    if (first == firstUnits_.size() || firstUnits_[first] != unit) {
        return false;
    }
    lo = firstStarts_[first];
    hi = firstStarts_[first + 1];
    answer = firstAnswers_[first];
    if (text.size() == 1) {
        return true;
    }
    // Every piece of that stretch begins with the text's first unit: compare from the second.
    answer = kNoAnswer;
    std::uint32_t end = hi;
    while (lo < end) {
        const std::uint32_t mid = lo + (end - lo) / 2;
        if (text_.comparePrefix(order_[mid], text, 1) < 0) {
            lo = mid + 1;
        } else {
            end = mid;
        }
    }
    std::uint32_t after = lo;
    end = hi;
    while (after < end) {
        const std::uint32_t mid = after + (end - after) / 2;
        if (text_.comparePrefix(order_[mid], text, 1) <= 0) {
            after = mid + 1;
        } else {
            end = mid;
        }
    }
    hi = after;
    if (hi - lo > kMaxCandidates) {
        answer = storedAnswer(answerRanges_, lo, hi);
    }
    return lo < hi;
}

std::pair<std::uint32_t, std::uint32_t> LineIndex::range(std::wstring_view text) const {
    std::uint32_t lo = 0;
    std::uint32_t hi = 0;
    std::uint32_t answer = kNoAnswer;
    if (!locate(text, lo, hi, answer)) {
        return {0, 0};
    }
    return {lo, hi};
}

std::uint32_t LineIndex::storedAnswer(Words ranges, std::uint32_t lo, std::uint32_t hi) {
    std::size_t first = 0;
    std::size_t last = ranges.size() / 2;
    while (first < last) {
        const std::size_t mid = (first + last) / 2;
        const std::uint32_t midLo = ranges[2 * mid];
        const std::uint32_t midHi = ranges[2 * mid + 1];
        if (midLo < lo || (midLo == lo && midHi < hi)) {
            first = mid + 1;
        } else {
            last = mid;
        }
    }
    if (first < ranges.size() / 2 && ranges[2 * first] == lo && ranges[2 * first + 1] == hi) {
        return static_cast<std::uint32_t>(first);
    }
    return kNoAnswer;
}

Matches LineIndex::find(std::wstring_view text) const {
    Matches matches;
    std::uint32_t lo = 0;
    std::uint32_t hi = 0;
    std::uint32_t answer = kNoAnswer;
    if (!locate(text, lo, hi, answer)) {
        return matches;
    }
    const std::uint32_t count = hi - lo;
    if (count <= kMaxCandidates) {
        order_.copyTo(matches.lines.data(), lo, count);
        std::sort(matches.lines.begin(), matches.lines.begin() + count);
        matches.count = count;
    } else if (answer != kNoAnswer) {
        answerLines_.copyTo(matches.lines.data(), std::size_t{answer} * kMaxCandidates,
                            kMaxCandidates);
        matches.count = kMaxCandidates;
    } else {
        matches.count = minimum_.smallest(lo, hi, kMaxCandidates, matches.lines.data());
    }
    return matches;
}

} // namespace revaze
