// The slowest single session call seen by a target in this process: what the user would wait for
// after one key or click. The targets note every call; the drivers print the worst at exit.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

namespace revaze::fuzz {

struct SlowestCall {
    std::chrono::nanoseconds time{0};
    const char* what = ""; // a string literal: this is read by an exit handler
    char detail[200] = {}; // what the target tells about the slowest call
    bool lastWasSlowest = false;
    std::size_t calls = 0;
    // With several passes over the same inputs (the replay's --repeat) each call counts with the
    // least time of its passes, so that a pause of the machine is not taken for a slow key.
    bool leastOfPasses = false;
    std::vector<std::chrono::nanoseconds> least;
    std::size_t nextCall = 0;
};

SlowestCall& slowestCall();

// Times one call and keeps it when it is the slowest so far.
template <typename Call> auto timedCall(const char* what, Call&& call) {
    const auto start = std::chrono::steady_clock::now();
    auto result = call();
    auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now() - start);
    SlowestCall& slowest = slowestCall();
    if (slowest.leastOfPasses) {
        if (slowest.nextCall >= slowest.least.size()) {
            slowest.least.push_back(elapsed);
        }
        auto& least = slowest.least[slowest.nextCall++];
        least = std::min(least, elapsed);
        elapsed = least;
    }
    ++slowest.calls;
    slowest.lastWasSlowest = elapsed > slowest.time;
    if (slowest.lastWasSlowest) {
        slowest.time = elapsed;
        slowest.what = what;
        slowest.detail[0] = '\0';
    }
    return result;
}

// "slowest of N session calls: 123.4 us (Key, detail)" on standard error; nothing when none was
// timed.
void printSlowestCall();

} // namespace revaze::fuzz
