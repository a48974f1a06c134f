// What every fuzz target does on a broken invariant: say which and where, then abort, so that
// libFuzzer keeps the input that led there.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace revaze::fuzz {

[[noreturn]] inline void violation(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", condition, file, line);
    std::fflush(stderr);
    std::abort();
}

} // namespace revaze::fuzz

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            ::revaze::fuzz::violation(#condition, __FILE__, __LINE__);                             \
        }                                                                                          \
    } while (false)
