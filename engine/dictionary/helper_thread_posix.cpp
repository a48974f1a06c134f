// The index build's helper thread on POSIX systems: a std::thread.
#include "dictionary/helper_thread.h"

#include <new>
#include <system_error>
#include <thread>

namespace revaze {

void* startThread(void (*run)(void*), void* context) noexcept {
    // Asked once: the C library reads it from a file each time.
    static const unsigned processors = std::thread::hardware_concurrency();
    if (processors < 2) {
        return nullptr;
    }
    try {
        return new std::thread(run, context);
    } catch (const std::system_error&) {
        return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void joinThread(void* handle) noexcept {
    auto* thread = static_cast<std::thread*>(handle);
    thread->join();
    delete thread;
}

void yieldThread() noexcept {
    std::this_thread::yield();
}

} // namespace revaze
