// The slowest single session call seen by a target in this process: what the user would wait for
// after one key or click. The targets note every call; the drivers print the worst at exit.
#pragma once

#include <chrono>
#include <cstddef>

namespace revaze::fuzz {

struct SlowestCall {
    std::chrono::nanoseconds time{0};
    const char* what = ""; // a string literal: this is read by an exit handler
    std::size_t calls = 0;
};

SlowestCall& slowestCall();

// Times one call and keeps it when it is the slowest so far.
template <typename Call> auto timedCall(const char* what, Call&& call) {
    const auto start = std::chrono::steady_clock::now();
    auto result = call();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    SlowestCall& slowest = slowestCall();
    ++slowest.calls;
    if (elapsed > slowest.time) {
        slowest.time = std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed);
        slowest.what = what;
    }
    return result;
}

// "slowest of N session calls: 123.4 us (Key)" on standard error; nothing when none was timed.
void printSlowestCall();

} // namespace revaze::fuzz
