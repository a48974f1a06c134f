#include "dictionary/index_build.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>

#include "dictionary/checksum.h"
#include "dictionary/helper_thread.h"
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
// at the first shared length below its depth, whole blocks skipped by their minimum. With a
// helper, each thread takes half of the blocks, then half of the starts.
std::vector<Stretch> longStretches(const std::vector<std::uint32_t>& shared, HelperThread* helper) {
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
    // The blocks from `from` (a block's start) up to `to`.
    const auto minimaOf = [&](std::uint32_t from, std::uint32_t to) {
        for (std::uint32_t b = from; b < to; b += kWidth) {
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
    };
    const std::uint32_t half = n / 2 / kWidth * kWidth;
    both(
        helper, [&] { minimaOf(half, n); }, [&] { minimaOf(0, half); });
    // Plain pointers, which no store of a stretch found can alias: kept in registers.
    const std::uint32_t* const lengths = shared.data();
    const std::uint32_t* const toEnd = toBlockEnd.data();
    const std::uint32_t* const fromStart = fromBlockStart.data();
    // The first position from `from` on whose shared length is below `depth`, or n.
    const auto firstBelow = [=](std::uint32_t from, std::uint32_t depth) {
        std::uint32_t j = from;
        while (j < n) {
            if (toEnd[j] >= depth) { // nothing below it in the rest of j's block
                j += kWidth - j % kWidth;
            } else if (lengths[j] < depth) {
                return j;
            } else {
                ++j;
            }
        }
        return n;
    };
    // The stretches that start in [from, to).
    const auto startingIn = [=](std::uint32_t from, std::uint32_t to, std::vector<Stretch>& found) {
        for (std::uint32_t lo = from; lo < to; ++lo) {
            const std::uint32_t first = lo + 1;
            std::uint32_t depth = std::min(toEnd[first], fromStart[first + kWidth - 1]);
            if (lengths[lo] >= depth) {
                continue;
            }
            std::uint32_t hi = first + kWidth;
            do {
                hi = firstBelow(hi, depth);
                found.push_back({lo, hi});
                depth = hi < n ? lengths[hi] : 0;
            } while (depth > lengths[lo]);
        }
    };
    const std::uint32_t starts = n - kWidth;
    std::vector<Stretch> second;
    both(
        helper,
        [&] {
            std::vector<Stretch> found;
            startingIn(std::min(half, starts), starts, found);
            second = std::move(found);
        },
        [&] { startingIn(0, std::min(half, starts), stretches); });
    stretches.insert(stretches.end(), second.begin(), second.end());
    std::sort(stretches.begin(), stretches.end(), [](const Stretch& a, const Stretch& b) {
        return a.hi != b.hi ? a.hi < b.hi : a.lo > b.lo;
    });
    return stretches;
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

constexpr std::uint32_t kNone = 0xFFFFFFFF;

// The long stretches whose answers are stored: where each one's answer goes (kNone for the
// others), and the ranges (lo, hi of each) in the (lo, hi) order the reader searches them by.
struct StoredAnswers {
    std::vector<std::uint32_t> slot;
    std::vector<std::uint32_t> ranges;
};

StoredAnswers storedAnswers(const std::vector<Stretch>& stretches, const std::vector<bool>& keep) {
    const auto count = static_cast<std::uint32_t>(stretches.size());
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
    StoredAnswers stored;
    stored.slot.assign(count, kNone);
    for (std::uint32_t k = 0; k < kept.size(); ++k) {
        stored.slot[kept[k]] = k;
        stored.ranges.push_back(stretches[kept[k]].lo);
        stored.ranges.push_back(stretches[kept[k]].hi);
    }
    return stored;
}

// Where each piece lies among the long stretches: the lowest one it lies in (by piece number,
// kNone for none) and each stretch's parent.
struct StretchTree {
    std::vector<std::uint32_t> lowest;
    std::vector<std::uint32_t> parent;
};

// The stretches come children first (longStretches closes them so): a stretch's children are the
// stretches before it not yet claimed that begin inside it, and what lies between them is where
// it is the lowest.
StretchTree stretchTree(const std::vector<Stretch>& stretches, const SortedPieces& sorted) {
    const auto count = static_cast<std::uint32_t>(stretches.size());
    StretchTree tree;
    tree.parent.assign(count, kNone);
    tree.lowest.assign(sorted.pieces.size(), kNone);
    std::vector<std::uint32_t> unclaimed;
    const auto paint = [&](std::uint32_t lo, std::uint32_t hi, std::uint32_t s) {
        for (std::uint32_t i = lo; i < hi; ++i) {
            tree.lowest[sorted.pieces[i]] = s;
        }
    };
    for (std::uint32_t s = 0; s < count; ++s) {
        std::uint32_t gapEnd = stretches[s].hi;
        while (!unclaimed.empty() && stretches[unclaimed.back()].lo >= stretches[s].lo) {
            const std::uint32_t child = unclaimed.back();
            unclaimed.pop_back();
            tree.parent[child] = s;
            paint(stretches[child].hi, gapEnd, s);
            gapEnd = stretches[child].lo;
        }
        paint(stretches[s].lo, gapEnd, s);
        unclaimed.push_back(s);
    }
    return tree;
}

// Writes the stored answers, 100 lines each, to `lines`. Pieces are visited in file order, which
// is the order of their positions: each is added to the lowest long stretch it lies in and to the
// stretches above that one, up to the first stretch that has its 100 already (every stretch above
// it has them too: it holds all that stretch holds). So each answer comes out sorted, and no piece
// is looked at twice.
void writeAnswers(const StretchTree& tree, const StoredAnswers& stored,
                  const std::vector<std::uint32_t>& boundaries, char* lines) {
    const auto count = static_cast<std::uint32_t>(tree.parent.size());
    const auto pieces = static_cast<std::uint32_t>(tree.lowest.size());
    std::vector<std::uint32_t> found(count, 0);
    std::uint32_t full = 0; // every long stretch holds more than 100 pieces: all fill up
    for (std::uint32_t piece = 0; piece < pieces && full < count; ++piece) {
        for (std::uint32_t s = tree.lowest[piece]; s != kNone && found[s] < kMaxCandidates;
             s = tree.parent[s]) {
            if (stored.slot[s] != kNone) {
                const std::size_t at = std::size_t{stored.slot[s]} * kMaxCandidates + found[s];
                std::memcpy(lines + 4 * at, &boundaries[piece], 4);
            }
            full += ++found[s] == kMaxCandidates;
        }
    }
}

void writeWords(std::string& image, std::uint64_t offset, const std::vector<std::uint32_t>& words) {
    if (!words.empty()) {
        std::memcpy(image.data() + kIndexHeaderBytes + 4 * offset, words.data(), 4 * words.size());
    }
}

// A text this short is built before a second thread would have started.
constexpr std::uint32_t kLeastForTwoThreads = 1u << 16;

// The image: the header that names the dictionary and counts the arrays, then the arrays. Once
// the long stretches are known, one thread finds where each piece lies among them, then writes
// their stored answers; the other makes the image meanwhile, with the order and its
// range-minimum tables. Each writes its own arrays where they lie in the image. An identity not
// yet known is the file's checksum, taken by the caller while the helper writes the answers.
std::string buildImage(const DictionaryText& text, std::optional<DictionaryIdentity> identity,
                       std::string_view fileBytes, const IndexOptions& options,
                       const std::vector<std::uint32_t>& boundaries, const SortedPieces& sorted,
                       HelperThread* helper) {
    const auto pieces = static_cast<std::uint32_t>(boundaries.size() - 1);
    const std::vector<Stretch> stretches = longStretches(sorted.shared, helper);
    const std::uint32_t budget = options.answerBudget.value_or(64 + pieces / 64);
    const StoredAnswers stored = storedAnswers(stretches, chooseKept(stretches, budget));

    StretchTree tree;
    // From here on pieces are named by their first unit's position. Pieces are never empty, so
    // neighbours share no unit exactly where the first unit changes.
    std::vector<std::uint32_t> firstUnits;
    std::vector<std::uint32_t> firstStarts;
    Counts counts;
    Offsets offsets{};
    std::string image;
    both(
        helper, [&] { tree = stretchTree(stretches, sorted); },
        [&] {
            // Plain pointers and copies, which neither the stores to the image nor the growth
            // of the first units can alias: kept in registers.
            const std::uint32_t* const sortedPieces = sorted.pieces.data();
            const std::uint32_t* const shared = sorted.shared.data();
            const std::uint32_t* const starts = boundaries.data();
            const std::uint32_t count = pieces;
            for (std::uint32_t i = 0; i < count; ++i) {
                if (i == 0 || shared[i] == 0) {
                    firstUnits.push_back(text.unit(starts[sortedPieces[i]]));
                    firstStarts.push_back(i);
                }
            }
            firstStarts.push_back(pieces);
            counts.pieces = pieces;
            counts.firstUnits = static_cast<std::uint32_t>(firstUnits.size());
            counts.answers = static_cast<std::uint32_t>(stored.ranges.size() / 2);
            counts.blocks = (pieces + kMinimumBlock - 1) / kMinimumBlock;
            counts.sparseLevels = sparseLevelsFor(counts.blocks);
            offsets = offsetsOf(counts);
            image.assign(static_cast<std::size_t>(kIndexHeaderBytes + 4 * offsets.end), '\0');
            // The order: piece starts, sorted.
            char* const order = image.data() + kIndexHeaderBytes + 4 * offsets.order;
            for (std::uint32_t i = 0; i < count; ++i) {
                std::memcpy(order + 4 * i, &starts[sortedPieces[i]], 4);
            }
        });

    char* const body = image.data() + kIndexHeaderBytes;
    both(
        helper, [&] { writeAnswers(tree, stored, boundaries, body + 4 * offsets.answerLines); },
        [&] {
            // A text of one unit finds its stretch's answer without a search.
            // The host is little-endian, like the image the ranges are read from later.
            const Words ranges(reinterpret_cast<const char*>(stored.ranges.data()),
                               stored.ranges.size());
            std::vector<std::uint32_t> firstAnswers(firstUnits.size());
            for (std::size_t slot = 0; slot < firstUnits.size(); ++slot) {
                firstAnswers[slot] =
                    LineIndex::storedAnswer(ranges, firstStarts[slot], firstStarts[slot + 1]);
            }
            // The range-minimum tables over the order as it lies in the image.
            const RangeMinimumTables minimum =
                buildRangeMinimum(Words(body + 4 * offsets.order, pieces));
            writeWords(image, offsets.firstUnits, firstUnits);
            writeWords(image, offsets.firstStarts, firstStarts);
            writeWords(image, offsets.firstAnswers, firstAnswers);
            writeWords(image, offsets.answerRanges, stored.ranges);
            writeWords(image, offsets.blockMinima, minimum.blockMinima);
            writeWords(image, offsets.sparse, minimum.sparse);
            if (!identity) {
                identity = DictionaryIdentity{fileBytes.size(), checksum64(fileBytes)};
            }
        });

    std::memcpy(image.data(), kIndexMagic, sizeof kIndexMagic);
    put32(image, kVersion, kIndexVersion);
    put32(image, kHeaderBytes, kIndexHeaderBytes);
    put64(image, kDictionaryBytes, identity->bytes);
    put64(image, kDictionaryChecksum, identity->checksum);
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

// A second thread for a text long enough, where the options allow one, started in `helper`.
HelperThread* helperFor(std::optional<HelperThread>& helper, const DictionaryText& text,
                        const IndexOptions& options) {
    if (!options.secondThread || text.unitCount() < kLeastForTwoThreads) {
        return nullptr;
    }
    helper.emplace();
    return &*helper;
}

std::string buildIndex(const DictionaryText& text, std::optional<DictionaryIdentity> identity,
                       std::string_view fileBytes, const IndexOptions& options) {
    std::optional<HelperThread> helper;
    HelperThread* const second = helperFor(helper, text, options);
    // The units are marked as the boundaries are found: the sort needs no pass of its own.
    std::vector<std::uint8_t> held(0x10000, 0);
    const std::vector<std::uint32_t> boundaries = text.pieceBoundaries(held.data(), second);
    return buildImage(text, identity, fileBytes, options, boundaries,
                      sortPieces(text, boundaries, std::move(held), second), second);
}

} // namespace

std::string buildIndexImage(const DictionaryText& text, const DictionaryIdentity& identity,
                            const IndexOptions& options) {
    return buildIndex(text, identity, {}, options);
}

std::string buildIndexImage(const DictionaryText& text, std::string_view fileBytes,
                            const IndexOptions& options) {
    return buildIndex(text, std::nullopt, fileBytes, options);
}

std::string buildIndexImage(const DictionaryText& text, const DictionaryIdentity& identity,
                            const IndexOptions& options,
                            const std::vector<std::uint32_t>& boundaries,
                            const SortedPieces& sorted) {
    std::optional<HelperThread> helper;
    return buildImage(text, identity, {}, options, boundaries, sorted,
                      helperFor(helper, text, options));
}

} // namespace revaze
