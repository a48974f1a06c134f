// The helper thread's two calls: every chunk taken exactly once, by one of the two workers, and
// an exception from either side coming out (with a thread, once both sides have finished; on
// one, as soon as it is thrown), the helper ready for the next call. Each case runs with a thread
// and without one.
#include "dictionary/helper_thread.h"

#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

namespace revaze {
namespace {

TEST(HelperThread, ShareTakesEveryChunkOnce) {
    HelperThread helper;
    for (HelperThread* h : {&helper, static_cast<HelperThread*>(nullptr)}) {
        for (const std::uint32_t chunks : {0u, 1u, 7u, 1000u}) {
            SCOPED_TRACE(testing::Message() << chunks << " chunks, thread " << (h != nullptr));
            std::vector<std::atomic<int>> taken(chunks);
            std::atomic<bool> strangeWorker{false};
            share(h, chunks, [&](std::uint32_t c, unsigned worker) {
                taken[c].fetch_add(1);
                strangeWorker = strangeWorker || worker > 1 || (worker == 1 && h == nullptr);
            });
            for (std::uint32_t c = 0; c < chunks; ++c) {
                ASSERT_EQ(taken[c].load(), 1) << "chunk " << c;
            }
            EXPECT_FALSE(strangeWorker);
        }
    }
}

TEST(HelperThread, AnExceptionComesOutAfterBothSides) {
    HelperThread helper;
    struct Row {
        bool helperThrows;
        bool callerThrows;
    };
    for (HelperThread* h : {&helper, static_cast<HelperThread*>(nullptr)}) {
        for (const Row row : {Row{true, false}, Row{false, true}, Row{true, true}}) {
            SCOPED_TRACE(testing::Message()
                         << row.helperThrows << row.callerThrows << (h != nullptr));
            std::atomic<int> ran{0};
            EXPECT_THROW(both(
                             h,
                             [&] {
                                 ++ran;
                                 if (row.helperThrows) {
                                     throw std::runtime_error("helper");
                                 }
                             },
                             [&] {
                                 ++ran;
                                 if (row.callerThrows) {
                                     throw std::runtime_error("caller");
                                 }
                             }),
                         std::runtime_error);
            const bool twoThreads = h != nullptr && h->running();
            EXPECT_EQ(ran.load(), twoThreads || !row.helperThrows ? 2 : 1);
            // What was thrown is not thrown again by the next call.
            int after = 0;
            both(
                h, [&] { ++after; }, [&] { ++after; });
            EXPECT_EQ(after, 2);
        }
    }
}

} // namespace
} // namespace revaze
