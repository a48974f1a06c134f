#include "dictionary/piece_sort.h"

#include "dictionary/helper_thread.h"
#include "dictionary/piece_radix_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <type_traits>

namespace revaze {

namespace {

// Past this many ascending runs (ten levels of matches) the radix sort is faster.
constexpr std::size_t kMostRunsMerged = 1024;

// Below this many pieces a pass is not worth sharing with a second thread; above, it is cut in
// this many chunks, which the threads take as each gets free.
constexpr std::uint32_t kLeastSplit = 4096;
constexpr std::uint32_t kChunks = 8;

// Each unit held by its rank among them: 1 for the least, 0 for a unit not held. So a few bits
// name a unit, and the ranks compare as the units do. `rank` may be `held` itself. The table is
// mostly zero: eight zeros are passed at a time, and stay zero.
template <typename Rank> void rankUnits(const std::uint8_t* held, Rank* rank) {
    Rank count = 0;
    for (std::size_t u = 0; u < 0x10000; u += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, held + u, sizeof eight);
        if (eight == 0) {
            continue;
        }
        for (std::size_t k = u; k < u + 8; ++k) {
            const std::uint8_t mark = held[k];
            count = static_cast<Rank>(count + mark);
            rank[k] = static_cast<Rank>(mark * count);
        }
    }
}

// Sorts by keys: a piece's next units as one number that compares as they do, each unit `Bits`
// wide as its rank, the first unit highest, 0 once the piece has ended (so a piece that begins
// another sorts before it). The keys of the first units are merged from the file's ascending
// runs in one pass, without a branch on the keys; what neighbours share is read from where
// their keys differ; pieces whose keys are equal and go on are sorted again by their next
// units. It needs no memory but the keys and the result.
template <unsigned Bits, typename Rank> class KeySorter {
public:
    KeySorter(const DictionaryText& text, const std::vector<std::uint32_t>& boundaries,
              const std::vector<Rank>& rank, HelperThread* helper)
        : text_(text), boundaries_(boundaries.data()),
          count_(static_cast<std::uint32_t>(boundaries.size() - 1)), rank_(rank.data()),
          helper_(helper != nullptr && helper->running() && count_ >= kLeastSplit ? helper
                                                                                  : nullptr) {}

    // Nothing when the file has too many runs for one merge.
    std::optional<SortedPieces> run() {
        const std::uint32_t n = count_;
        // Left uninitialized: every key is written before it is read.
        const std::unique_ptr<std::uint64_t[]> keys(new std::uint64_t[n]);
        // The keys, in chunks that the threads share, and where a run starts inside each
        // chunk (past the most runs merged, one start more and no further).
        const std::uint32_t chunks = helper_ != nullptr ? kChunks : 1;
        const auto cut = [&](std::uint32_t c) {
            return static_cast<std::uint32_t>(std::uint64_t{n} * c / chunks);
        };
        std::vector<std::vector<std::uint32_t>> starts(chunks);
        share(helper_, chunks, [&](std::uint32_t c, unsigned) {
            const std::uint32_t from = cut(c);
            const std::uint32_t to = cut(c + 1);
            for (std::uint32_t p = from; p < to; ++p) {
                keys[p] = key(p, 0);
            }
            std::vector<std::uint32_t>& found = starts[c];
            for (std::uint32_t p = from + 1; p < to; ++p) {
                if (keys[p] < keys[p - 1]) {
                    if (found.size() > kMostRunsMerged) {
                        break;
                    }
                    found.push_back(p);
                }
            }
        });
        std::vector<std::uint32_t> runs{0};
        for (std::uint32_t c = 0; c < chunks && runs.size() <= kMostRunsMerged; ++c) {
            const std::uint32_t from = cut(c);
            if (c > 0 && from < n && keys[from] < keys[from - 1]) {
                runs.push_back(from);
            }
            runs.insert(runs.end(), starts[c].begin(), starts[c].end());
        }
        if (runs.size() > kMostRunsMerged) {
            return std::nullopt;
        }
        runs.push_back(n);
        std::vector<Span> spans(runs.size() - 1);
        for (std::size_t r = 0; r + 1 < runs.size(); ++r) {
            spans[r] = {runs[r], runs[r + 1]};
        }
        sorted_.pieces.resize(n);
        sorted_.shared.resize(n);
        if (helper_ != nullptr) {
            mergeOnTwoThreads(keys.get(), spans);
        } else {
            merge(keys.get(), spans, 0, n);
        }
        // The equal keys, in chunks that no run of equal keys crosses.
        std::vector<std::uint32_t> cuts{0};
        for (std::uint32_t c = 1; c < chunks; ++c) {
            std::uint32_t at = std::max(cuts.back(), cut(c));
            while (at < n && sorted_.shared[at] == kUnits) {
                ++at;
            }
            if (at > cuts.back() && at < n) {
                cuts.push_back(at);
            }
        }
        cuts.push_back(n);
        // Each thread's group on a line of the cache of its own.
        struct alignas(64) Group {
            std::vector<Item> items;
        } groups[2];
        share(helper_, static_cast<std::uint32_t>(cuts.size() - 1),
              [&](std::uint32_t c, unsigned worker) {
                  resolveEqualKeys(cuts[c], cuts[c + 1], 0, groups[worker].items);
              });
        return std::move(sorted_);
    }

private:
    // Units to a key. The highest bit is left clear, so a key of all ones is above all.
    static constexpr std::uint32_t kUnits = 63 / Bits;

    struct Item {
        std::uint64_t key;
        std::uint32_t piece;
    };

    // An ascending run of pieces (keys), [first, end), never empty.
    struct Span {
        std::uint32_t first;
        std::uint32_t end;
    };

    // The units of a piece from `depth` on (depth at most its length), as a key.
    std::uint64_t key(std::uint32_t piece, std::uint32_t depth) const {
        const std::uint32_t start = boundaries_[piece] + depth;
        const std::uint32_t left = boundaries_[piece + 1] - start;
        if (start + kUnits <= text_.unitCount()) [[likely]] {
            // Read past the piece's end, then cleared: no branch for each unit.
            std::uint64_t key = 0;
#pragma GCC unroll 16
            for (std::uint32_t j = 0; j < kUnits; ++j) {
                key |= std::uint64_t{rank_[text_.unit(start + j)]} << ((kUnits - 1 - j) * Bits);
            }
            return key & (~std::uint64_t{0} << ((kUnits - std::min(left, kUnits)) * Bits));
        }
        std::uint64_t key = 0;
        for (std::uint32_t j = 0; j < kUnits && j < left; ++j) {
            key |= std::uint64_t{rank_[text_.unit(start + j)]} << ((kUnits - 1 - j) * Bits);
        }
        return key;
    }

    // The units two keys share: kUnits when they are equal. No branch: the width of the bits
    // where they differ (0 when none do) names the answer in a table.
    static std::uint32_t sharedUnits(std::uint64_t a, std::uint64_t b) {
        static constexpr auto kByWidth = [] {
            std::array<std::uint8_t, 65> table{};
            for (std::uint32_t width = 0; width <= kUnits * Bits; ++width) {
                table[width] = static_cast<std::uint8_t>((kUnits * Bits - width) / Bits);
            }
            return table;
        }();
        const std::uint64_t differ = a ^ b;
        return kByWidth[static_cast<std::uint32_t>(64 - std::countl_zero(differ | 1)) *
                        (differ != 0)];
    }

    // A tournament over the runs' next pieces: each node of the tree keeps the loser of the
    // match played there, so taking the winner costs one match for each level, on the way from
    // its run's leaf to the top, decided without a branch. Forward, it takes the least piece
    // first, from the runs' fronts; backward, the greatest, from their backs (its keys
    // inverted, so that the least still wins). A run that has ended plays as a key above all.
    // Of equal keys either may win: they are put in file order afterwards.
    template <bool Backward> class Tournament {
    public:
        Tournament(const std::uint64_t* keys, const std::vector<Span>& runs)
            : keys_(keys), leaves_(std::bit_ceil(static_cast<std::uint32_t>(runs.size()))),
              head_(leaves_, kEnded), next_(leaves_, kEnded), piece_(leaves_), last_(leaves_),
              loser_(leaves_) {
            const auto count = static_cast<std::uint32_t>(runs.size());
            for (std::uint32_t l = 0; l < count; ++l) {
                // Leaf l plays run l forward and the l-th from the end backward.
                const std::uint32_t r = Backward ? count - 1 - l : l;
                piece_[l] = Backward ? runs[r].end - 1 : runs[r].first;
                last_[l] = Backward ? runs[r].first : runs[r].end - 1;
                head_[l] = keyAt(piece_[l]);
                next_[l] = piece_[l] != last_[l] ? keyAt(step(piece_[l])) : kEnded;
            }
            // Node v (1 to leaves - 1) has children 2v and 2v + 1; leaf l is node leaves + l.
            std::vector<std::uint32_t> winner(2 * leaves_);
            for (std::uint32_t l = 0; l < leaves_; ++l) {
                winner[leaves_ + l] = l;
            }
            for (std::uint32_t v = leaves_ - 1; v >= 1; --v) {
                const std::uint32_t a = winner[2 * v];
                const std::uint32_t b = winner[2 * v + 1];
                const bool aWins = head_[a] <= head_[b];
                winner[v] = aWins ? a : b;
                loser_[v] = aWins ? b : a;
            }
            top_ = winner[1];
        }

        // Takes the winner: returns its piece, and its key in `key`. Each leaf's next key is
        // read a piece ahead, so the matches need wait on no read of the keys.
        [[gnu::always_inline]] std::uint32_t take(std::uint64_t& key) {
            std::uint32_t leaf = top_;
            const std::uint32_t piece = piece_[leaf];
            key = Backward ? ~head_[leaf] : head_[leaf];
            std::uint64_t challenger = next_[leaf];
            head_[leaf] = challenger;
            piece_[leaf] = step(piece);
            // The key after the new head, or none once the run has ended.
            const bool more = Backward ? piece > last_[leaf] + 1 : piece + 1 < last_[leaf];
            next_[leaf] = more ? keyAt(step(step(piece))) : kEnded;
            for (std::uint32_t v = (leaves_ + leaf) / 2; v >= 1; v /= 2) {
                const std::uint32_t held = loser_[v];
                const std::uint64_t heldKey = head_[held];
                // The held leaf and the challenger trade places where the held one wins,
                // through a mask rather than a branch.
                const std::uint64_t wins = std::uint64_t{0} - (heldKey < challenger);
                const auto leaves = static_cast<std::uint32_t>((held ^ leaf) & wins);
                loser_[v] = held ^ leaves;
                leaf ^= leaves;
                challenger ^= (heldKey ^ challenger) & wins;
            }
            top_ = leaf;
            return piece;
        }

    private:
        // Above every key (which leaves its highest bit clear), and so above every inverted
        // key too (no piece is empty, so no key is 0).
        static constexpr std::uint64_t kEnded = ~std::uint64_t{0};

        static std::uint32_t step(std::uint32_t piece) { return Backward ? piece - 1 : piece + 1; }
        std::uint64_t keyAt(std::uint32_t piece) const {
            return Backward ? ~keys_[piece] : keys_[piece];
        }

        const std::uint64_t* keys_;
        std::uint32_t leaves_;
        std::vector<std::uint64_t> head_;  // each leaf's key in play
        std::vector<std::uint64_t> next_;  // the key after it in its run
        std::vector<std::uint32_t> piece_; // the piece in play
        std::vector<std::uint32_t> last_;  // the run's last piece from this end
        std::vector<std::uint32_t> loser_; // the leaf that lost at each node
        std::uint32_t top_ = 0;
    };

    // Merges the runs into output positions [out, out + count), the count of their pieces: the
    // least half from the front and the greatest from the back, two tournaments that do not
    // wait on each other. What neighbours share comes from their keys; shared[out] is left 0.
    void merge(const std::uint64_t* keys, const std::vector<Span>& runs, std::uint32_t out,
               std::uint32_t count) {
        if (count == 0) {
            return;
        }
        std::uint32_t* const pieces = sorted_.pieces.data() + out;
        std::uint32_t* const shared = sorted_.shared.data() + out;
        Tournament<false> front(keys, runs);
        Tournament<true> back(keys, runs);
        std::uint64_t lastFront = 0;
        std::uint64_t lastBack = 0;
        std::uint64_t key = 0;
        const std::uint32_t half = count / 2;
        for (std::uint32_t k = 0; k < half; ++k) {
            pieces[k] = front.take(key);
            shared[k] = k == 0 ? 0 : sharedUnits(lastFront, key);
            lastFront = key;
            pieces[count - 1 - k] = back.take(key);
            if (k > 0) {
                shared[count - k] = sharedUnits(key, lastBack);
            }
            lastBack = key;
        }
        if (count % 2 != 0) {
            pieces[half] = front.take(key);
            shared[half] = half == 0 ? 0 : sharedUnits(lastFront, key);
            lastFront = key;
        }
        if (half > 0) {
            shared[count - half] = sharedUnits(lastFront, lastBack);
            if (lastFront == lastBack) {
                mendMiddle(keys, runs, out, out + count - half, lastBack);
            }
        }
    }

    // Where the two halves meet within pieces of one key, each tournament took its share of
    // that key from any run, and so a piece may have been taken twice and another not at all.
    // The key's pieces are found again, run by run, and written where the key lies.
    void mendMiddle(const std::uint64_t* keys, const std::vector<Span>& runs, std::uint32_t out,
                    std::uint32_t middle, std::uint64_t key) {
        std::uint32_t lo = middle - 1;
        while (lo > out && sorted_.shared[lo] == kUnits) {
            --lo;
        }
        std::uint32_t* at = sorted_.pieces.data() + lo;
        for (const Span& run : runs) {
            const auto [from, to] = std::equal_range(keys + run.first, keys + run.end, key);
            for (auto k = from; k != to; ++k) {
                *at++ = static_cast<std::uint32_t>(k - keys);
            }
        }
    }

    // With a second thread: the runs are cut where their keys reach one key, chosen so that
    // about half the pieces lie below it; the pieces below are merged on one thread, the rest
    // on the other. No key lies on both sides.
    void mergeOnTwoThreads(const std::uint64_t* keys, const std::vector<Span>& runs) {
        const auto n = static_cast<std::uint32_t>(sorted_.pieces.size());
        const auto below = [&](std::uint64_t key) {
            std::uint32_t count = 0;
            for (const Span& run : runs) {
                count += static_cast<std::uint32_t>(
                    std::lower_bound(keys + run.first, keys + run.end, key) - (keys + run.first));
            }
            return count;
        };
        // The key is sought among the longest run's, by halving.
        const Span longest = *std::max_element(runs.begin(), runs.end(), [](Span x, Span y) {
            return x.end - x.first < y.end - y.first;
        });
        std::uint32_t lo = longest.first;
        std::uint32_t hi = longest.end - 1;
        while (lo < hi) {
            const std::uint32_t mid = lo + (hi - lo) / 2;
            if (below(keys[mid]) < n / 2) {
                lo = mid + 1;
            } else {
                hi = mid;
            }
        }
        const std::uint64_t split = keys[lo];
        std::vector<Span> lower;
        std::vector<Span> upper;
        std::uint32_t middle = 0; // the pieces below the key
        for (const Span& run : runs) {
            const auto cut = static_cast<std::uint32_t>(
                std::lower_bound(keys + run.first, keys + run.end, split) - keys);
            if (cut > run.first) {
                lower.push_back({run.first, cut});
            }
            if (cut < run.end) {
                upper.push_back({cut, run.end});
            }
            middle += cut - run.first;
        }
        helper_->both([&] { merge(keys, upper, middle, n - middle); },
                      [&] { merge(keys, lower, 0, middle); });
        if (middle > 0) {
            const std::uint32_t* const pieces = sorted_.pieces.data();
            sorted_.shared[middle] = sharedUnits(keys[pieces[middle - 1]], keys[pieces[middle]]);
        }
    }

    // Output positions [lo, hi) hold pieces whose first `depth + kUnits` units are equal: those
    // that go on past them are sorted by their next units.
    void resolve(std::uint32_t lo, std::uint32_t hi, std::uint32_t depth,
                 std::vector<Item>& group) {
        const std::uint32_t piece = sorted_.pieces[lo];
        const std::uint32_t whole = depth + kUnits;
        if (boundaries_[piece + 1] - boundaries_[piece] < whole) {
            // The pieces ended inside the key: equal pieces, put in file order.
            std::sort(sorted_.pieces.begin() + lo, sorted_.pieces.begin() + hi);
            std::fill(sorted_.shared.begin() + lo + 1, sorted_.shared.begin() + hi,
                      boundaries_[piece + 1] - boundaries_[piece]);
            return;
        }
        group.resize(hi - lo);
        for (std::uint32_t i = lo; i < hi; ++i) {
            // The pieces lie all over the file: their starts, then their units, are asked for
            // ahead, so that the reads do not wait one after another.
            if (i + 8 < hi) {
                __builtin_prefetch(boundaries_ + sorted_.pieces[i + 8]);
            }
            if (i + 4 < hi) {
                text_.prefetch(boundaries_[sorted_.pieces[i + 4]] + whole);
            }
            group[i - lo] = {key(sorted_.pieces[i], whole), sorted_.pieces[i]};
        }
        sortItems(group.data(), hi - lo);
        for (std::uint32_t i = lo; i < hi; ++i) {
            sorted_.pieces[i] = group[i - lo].piece;
            if (i > lo) {
                sorted_.shared[i] = whole + sharedUnits(group[i - lo - 1].key, group[i - lo].key);
            }
        }
        resolveEqualKeys(lo, hi, whole, group);
    }

    // Output positions [lo, hi) share their first `depth` units and are sorted by their keys
    // from there: each run of neighbours whose keys are equal too is resolved.
    void resolveEqualKeys(std::uint32_t lo, std::uint32_t hi, std::uint32_t depth,
                          std::vector<Item>& group) {
        for (std::uint32_t i = lo + 1; i < hi; ++i) {
            if (sorted_.shared[i] != depth + kUnits) {
                continue;
            }
            const std::uint32_t first = i - 1;
            while (i < hi && sorted_.shared[i] == depth + kUnits) {
                ++i;
            }
            resolve(first, i, depth, group);
        }
    }

    // By key, and equal keys in file order.
    static void sortItems(Item* items, std::uint32_t count) {
        const auto before = [](const Item& x, const Item& y) {
            return x.key != y.key ? x.key < y.key : x.piece < y.piece;
        };
        if (count <= 16) {
            for (std::uint32_t i = 1; i < count; ++i) {
                const Item item = items[i];
                std::uint32_t j = i;
                for (; j > 0 && before(item, items[j - 1]); --j) {
                    items[j] = items[j - 1];
                }
                items[j] = item;
            }
        } else {
            std::sort(items, items + count, before);
        }
    }

    // Copies and plain pointers, which no store of a key can alias: kept in registers.
    const DictionaryText text_;
    const std::uint32_t* boundaries_;
    std::uint32_t count_; // pieces
    const Rank* rank_;
    HelperThread* helper_; // null when the sort runs on one thread
    SortedPieces sorted_;
};

} // namespace

SortedPieces sortPieces(const DictionaryText& text, const std::vector<std::uint32_t>& boundaries,
                        std::vector<std::uint8_t> held, HelperThread* helper) {
    const auto n = static_cast<std::uint32_t>(boundaries.size() - 1);
    if (n == 0) {
        return {};
    }
    const auto count = static_cast<std::uint32_t>(std::count(held.begin(), held.end(), 1));
    // A rank and the 0 of an ended piece, in as few bits as the file allows.
    const auto bits = static_cast<unsigned>(std::bit_width(count));
    std::optional<SortedPieces> sorted;
    if (bits <= 8) {
        rankUnits(held.data(), held.data());
        sorted = bits <= 7 ? KeySorter<7, std::uint8_t>(text, boundaries, held, helper).run()
                           : KeySorter<8, std::uint8_t>(text, boundaries, held, helper).run();
    } else if (bits <= 12) {
        std::vector<std::uint16_t> rank(0x10000, 0);
        rankUnits(held.data(), rank.data());
        sorted = KeySorter<12, std::uint16_t>(text, boundaries, rank, helper).run();
    }
    return sorted ? std::move(*sorted) : radixSortPieces(text, boundaries);
}

} // namespace revaze
