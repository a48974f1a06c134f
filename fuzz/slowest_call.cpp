#include "fuzz/slowest_call.h"

#include <cstdio>

namespace revaze::fuzz {

SlowestCall& slowestCall() {
    static SlowestCall slowest;
    return slowest;
}

void printSlowestCall() {
    const SlowestCall& slowest = slowestCall();
    if (slowest.calls == 0) {
        return;
    }
    std::fprintf(stderr, "slowest of %zu session calls: %.1f us (%s%s%s)\n", slowest.calls,
                 static_cast<double>(slowest.time.count()) / 1000.0, slowest.what,
                 slowest.detail[0] != '\0' ? ", " : "", slowest.detail);
}

} // namespace revaze::fuzz
