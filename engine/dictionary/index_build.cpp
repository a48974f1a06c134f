#include "dictionary/index_build.h"

#include <algorithm>
#include <cstring>

#include "dictionary/index_layout.h"
#include "dictionary/range_minimum.h"

namespace revaze {

namespace {

using namespace index_layout;

// A stretch [lo, hi) of the sorted order: the pieces that share their first units, as many as
// its neighbours outside do not (an lcp-interval).
struct Stretch {
    std::uint32_t lo;
    std::uint32_t hi;
};

// Every stretch [lo, hi) of more than 100 pieces that share at least one leading unit, closed
// ones first: by hi, and of two with the same hi the inner one first.
//
// A stretch of depth d (the least of shared[lo + 1 .. hi - 1]) starts where shared[lo] < d, and
// its first 100 neighbours share at least d: so it starts where shared[lo] is below the least of
// the next 100 shared lengths, which the sliding minimum of blocks below gives without a branch.
// Such a start is rare; from it the stretches that begin there are followed outwards, each ending
// at the first shared length below its depth, whole blocks skipped by their minimum.
std::vector<Stretch> longStretches(const std::vector<std::uint32_t>& shared) {
    constexpr std::uint32_t kWidth = kMaxCandidates;
    const auto n = static_cast<std::uint32_t>(shared.size());
    std::vector<Stretch> stretches;
    if (n <= kWidth) {
        return stretches;
    }
    // fromBlockStart[i]: the least of shared[b .. i], b the start of i's block of kWidth;
    // toBlockEnd[i]: the least of shared[i .. e], e the end of that block. The least of the
    // kWidth lengths from i is then min(toBlockEnd[i], fromBlockStart[i + kWidth - 1]).
    std::vector<std::uint32_t> fromBlockStart(n);
    std::vector<std::uint32_t> toBlockEnd(n);
    for (std::uint32_t b = 0; b < n; b += kWidth) {
        const std::uint32_t e = std::min(n, b + kWidth);
        std::uint32_t least = shared[b];
        for (std::uint32_t i = b; i < e; ++i) {
            least = std::min(least, shared[i]);
            fromBlockStart[i] = least;
        }
        least = shared[e - 1];
        for (std::uint32_t i = e; i-- > b;) {
            least = std::min(least, shared[i]);
            toBlockEnd[i] = least;
        }
    }
    // The first position from `from` on whose shared length is below `depth`, or n.
    const auto firstBelow = [&](std::uint32_t from, std::uint32_t depth) {
        std::uint32_t j = from;
        while (j < n) {
            if (toBlockEnd[j] >= depth) { // nothing below it in the rest of j's block
                j += kWidth - j % kWidth;
            } else if (shared[j] < depth) {
                return j;
            } else {
                ++j;
            }
        }
        return n;
    };
    for (std::uint32_t lo = 0; lo + kWidth < n; ++lo) {
        const std::uint32_t first = lo + 1;
        std::uint32_t depth = std::min(toBlockEnd[first], fromBlockStart[first + kWidth - 1]);
        if (shared[lo] >= depth) {
            continue;
        }
        std::uint32_t hi = first + kWidth;
        do {
            hi = firstBelow(hi, depth);
            stretches.push_back({lo, hi});
            depth = hi < n ? shared[hi] : 0;
        } while (depth > shared[lo]);
    }
    std::sort(stretches.begin(), stretches.end(), [](const Stretch& a, const Stretch& b) {
        return a.hi != b.hi ? a.hi < b.hi : a.lo > b.lo;
    });
    return stretches;
}

// The stored answers: the 100 earliest pieces of every long stretch kept, the stretches in
// (lo, hi) order as the reader searches them.
struct Answers {
    std::vector<std::uint32_t> ranges; // lo, hi of each
    std::vector<std::uint32_t> lines;  // 100 each, ascending
};

// Pieces are visited in file order, which is the order of their positions: each is added to the
// lowest long stretch it lies in and to the stretches above that one, up to the first stretch
// that has its 100 already (every stretch above it has them too: it holds all that stretch
// holds). So each answer comes out sorted, and no piece is looked at twice.
Answers answerStretches(const std::vector<Stretch>& stretches, const std::vector<bool>& keep,
                        const SortedPieces& sorted, const std::vector<std::uint32_t>& boundaries) {
    constexpr std::uint32_t kNone = 0xFFFFFFFF;
    const auto count = static_cast<std::uint32_t>(stretches.size());
    const auto pieces = static_cast<std::uint32_t>(sorted.pieces.size());
    // The stretches come children first (longStretches closes them so): a stretch's children
    // are the stretches before it not yet claimed that begin inside it, and what lies between
    // them is where it is the lowest.
    std::vector<std::uint32_t> parent(count, kNone);
    std::vector<std::uint32_t> lowest(pieces, kNone); // by piece number
    std::vector<std::uint32_t> unclaimed;
    const auto paint = [&](std::uint32_t lo, std::uint32_t hi, std::uint32_t s) {
        for (std::uint32_t i = lo; i < hi; ++i) {
            lowest[sorted.pieces[i]] = s;
        }
    };
    for (std::uint32_t s = 0; s < count; ++s) {
        std::uint32_t gapEnd = stretches[s].hi;
        while (!unclaimed.empty() && stretches[unclaimed.back()].lo >= stretches[s].lo) {
            const std::uint32_t child = unclaimed.back();
            unclaimed.pop_back();
            parent[child] = s;
            paint(stretches[child].hi, gapEnd, s);
            gapEnd = stretches[child].lo;
        }
        paint(stretches[s].lo, gapEnd, s);
        unclaimed.push_back(s);
    }

    // Where each kept stretch's answer goes: the reader searches them by (lo, hi).
    std::vector<std::uint32_t> kept;
    for (std::uint32_t s = 0; s < count; ++s) {
        if (keep[s]) {
            kept.push_back(s);
        }
    }
    std::sort(kept.begin(), kept.end(), [&](std::uint32_t a, std::uint32_t b) {
        const Stretch& x = stretches[a];
        const Stretch& y = stretches[b];
        return x.lo != y.lo ? x.lo < y.lo : x.hi < y.hi;
    });
    Answers answers;
    std::vector<std::uint32_t> slot(count, kNone);
    for (std::uint32_t k = 0; k < kept.size(); ++k) {
        slot[kept[k]] = k;
        answers.ranges.push_back(stretches[kept[k]].lo);
        answers.ranges.push_back(stretches[kept[k]].hi);
    }

    answers.lines.resize(std::size_t{kMaxCandidates} * kept.size());
    std::vector<std::uint32_t> found(count, 0);
    std::uint32_t full = 0; // every long stretch holds more than 100 pieces: all fill up
    for (std::uint32_t piece = 0; piece < pieces && full < count; ++piece) {
        for (std::uint32_t s = lowest[piece]; s != kNone && found[s] < kMaxCandidates;
             s = parent[s]) {
            if (slot[s] != kNone) {
                answers.lines[std::size_t{slot[s]} * kMaxCandidates + found[s]] = boundaries[piece];
            }
            full += ++found[s] == kMaxCandidates;
        }
    }
    return answers;
}

// Which stretches keep their answer: all of them within the budget, else the longest.
std::vector<bool> chooseKept(const std::vector<Stretch>& stretches, std::uint32_t budget) {
    std::vector<bool> keep(stretches.size(), stretches.size() <= budget);
    if (stretches.size() > budget) {
        std::vector<std::uint32_t> byLength(stretches.size());
        for (std::uint32_t i = 0; i < byLength.size(); ++i) {
            byLength[i] = i;
        }
        std::stable_sort(byLength.begin(), byLength.end(), [&](std::uint32_t a, std::uint32_t b) {
            return stretches[a].hi - stretches[a].lo > stretches[b].hi - stretches[b].lo;
        });
        for (std::uint32_t i = 0; i < budget; ++i) {
            keep[byLength[i]] = true;
        }
    }
    return keep;
}

// The body of an index image, array by array.
struct IndexTables {
    std::vector<std::uint32_t> order; // piece starts, sorted
    std::vector<std::uint32_t> firstUnits;
    std::vector<std::uint32_t> firstStarts;
    std::vector<std::uint32_t> firstAnswers;
    Answers answers;
    RangeMinimumTables minimum;
};

IndexTables buildTables(const DictionaryText& text, const IndexOptions& options,
                        const std::vector<std::uint32_t>& boundaries, const SortedPieces& sorted) {
    const auto pieces = static_cast<std::uint32_t>(boundaries.size() - 1);
    IndexTables tables;
    // From here on pieces are named by their first unit's position. Pieces are never empty, so
    // neighbours share no unit exactly where the first unit changes.
    tables.order.resize(pieces);
    for (std::uint32_t i = 0; i < pieces; ++i) {
        const std::uint32_t start = boundaries[sorted.pieces[i]];
        tables.order[i] = start;
        if (i == 0 || sorted.shared[i] == 0) {
            tables.firstUnits.push_back(text.unit(start));
            tables.firstStarts.push_back(i);
        }
    }
    tables.firstStarts.push_back(pieces);

    const std::vector<Stretch> stretches = longStretches(sorted.shared);
    const std::uint32_t budget = options.answerBudget.value_or(64 + pieces / 64);
    tables.answers = answerStretches(stretches, chooseKept(stretches, budget), sorted, boundaries);

    // A text of one unit finds its stretch's answer without a search.
    // The host is little-endian, like the image the ranges are read from later.
    const std::vector<std::uint32_t>& answerRanges = tables.answers.ranges;
    const Words ranges(reinterpret_cast<const char*>(answerRanges.data()), answerRanges.size());
    tables.firstAnswers.resize(tables.firstUnits.size());
    for (std::size_t slot = 0; slot < tables.firstUnits.size(); ++slot) {
        tables.firstAnswers[slot] =
            LineIndex::storedAnswer(ranges, tables.firstStarts[slot], tables.firstStarts[slot + 1]);
    }

    tables.minimum = buildRangeMinimum(tables.order);
    return tables;
}

// The image: the header that names the dictionary and counts the arrays, then the arrays.
std::string writeImage(const DictionaryText& text, const DictionaryIdentity& identity,
                       const IndexTables& tables) {
    Counts counts;
    counts.pieces = static_cast<std::uint32_t>(tables.order.size());
    counts.firstUnits = static_cast<std::uint32_t>(tables.firstUnits.size());
    counts.answers = static_cast<std::uint32_t>(tables.answers.ranges.size() / 2);
    counts.blocks = static_cast<std::uint32_t>(tables.minimum.blockMinima.size());
    counts.sparseLevels = sparseLevelsFor(counts.blocks);

    std::string image(static_cast<std::size_t>(kIndexHeaderBytes + 4 * offsetsOf(counts).end),
                      '\0');
    std::size_t at = kIndexHeaderBytes;
    for (const std::vector<std::uint32_t>* words :
         {&tables.order, &tables.firstUnits, &tables.firstStarts, &tables.firstAnswers,
          &tables.answers.ranges, &tables.answers.lines, &tables.minimum.blockMinima,
          &tables.minimum.sparse}) {
        if (!words->empty()) {
            std::memcpy(image.data() + at, words->data(), 4 * words->size());
        }
        at += 4 * words->size();
    }
    std::memcpy(image.data(), kIndexMagic, sizeof kIndexMagic);
    put32(image, kVersion, kIndexVersion);
    put32(image, kHeaderBytes, kIndexHeaderBytes);
    put64(image, kDictionaryBytes, identity.bytes);
    put64(image, kDictionaryChecksum, identity.checksum);
    put32(image, kTextStart, text.textStart());
    put32(image, kUnits, text.unitCount());
    put32(image, kPieces, counts.pieces);
    put32(image, kFirstUnits, counts.firstUnits);
    put32(image, kAnswers, counts.answers);
    put32(image, kAnswerWidth, kMaxCandidates);
    put32(image, kBlockWidth, kMinimumBlock);
    put32(image, kBlocks, counts.blocks);
    put32(image, kSparseLevels, counts.sparseLevels);
    signImage(image);
    return image;
}

} // namespace

std::string buildIndexImage(const DictionaryText& text, const DictionaryIdentity& identity,
                            const IndexOptions& options) {
    const std::vector<std::uint32_t> boundaries = text.pieceBoundaries();
    return buildIndexImage(text, identity, options, boundaries, sortPieces(text, boundaries));
}

std::string buildIndexImage(const DictionaryText& text, const DictionaryIdentity& identity,
                            const IndexOptions& options,
                            const std::vector<std::uint32_t>& boundaries,
                            const SortedPieces& sorted) {
    return writeImage(text, identity, buildTables(text, options, boundaries, sorted));
}

} // namespace revaze
