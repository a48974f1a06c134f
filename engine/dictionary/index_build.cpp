#include "dictionary/index_build.h"

#include <algorithm>

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

// Every stretch [lo, hi) of more than 100 pieces that share at least one leading unit. The
// classic walk over the common-prefix lengths of neighbours: a stack of open stretches, each
// closed when a smaller common prefix comes.
std::vector<Stretch> longStretches(const std::vector<std::uint32_t>& shared) {
    struct Open {
        std::uint32_t depth;
        std::uint32_t lo;
    };
    std::vector<Open> open{{0, 0}};
    std::vector<Stretch> stretches;
    const auto n = static_cast<std::uint32_t>(shared.size());
    for (std::uint32_t i = 1; i <= n; ++i) {
        const std::uint32_t depth = i < n ? shared[i] : 0;
        std::uint32_t lo = i - 1;
        while (depth < open.back().depth) {
            lo = open.back().lo;
            open.pop_back();
            if (i - lo > kMaxCandidates) {
                stretches.push_back({lo, i});
            }
        }
        if (depth > open.back().depth) {
            open.push_back({depth, lo});
        }
    }
    return stretches;
}

// The 100 earliest pieces of every long stretch, children first: a stretch's answer is drawn
// from its long children's answers and the pieces between them, so each piece is looked at once
// (for the lowest long stretch it lies in) and each answer once more (by its parent). Answers
// of the stretches chosen to be kept land in `answers`, in the order of `stretches`.
void answerStretches(const std::vector<Stretch>& stretches, const std::vector<bool>& keep,
                     const std::vector<std::uint32_t>& order, std::vector<std::uint32_t>& answers) {
    struct Done {
        std::uint32_t lo;
        std::uint32_t hi;
    };
    std::vector<Done> done;          // answered stretches whose parent has not come yet
    std::vector<std::uint32_t> pool; // their answers, 100 each, in the same order
    std::vector<std::uint32_t> gaps; // the pieces of a stretch outside its long children
    std::vector<Done> gapRanges;     // ... where they lie
    std::vector<std::uint32_t> best; // the earliest 100 found so far, sorted
    std::vector<std::uint32_t> merged;
    // The children's answers are sorted already: each is merged in, and only the gaps sorted.
    const auto mergeIn = [&](const std::uint32_t* run, std::size_t size) {
        merged.clear();
        std::size_t i = 0;
        std::size_t j = 0;
        while (merged.size() < kMaxCandidates && (i < best.size() || j < size)) {
            const bool fromBest = j == size || (i < best.size() && best[i] < run[j]);
            merged.push_back(fromBest ? best[i++] : run[j++]);
        }
        best.swap(merged);
    };
    for (std::size_t s = 0; s < stretches.size(); ++s) {
        const Stretch stretch = stretches[s];
        gaps.clear();
        gapRanges.clear();
        best.clear();
        std::uint32_t gapEnd = stretch.hi;
        while (!done.empty() && done.back().lo >= stretch.lo) {
            const Done child = done.back();
            gapRanges.push_back({child.hi, gapEnd});
            mergeIn(pool.data() + pool.size() - kMaxCandidates, kMaxCandidates);
            pool.resize(pool.size() - kMaxCandidates);
            gapEnd = child.lo;
            done.pop_back();
        }
        gapRanges.push_back({stretch.lo, gapEnd});
        // A gap's piece after the children's 100th answer cannot be among the earliest 100,
        // nor one after the 100th of the gaps kept so far: whenever twice as many are kept,
        // the later half goes and the bound tightens.
        std::uint32_t after = best.size() == kMaxCandidates ? best.back() : ~0u;
        for (const Done& range : gapRanges) {
            for (std::uint32_t i = range.lo; i < range.hi; ++i) {
                if (order[i] < after) {
                    gaps.push_back(order[i]);
                    if (gaps.size() == 2 * kMaxCandidates) {
                        std::nth_element(gaps.begin(), gaps.begin() + kMaxCandidates - 1,
                                         gaps.end());
                        gaps.resize(kMaxCandidates);
                        after = gaps.back();
                    }
                }
            }
        }
        if (gaps.size() > kMaxCandidates) {
            std::nth_element(gaps.begin(), gaps.begin() + kMaxCandidates - 1, gaps.end());
            gaps.resize(kMaxCandidates);
        }
        std::sort(gaps.begin(), gaps.end());
        mergeIn(gaps.data(), gaps.size());
        pool.insert(pool.end(), best.begin(), best.end());
        done.push_back({stretch.lo, stretch.hi});
        if (keep[s]) {
            answers.insert(answers.end(), best.begin(), best.end());
        }
    }
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

void appendWords(std::string& image, const std::vector<std::uint32_t>& words) {
    const std::size_t at = image.size();
    image.resize(at + 4 * words.size());
    if (!words.empty()) {
        std::memcpy(image.data() + at, words.data(), 4 * words.size());
    }
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
    const auto pieces = static_cast<std::uint32_t>(boundaries.size() - 1);
    const std::vector<Stretch> stretches = longStretches(sorted.shared);

    // From here on pieces are named by their first unit's position.
    std::vector<std::uint32_t> order(pieces);
    for (std::uint32_t i = 0; i < pieces; ++i) {
        order[i] = boundaries[sorted.pieces[i]];
    }

    std::vector<std::uint32_t> firstUnits;
    std::vector<std::uint32_t> firstStarts;
    // Pieces are never empty, so neighbours share no unit exactly where the first unit changes.
    for (std::uint32_t i = 0; i < pieces; ++i) {
        if (i == 0 || sorted.shared[i] == 0) {
            firstUnits.push_back(text.unit(order[i]));
            firstStarts.push_back(i);
        }
    }
    firstStarts.push_back(pieces);

    const std::uint32_t budget = options.answerBudget.value_or(64 + pieces / 64);
    const std::vector<bool> keep = chooseKept(stretches, budget);
    std::vector<std::uint32_t> keptLines;
    answerStretches(stretches, keep, order, keptLines);
    // The reader finds answers by binary search over their stretches, sorted by (lo, hi).
    std::vector<std::uint32_t> kept;
    for (std::uint32_t s = 0; s < stretches.size(); ++s) {
        if (keep[s]) {
            kept.push_back(s);
        }
    }
    std::vector<std::uint32_t> keptRank(kept.size());
    for (std::uint32_t i = 0; i < keptRank.size(); ++i) {
        keptRank[i] = i;
    }
    std::sort(keptRank.begin(), keptRank.end(), [&](std::uint32_t a, std::uint32_t b) {
        const Stretch& x = stretches[kept[a]];
        const Stretch& y = stretches[kept[b]];
        return x.lo != y.lo ? x.lo < y.lo : x.hi < y.hi;
    });
    std::vector<std::uint32_t> answerRanges;
    std::vector<std::uint32_t> answerLines;
    answerLines.reserve(keptLines.size());
    for (std::uint32_t rank : keptRank) {
        answerRanges.push_back(stretches[kept[rank]].lo);
        answerRanges.push_back(stretches[kept[rank]].hi);
        const auto from = keptLines.begin() + static_cast<std::ptrdiff_t>(rank) * kMaxCandidates;
        answerLines.insert(answerLines.end(), from, from + kMaxCandidates);
    }

    // A text of one unit finds its stretch's answer without a search.
    // The host is little-endian, like the image the ranges are read from later.
    const Words ranges(reinterpret_cast<const char*>(answerRanges.data()), answerRanges.size());
    std::vector<std::uint32_t> firstAnswers(firstUnits.size());
    for (std::size_t slot = 0; slot < firstUnits.size(); ++slot) {
        firstAnswers[slot] =
            LineIndex::storedAnswer(ranges, firstStarts[slot], firstStarts[slot + 1]);
    }

    const RangeMinimumTables minimum = buildRangeMinimum(order);

    Counts counts;
    counts.pieces = pieces;
    counts.firstUnits = static_cast<std::uint32_t>(firstUnits.size());
    counts.answers = static_cast<std::uint32_t>(kept.size());
    counts.blocks = static_cast<std::uint32_t>(minimum.blockMinima.size());
    counts.sparseLevels = sparseLevelsFor(counts.blocks);

    std::string image(kIndexHeaderBytes, '\0');
    image.reserve(static_cast<std::size_t>(kIndexHeaderBytes + 4 * offsetsOf(counts).end));
    const std::vector<std::uint32_t>* arrays[] = {
        &order,        &firstUnits,  &firstStarts,         &firstAnswers,
        &answerRanges, &answerLines, &minimum.blockMinima, &minimum.sparse};
    for (const std::vector<std::uint32_t>* words : arrays) {
        appendWords(image, *words);
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

} // namespace revaze
