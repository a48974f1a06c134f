// A second thread for the index build, whose passes split in two: both(a, b) runs a on the helper
// and b on the calling thread, and returns when both have finished. The helper lives for one
// build and waits for its next half by polling, which costs nothing the build would not spend
// waiting anyway. Where the platform gives no second thread (one processor, or none could be
// started), or the helper has not yet taken a half when the caller has finished its own, the
// caller runs that half itself: never slower than one thread by more than the hand-over.
//
// The engine declares the platform's part below; helper_thread_posix.cpp implements it here and
// windows/platform/ for Windows.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <type_traits>

namespace revaze {

// Starts run(context) on a thread of its own, as urgent as the calling thread: a handle for
// joinThread, or null where the machine has a single processor or no thread could be started.
void* startThread(void (*run)(void*), void* context) noexcept;
// Waits for the thread to end and releases it.
void joinThread(void* handle) noexcept;
// Gives the processor to another thread that is ready to run, if any.
void yieldThread() noexcept;

class HelperThread {
public:
    HelperThread();
    ~HelperThread();
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;

    // Whether there is a second thread: callers that would only split work for it ask first.
    bool running() const { return thread_ != nullptr; }

    // Runs a and b, at once where it can, and returns when both have. With a second thread, an
    // exception from either comes out here once both have finished; on one thread, a then b,
    // the first exception ends the call (the other half's work would only be thrown away).
    template <typename A, typename B> void both(A&& a, B&& b) {
        if (thread_ == nullptr) {
            a();
            b();
            return;
        }
        post(&call<std::remove_reference_t<A>>, &a);
        std::exception_ptr failed;
        try {
            b();
        } catch (...) {
            failed = std::current_exception();
        }
        finish();
        if (failed) {
            std::rethrow_exception(failed);
        }
    }

    // Runs work(chunk, worker) for every chunk in [0, chunks), each once, the two threads taking
    // the next chunk as each gets free: worker 0 is the calling thread, 1 the helper. So a
    // helper that starts late, or is held up, takes fewer chunks. Without a helper every chunk
    // runs here.
    template <typename F> void share(std::uint32_t chunks, F&& work) {
        struct alignas(64) Next {
            std::atomic<std::uint32_t> chunk{0};
        } next;
        const auto take = [&](unsigned worker) {
            for (std::uint32_t c = next.chunk.fetch_add(1, std::memory_order_relaxed); c < chunks;
                 c = next.chunk.fetch_add(1, std::memory_order_relaxed)) {
                work(c, worker);
            }
        };
        if (thread_ == nullptr) {
            take(0);
        } else {
            both([&] { take(1); }, [&] { take(0); });
        }
    }

private:
    enum State : int { kIdle, kPosted, kTaken, kDone, kQuit };

    template <typename F> static void call(void* f) { (*static_cast<F*>(f))(); }

    void post(void (*task)(void*), void* context);
    // Runs the posted half here if the helper has not taken it, else waits for it; then
    // rethrows what the helper's half threw.
    void finish();
    // Runs the posted task, keeping what it throws for finish().
    void runTask() noexcept;
    static void helperMain(void* self) noexcept;

    std::atomic<int> state_{kIdle};
    void (*task_)(void*) = nullptr;
    void* context_ = nullptr;
    std::exception_ptr failed_;
    void* thread_ = nullptr;
};

// both() and share() where there may be no helper: then everything runs here.
template <typename A, typename B> void both(HelperThread* helper, A&& a, B&& b) {
    if (helper != nullptr) {
        helper->both(a, b);
    } else {
        a();
        b();
    }
}
template <typename F> void share(HelperThread* helper, std::uint32_t chunks, F&& work) {
    if (helper != nullptr) {
        helper->share(chunks, work);
    } else {
        for (std::uint32_t c = 0; c < chunks; ++c) {
            work(c, 0u);
        }
    }
}

} // namespace revaze
