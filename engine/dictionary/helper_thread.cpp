#include "dictionary/helper_thread.h"

namespace revaze {

namespace {

// A pause between two looks at the state: the processor's hint for a wait that spins, and every
// few thousand looks the processor itself, for a machine busier than its processors.
void pause(unsigned& spins) noexcept {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
    if (++spins % 4096 == 0) {
        yieldThread();
    }
}

} // namespace

HelperThread::HelperThread() {
    thread_ = startThread(&helperMain, this);
}

HelperThread::~HelperThread() {
    if (thread_ != nullptr) {
        state_.store(kQuit, std::memory_order_release);
        joinThread(thread_);
    }
}

void HelperThread::post(void (*task)(void*), void* context) {
    task_ = task;
    context_ = context;
    failed_ = nullptr;
    state_.store(kPosted, std::memory_order_release);
}

void HelperThread::runTask() noexcept {
    try {
        task_(context_);
    } catch (...) {
        failed_ = std::current_exception();
    }
}

void HelperThread::finish() {
    int expected = kPosted;
    if (state_.compare_exchange_strong(expected, kTaken, std::memory_order_acquire)) {
        runTask();
    } else {
        unsigned spins = 0;
        while (state_.load(std::memory_order_acquire) != kDone) {
            pause(spins);
        }
    }
    state_.store(kIdle, std::memory_order_relaxed);
    if (failed_) {
        std::exception_ptr failed = std::move(failed_);
        failed_ = nullptr;
        std::rethrow_exception(failed);
    }
}

void HelperThread::helperMain(void* self) noexcept {
    auto& helper = *static_cast<HelperThread*>(self);
    unsigned spins = 0;
    for (;;) {
        int state = helper.state_.load(std::memory_order_acquire);
        if (state == kQuit) {
            return;
        }
        if (state == kPosted &&
            helper.state_.compare_exchange_strong(state, kTaken, std::memory_order_acquire)) {
            helper.runTask();
            helper.state_.store(kDone, std::memory_order_release);
            spins = 0;
        } else {
            pause(spins);
        }
    }
}

} // namespace revaze
